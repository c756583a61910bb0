// Panels and controls of "mainwin.uir": the main window and the parameter-set panel.
#pragma once

constexpr int PANEL_MAIN = 1; // panel numbers within "mainwin.uir"
constexpr int PANEL_SET = 2;

namespace PanelMain {
enum : int {
    RING_QUERY_0 = 2,
    NUMERIC_QUERY_1,
    NUMERIC_QUERY_2,
    NUMERIC_QUERY_3,
    NUMERIC_QUERY_4,
    NUMERIC_QUERY_5,
    NUMERIC_QUERY_6,
    NUMERIC_QUERY_7,
    NUMERIC_QUERY_8,
    NUMERIC_QUERY_9,
    NUMERIC_QUERY_10,
    NUMERIC_QUERY_11,
    TABLE_2,
    TABLE_3,
    TABLE_1,
    NUMERIC_QUERY_17,
    RING_QUERY_18,
    NUMERIC_QUERY_19,
    NUMERIC_QUERY_20,
    NUMERIC_QUERY_21,
    NUMERIC_QUERY_22,
    NUMERIC_QUERY_23,
    NUMERIC_QUERY_24,
    RING_QUERY_25,
    TEXTMSG,
    TEXTMSG_2,
    TEXTMSG_3,
    TEXTMSG_4,
    TEXTMSG_6,
    TEXTMSG_7,
    TEXTMSG_9,
    TEXTMSG_10,
    TEXTMSG_11,
    TEXTMSG_12,
    TEXTMSG_13,
    TEXTMSG_14,
    TEXTMSG_15,
    LED_RECIEVE,
    LED_TRANSMIT,
    QUITBUTTON,
    TIMER_CMPW,
    TIMER_CMPW_RT,
    PICTURE,
    SPLITTER,
    SPLITTER_2,
};
} // namespace PanelMain

// Menu bar of the main window.
constexpr int MENUBAR = 1;
enum : int {
    MENU_COMCONFIGURE = 2,
    MENU_SET,
    MENU_DEBUG,
    MENU1,
};

namespace PanelSet {
enum : int { TAB = 2 };
} // namespace PanelSet

// The six pages of PANEL_SET's tab control, in page order.
constexpr int TABPANEL_PAGE_COUNT = 6;

void RegisterMainwinResources();
