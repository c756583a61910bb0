// The debug panel's callbacks: each "OK" stores its row's entry in dataItem6 and marks it
// for writing; a page change asks for the table again.
#include "ui/debug.h"

#include "platform/uir.h"
#include "platform/userint.h"
#include "registers/dataitem.h"
#include "ui/panels.h"
#include "ui/record_edit.h"

#define DEBUG_SEND(name, page, control, record, conversion)                                     \
    int name(int, int, int event, void *, int, int) {                                          \
        return CommitEntry(panel_debug_tab[page], control, dataItem6[record],                  \
                           Conversion::conversion, event);                                     \
    }

DEBUG_SEND(debug_tab1_send_1, 0, DbgTab1::NUMERIC_SET_1, 0, Real)
DEBUG_SEND(debug_tab1_send_2, 0, DbgTab1::NUMERIC_SET_2, 1, Real)
DEBUG_SEND(debug_tab1_send_6, 0, DbgTab1::NUMERIC_SET_6, 5, Real)
DEBUG_SEND(debug_tab1_send_7, 0, DbgTab1::BINARYSWITCH_7, 6, Integer)
DEBUG_SEND(debug_tab1_send_8, 0, DbgTab1::BINARYSWITCH_8, 7, Integer)
DEBUG_SEND(debug_tab1_send_15, 0, DbgTab1::BINARYSWITCH_15, 14, Integer)
DEBUG_SEND(debug_tab2_send_4, 1, DbgTab2::RING_4, 3, Integer)
DEBUG_SEND(debug_tab2_send_3, 1, DbgTab2::BINARYSWITCH_3, 2, Integer)
DEBUG_SEND(debug_tab2_send_5, 1, DbgTab2::NUMERIC_SET_5, 4, Scaled)
DEBUG_SEND(debug_tab2_send_9, 1, DbgTab2::NUMERIC_SET_9, 8, Scaled)
DEBUG_SEND(debug_tab2_send_11, 1, DbgTab2::RING_11, 10, Integer)
DEBUG_SEND(debug_tab2_send_10, 1, DbgTab2::NUMERIC_SET_10, 9, Scaled)
DEBUG_SEND(debug_tab2_send_12, 1, DbgTab2::NUMERIC_SET_12, 11, Scaled)
DEBUG_SEND(debug_tab2_send_13, 1, DbgTab2::NUMERIC_SET_13, 12, Scaled)
DEBUG_SEND(debug_tab2_send_14, 1, DbgTab2::NUMERIC_SET_14, 13, Scaled)

// Both pages show the same table: either page change reads it again and redraws it.
int refreshDebugTab(int, int, int event, void *, int, int) {
    if (event != EVENT_ACTIVE_TAB_CHANGE)
        return 0;
    dataItem6[0].readFlag = 1;
    for (DataItem &record : dataItem6)
        record.refreshFlag = 1;
    return 0;
}

void RegisterDebugCallbacks() {
    const struct {
        const char *name;
        CtrlCallbackPtr callback;
    } callbacks[] = {
        {"debug_tab1_send_1", debug_tab1_send_1},   {"debug_tab1_send_2", debug_tab1_send_2},
        {"debug_tab1_send_6", debug_tab1_send_6},   {"debug_tab1_send_7", debug_tab1_send_7},
        {"debug_tab1_send_8", debug_tab1_send_8},   {"debug_tab1_send_15", debug_tab1_send_15},
        {"debug_tab2_send_3", debug_tab2_send_3},   {"debug_tab2_send_4", debug_tab2_send_4},
        {"debug_tab2_send_5", debug_tab2_send_5},   {"debug_tab2_send_9", debug_tab2_send_9},
        {"debug_tab2_send_10", debug_tab2_send_10}, {"debug_tab2_send_11", debug_tab2_send_11},
        {"debug_tab2_send_12", debug_tab2_send_12}, {"debug_tab2_send_13", debug_tab2_send_13},
        {"debug_tab2_send_14", debug_tab2_send_14}, {"refreshDebugTab", refreshDebugTab},
    };
    for (const auto &c : callbacks)
        RegisterCtrlCallback(c.name, c.callback);
}
