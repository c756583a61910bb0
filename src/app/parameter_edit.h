// The "OK" buttons of the parameter pages: tab1_send_1 ... tab6_send_8.
#pragma once

#include "registers/dataitem.h"
#include "ui/mainwin.h"
#include "ui/record_edit.h"

// name, page index, control read, table, record, conversion
#define QEN_PARAMETER_EDITS(X)                                                                   \
    X(tab1_send_1, 0, TabPanel1::TAB1_NUMERIC_SET_1, dataItem1, 0, Real)                         \
    X(tab1_send_2, 0, TabPanel1::TAB1_NUMERIC_SET_2, dataItem1, 1, Real)                         \
    X(tab1_send_3, 0, TabPanel1::TAB1_NUMERIC_SET_3, dataItem1, 2, Real)                         \
    X(tab1_send_4, 0, TabPanel1::TAB1_NUMERIC_SET_4, dataItem1, 3, Real)                         \
    X(tab1_send_5, 0, TabPanel1::TAB1_NUMERIC_SET_5, dataItem1, 4, Real)                         \
    X(tab1_send_6, 0, TabPanel1::TAB1_NUMERIC_SET_6, dataItem1, 5, Real)                         \
    X(tab1_send_7, 0, TabPanel1::TAB1_NUMERIC_SET_7, dataItem1, 6, Real)                         \
    X(tab1_send_8, 0, TabPanel1::TAB1_NUMERIC_SET_8, dataItem1, 7, Real)                         \
    X(tab1_send_9, 0, TabPanel1::TAB1_NUMERIC_SET_9, dataItem1, 8, Real)                         \
    X(tab1_send_10, 0, TabPanel1::TAB1_NUMERIC_SET_10, dataItem1, 9, Real)                       \
    X(tab1_send_11, 0, TabPanel1::TAB1_NUMERIC_SET_11, dataItem1, 10, Real)                      \
    X(tab1_send_12, 0, TabPanel1::TAB1_NUMERIC_SET_12, dataItem1, 11, Real)                      \
    X(tab1_send_13, 0, TabPanel1::TAB1_NUMERIC_SET_13, dataItem1, 12, Real)                      \
    X(tab1_send_14, 0, TabPanel1::TAB1_NUMERIC_SET_14, dataItem1, 13, Real)                      \
    X(tab1_send_15, 0, TabPanel1::TAB1_NUMERIC_SET_15, dataItem1, 14, Real)                      \
    X(tab2_send_1, 1, TabPanel2::TAB2_NUMERIC_SET_1, dataItem2, 0, Real)                         \
    X(tab2_send_2, 1, TabPanel2::TAB2_NUMERIC_SET_2, dataItem2, 1, Real)                         \
    X(tab2_send_3, 1, TabPanel2::TAB2_NUMERIC_SET_3, dataItem2, 2, Real)                         \
    X(tab2_send_4, 1, TabPanel2::TAB2_NUMERIC_SET_4, dataItem2, 3, Real)                         \
    X(tab2_send_5, 1, TabPanel2::TAB2_NUMERIC_SET_7, dataItem2, 4, Real)                         \
    X(tab2_send_6, 1, TabPanel2::TAB2_NUMERIC_SET_6, dataItem2, 5, Real)                         \
    X(tab2_send_7, 1, TabPanel2::TAB2_BINARYSWITCH_5, dataItem2, 6, Integer)                     \
    X(tab3_send_1, 2, TabPanel3::TAB3_BINARYSWITCH_1, dataItem3, 0, Integer)                     \
    X(tab3_send_2, 2, TabPanel3::TAB3_BINARYSWITCH_2, dataItem3, 1, Integer)                     \
    X(tab3_send_3, 2, TabPanel3::TAB3_BINARYSWITCH_3, dataItem3, 2, Integer)                     \
    X(tab3_send_4, 2, TabPanel3::TAB3_RING_2, dataItem3, 3, Integer)                             \
    X(tab3_send_5, 2, TabPanel3::TAB3_RING_1, dataItem3, 4, Integer)                             \
    X(tab3_send_6, 2, TabPanel3::TAB3_BINARYSWITCH_6, dataItem3, 5, Integer)                     \
    X(tab3_send_7, 2, TabPanel3::TAB3_BINARYSWITCH_7, dataItem3, 6, Integer)                     \
    X(tab3_send_8, 2, TabPanel3::TAB3_BINARYSWITCH_8, dataItem3, 7, Integer)                     \
    X(tab3_send_9, 2, TabPanel3::TAB3_NUMERIC_SET_9, dataItem3, 8, Real)                         \
    X(tab3_send_10, 2, TabPanel3::TAB3_BINARYSWITCH_10, dataItem3, 9, Integer)                   \
    X(tab3_send_11, 2, TabPanel3::TAB3_NUMERIC_SET_11, dataItem3, 10, Real)                      \
    X(tab3_send_12, 2, TabPanel3::TAB3_NUMERIC_SET_12, dataItem3, 11, Real)                      \
    X(tab3_send_13, 2, TabPanel3::TAB3_BINARYSWITCH_13, dataItem3, 12, Integer)                  \
    X(tab3_send_14, 2, TabPanel3::TAB3_NUMERIC_SET_14, dataItem3, 13, Real)                      \
    X(tab3_send_15, 2, TabPanel3::TAB3_NUMERIC_SET_15, dataItem3, 14, Real)                      \
    X(tab3_send_16, 2, TabPanel3::TAB3_NUMERIC_SET_16, dataItem3, 15, Scaled)                    \
    X(tab4_send_1, 3, TabPanel4::TAB4_NUMERIC_SET_1, dataItem4, 0, Scaled)                       \
    X(tab4_send_2, 3, TabPanel4::TAB4_NUMERIC_SET_2, dataItem4, 1, Scaled)                       \
    X(tab4_send_3, 3, TabPanel4::TAB4_NUMERIC_SET_3, dataItem4, 2, Real)                         \
    X(tab4_send_4, 3, TabPanel4::TAB4_NUMERIC_SET_4, dataItem4, 3, Real)                         \
    X(tab4_send_5, 3, TabPanel4::TAB4_NUMERIC_SET_5, dataItem4, 4, Scaled)                       \
    X(tab4_send_6, 3, TabPanel4::TAB4_NUMERIC_SET_6, dataItem4, 5, Real)                         \
    X(tab5_send_1, 4, TabPanel5::TAB5_NUMERIC_SET_1, dataItem5, 0, Real)                         \
    X(tab5_send_2, 4, TabPanel5::TAB5_NUMERIC_SET_2, dataItem5, 1, Real)                         \
    X(tab5_send_3, 4, TabPanel5::TAB5_NUMERIC_SET_3, dataItem5, 2, Real)                         \
    X(tab5_send_4, 4, TabPanel5::TAB5_NUMERIC_SET_4, dataItem5, 3, Real)                         \
    X(tab5_send_5, 4, TabPanel5::TAB5_NUMERIC_SET_5, dataItem5, 4, Real)                         \
    X(tab5_send_6, 4, TabPanel5::TAB5_NUMERIC_SET_6, dataItem5, 5, Real)                         \
    X(tab5_send_7, 4, TabPanel5::TAB5_NUMERIC_SET_7, dataItem5, 6, Real)                         \
    X(tab5_send_8, 4, TabPanel5::TAB5_RING_8, dataItem5, 7, Integer)                             \
    X(tab5_send_9, 4, TabPanel5::TAB5_NUMERIC_SET_9, dataItem5, 8, Real)                         \
    X(tab5_send_10, 4, TabPanel5::TAB5_NUMERIC_SET_10, dataItem5, 9, Real)                       \
    X(tab5_send_11, 4, TabPanel5::TAB5_NUMERIC_SET_11, dataItem5, 10, Real)                      \
    X(tab6_send_1, 5, TabPanel6::TAB6_NUMERIC_SET_1, dataItem6, 0, Real)                         \
    X(tab6_send_2, 5, TabPanel6::TAB6_NUMERIC_SET_2, dataItem6, 1, Real)                         \
    X(tab6_send_3, 5, TabPanel6::TAB6_BINARYSWITCH_3, dataItem6, 2, Integer)                     \
    X(tab6_send_4, 5, TabPanel6::TAB6_RING_4, dataItem6, 3, Integer)                             \
    X(tab6_send_5, 5, TabPanel6::TAB6_NUMERIC_SET_5, dataItem6, 4, Scaled)                       \
    X(tab6_send_6, 5, TabPanel6::TAB6_NUMERIC_SET_6, dataItem6, 5, Real)                         \
    X(tab6_send_7, 5, 0, dataItem6, 6, Command)                                                  \
    X(tab6_send_8, 5, 0, dataItem6, 7, Command)

#define QEN_DECLARE_EDIT(name, page, control, table, record, conversion)                         \
    int name(int panel, int control_, int event, void *data, int e1, int e2);
QEN_PARAMETER_EDITS(QEN_DECLARE_EDIT)
#undef QEN_DECLARE_EDIT

void RegisterParameterEditCallbacks();
