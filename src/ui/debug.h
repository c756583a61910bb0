// Panel of "debug.uir": the debug panel.
#pragma once

constexpr int PANEL_DEBG = 1;

namespace PanelDebg {
enum : int { TAB = 2 };
} // namespace PanelDebg

constexpr int DBG_TAB_PAGE_COUNT = 2;

namespace DbgTab1 { // "设置"
enum : int {
    NUMERIC_SET_1 = 2, NUMERIC_SET_2, NUMERIC_SET_6, BINARYSWITCH_7, BINARYSWITCH_8,
    BINARYSWITCH_15,
    DEBUG_TAB1_SEND_1, DEBUG_TAB1_SEND_2, DEBUG_TAB1_SEND_6, DEBUG_TAB1_SEND_7,
    DEBUG_TAB1_SEND_8, DEBUG_TAB1_SEND_15,
    TEXTMSG_8,
};
} // namespace DbgTab1

namespace DbgTab2 { // "调试"
enum : int {
    RING_4 = 2, BINARYSWITCH_3, NUMERIC_SET_5, NUMERIC_SET_9, RING_11, NUMERIC_SET_10,
    NUMERIC_SET_12, NUMERIC_SET_13, NUMERIC_SET_14,
    DEBUG_TAB2_SEND_4, DEBUG_TAB2_SEND_3, DEBUG_TAB2_SEND_5, DEBUG_TAB2_SEND_9,
    DEBUG_TAB2_SEND_11, DEBUG_TAB2_SEND_10, DEBUG_TAB2_SEND_12, DEBUG_TAB2_SEND_13,
    DEBUG_TAB2_SEND_14,
    TEXTMSG_7, TEXTMSG_9, TEXTMSG_10,
};
} // namespace DbgTab2

// Callbacks of the debug panel: one per "OK" button, and the tab callback.
int debug_tab1_send_1(int panel, int control, int event, void *data, int e1, int e2);
int debug_tab1_send_2(int panel, int control, int event, void *data, int e1, int e2);
int debug_tab1_send_6(int panel, int control, int event, void *data, int e1, int e2);
int debug_tab1_send_7(int panel, int control, int event, void *data, int e1, int e2);
int debug_tab1_send_8(int panel, int control, int event, void *data, int e1, int e2);
int debug_tab1_send_15(int panel, int control, int event, void *data, int e1, int e2);
int debug_tab2_send_3(int panel, int control, int event, void *data, int e1, int e2);
int debug_tab2_send_4(int panel, int control, int event, void *data, int e1, int e2);
int debug_tab2_send_5(int panel, int control, int event, void *data, int e1, int e2);
int debug_tab2_send_9(int panel, int control, int event, void *data, int e1, int e2);
int debug_tab2_send_10(int panel, int control, int event, void *data, int e1, int e2);
int debug_tab2_send_11(int panel, int control, int event, void *data, int e1, int e2);
int debug_tab2_send_12(int panel, int control, int event, void *data, int e1, int e2);
int debug_tab2_send_13(int panel, int control, int event, void *data, int e1, int e2);
int debug_tab2_send_14(int panel, int control, int event, void *data, int e1, int e2);
int refreshDebugTab(int panel, int control, int event, void *data, int e1, int e2);

void RegisterDebugCallbacks();

void RegisterDebugResources();
