// "mainwin.uir": the main window (panel 1) and the parameter-set panel (panel 2).
#include "ui/mainwin.h"
#include "ui/uir_build.h"

using namespace uir;

namespace {

std::vector<std::string> errorListRows() {
    std::vector<std::string> rows = {
        "mosfet Fault", "overVolt",   "lackVolt",          "resved",      "mtOverTemp",
        "ctOverTemp",   "resved",     "overcurrent Fault", "overLoad",    "reseved",
        "store faut",   "HALL test fault", "hall fault",   "reseved",     "reseved",
        "reseved",      "reseved",    "overSpeed",         "reseved",     "blockprotect fault",
        "unInitEeprom", "resvd",      "resvd",             "resvd",       "power up no finished",
        "brake",        "anti-theft", "reverse",           "release throttle err",
        "throttle-err",
    };
    while (rows.size() < 48)
        rows.push_back("resvd");
    return rows;
}

// Input status: row texts in column 1, the state text goes into column 2.
std::vector<std::string> inputStatusCells() {
    const char *rows[] = {"resvd",   "brake",   "BOOST",       "cruise",
                          "resvd",   "reverse", "speed limit", "anti-- theft"};
    std::vector<std::string> cells;
    for (const char *row : rows) {
        cells.push_back(row);
        cells.push_back("");
    }
    return cells;
}

PanelDesc mainWindow() {
    using namespace PanelMain;
    PanelDesc panel;
    panel.name = "PANEL_MAIN";
    panel.title = "QEN ";
    panel.width = 853;
    panel.height = 576;
    panel.controls = {
        ring(RING_QUERY_0, "RING_QUERY_0", "System status",
             {{"0:power up no finished-lack voltage", 0},
              {"1:system error", 1},
              {"20:electronic brake ", 20},
              {"21:stop brake", 21},
              {"22:slide recharge", 22},
              {"23:system runing(flux weaken enable)", 23},
              {"24:system runing(flux weaken disable)", 24},
              {"25:motor reverse", 25},
              {"26:brake protect", 26},
              {"27:guard against theft", 27},
              {"3:throttle protect", 3},
              {"4:HALL angle test", 4},
              {"5:current DEBUG", 5},
              {"7:volt DEBUG", 7},
              {"6:reserved 6", 6},
              {"10:reserved 10", 10}}),
        readout(NUMERIC_QUERY_1, "NUMERIC_QUERY_1", "Battery voltage"),
        readout(NUMERIC_QUERY_2, "NUMERIC_QUERY_2", "Weaken current cmd", false),
        readout(NUMERIC_QUERY_3, "NUMERIC_QUERY_3", "Weaken current fbk", false),
        readout(NUMERIC_QUERY_4, "NUMERIC_QUERY_4", "力矩指令", false),
        readout(NUMERIC_QUERY_5, "NUMERIC_QUERY_5", "ebrake Torque cmd"),
        readout(NUMERIC_QUERY_6, "NUMERIC_QUERY_6", "Controller temperature"),
        readout(NUMERIC_QUERY_7, "NUMERIC_QUERY_7", "Motor temperature"),
        readout(NUMERIC_QUERY_8, "NUMERIC_QUERY_8", "EbsThrottle voltage", false),
        readout(NUMERIC_QUERY_9, "NUMERIC_QUERY_9", "Motor speed"),
        readout(NUMERIC_QUERY_10, "NUMERIC_QUERY_10", "Hall status(CBA)"),
        readout(NUMERIC_QUERY_11, "NUMERIC_QUERY_11", "Throttle voltage"),
        table(TABLE_2, "TABLE_2", "Input status", 8, 2, inputStatusCells(), false),
        table(TABLE_3, "TABLE_3", "输出口状态", 4, 2, {}, false),
        table(TABLE_1, "TABLE_1", "Error list", 48, 1, errorListRows()),
        readout(NUMERIC_QUERY_17, "NUMERIC_QUERY_17", "Mosfet status", false),
        ring(RING_QUERY_18, "RING_QUERY_18", "HALL anlge test status",
             {{"0:default", 0},
              {"1:in progress", 1},
              {"2:test OK", 2},
              {"3:test fail3", 3},
              {"4:test fail4", 4}}),
        readout(NUMERIC_QUERY_19, "NUMERIC_QUERY_19", "HALLVALUE=1", false),
        readout(NUMERIC_QUERY_20, "NUMERIC_QUERY_20", "HALLVALUE=2", false),
        readout(NUMERIC_QUERY_21, "NUMERIC_QUERY_21", "HALLVALUE=3", false),
        readout(NUMERIC_QUERY_22, "NUMERIC_QUERY_22", "HALLVALUE=4", false),
        readout(NUMERIC_QUERY_23, "NUMERIC_QUERY_23", "HALLVALUE=5", false),
        readout(NUMERIC_QUERY_24, "NUMERIC_QUERY_24", "HALLVALUE=6", false),
        ring(RING_QUERY_25, "RING_QUERY_25", "Restore factory settings status",
             {{"0:default", 0},
              {"1:in process 1", 1},
              {"2:in process 2", 2},
              {"3:restore ok ,please power off", 3},
              {"4:restore fail ,please power off ", 4}}),
        text(TEXTMSG, "TEXTMSG", "V"),
        text(TEXTMSG_12, "TEXTMSG_12", "℃"),
        text(TEXTMSG_15, "TEXTMSG_15", "℃"),
        text(TEXTMSG_13, "TEXTMSG_13", "V", false),
        text(TEXTMSG_4, "TEXTMSG_4", "RPM"),
        text(TEXTMSG_11, "TEXTMSG_11", "V"),
        text(TEXTMSG_6, "TEXTMSG_6", "QEN"),
        text(TEXTMSG_7, "TEXTMSG_7", "℃"),
        text(TEXTMSG_2, "TEXTMSG_2", "A", false),
        text(TEXTMSG_3, "TEXTMSG_3", "A", false),
        text(TEXTMSG_9, "TEXTMSG_9", "A", false),
        text(TEXTMSG_10, "TEXTMSG_10", "A", false),
        text(TEXTMSG_14, "TEXTMSG_14", "V", false),
        led(LED_RECIEVE, "LED_RECIEVE", "RX"),
        led(LED_TRANSMIT, "LED_TRANSMIT", "TX"),
        button(QUITBUTTON, "QUITBUTTON", "__QUIT", "QuitCallback"),
        // The keep-alive timers run from the first successful port opening on.
        timer(TIMER_CMPW, "TIMER_CMPW", 10.0, false, "timer_cmPW"),
        timer(TIMER_CMPW_RT, "TIMER_CMPW_RT", 0.05, false, "timer_cmPW_rt"),
        picture(PICTURE, "PICTURE", "scooter"),
        splitter(SPLITTER, "SPLITTER"),
        splitter(SPLITTER_2, "SPLITTER_2"),
    };

    LayoutItem left = LayColumn(
        {
            LayRow({LayCtrl(LED_RECIEVE), LayCtrl(LED_TRANSMIT), LayStretch()}),
            LayForm({
                {RING_QUERY_0, {}},
                {NUMERIC_QUERY_1, {TEXTMSG, TEXTMSG_7}},
                {NUMERIC_QUERY_9, {TEXTMSG_4}},
                {NUMERIC_QUERY_10, {}},
                {NUMERIC_QUERY_11, {TEXTMSG_11}},
                {NUMERIC_QUERY_6, {TEXTMSG_12}},
                {NUMERIC_QUERY_7, {TEXTMSG_15}},
                // Hidden readouts keep their values but take no room.
                {NUMERIC_QUERY_2, {}},
                {NUMERIC_QUERY_3, {}},
                {NUMERIC_QUERY_4, {}},
                {NUMERIC_QUERY_8, {TEXTMSG_13}},
                {NUMERIC_QUERY_17, {}},
                {NUMERIC_QUERY_19, {}},
                {NUMERIC_QUERY_20, {}},
                {NUMERIC_QUERY_21, {}},
                {NUMERIC_QUERY_22, {}},
                {NUMERIC_QUERY_23, {}},
                {NUMERIC_QUERY_24, {}},
            }),
            LayCtrl(TABLE_1, 1),
        },
        1);
    LayoutItem right = LayColumn(
        {
            LayCtrl(PICTURE),
            LayForm({
                {NUMERIC_QUERY_5, {}},
                {RING_QUERY_25, {}},
                {RING_QUERY_18, {}},
            }),
            LayCtrl(TABLE_2),
            LayCtrl(TABLE_3),
            LayStretch(),
            LayRow({LayStretch(), LayCtrl(QUITBUTTON)}),
        },
        1);
    panel.layout = LayColumn({
        LayRow({left, right}, 1),
        LayRow({LayCtrl(SPLITTER, 1), LayCtrl(TEXTMSG_6), LayCtrl(SPLITTER_2, 1)}),
    });

    panel.hasMenuBar = true;
    panel.menuBar.id = MENUBAR;
    panel.menuBar.name = "MENUBAR";
    panel.menuBar.items = {
        {MENU_COMCONFIGURE, "MENU_COMCONFIGURE", "COMMUNICATION", "comConfigure", false},
        {MENU_SET, "MENU_SET", "SET", "parameterSet", false},
        {MENU_DEBUG, "MENU_DEBUG", "DEBUG", "debug", false},
        {MENU1, "MENU1", "Help", "", false},
    };
    return panel;
}

PanelDesc parameterSetPanel() {
    PanelDesc panel;
    panel.name = "PANEL_SET";
    panel.title = "PARAMETER SET";
    panel.width = 382;
    panel.height = 508;
    panel.controls = {
        tab(PanelSet::TAB, "TAB", "cb_refreshTab1",
            {
                page("TABPANEL_1", "BASIC"),
                page("TABPANEL_2", "TEMP"),
                page("TABPANEL_3", "FUNC"),
                page("TABPANEL_4", "THROTTLE"),
                page("TABPANEL_5", "MOTOR"),
                page("TABPANEL_6", "DEBUG"),
            }),
    };
    panel.layout = LayColumn({LayCtrl(PanelSet::TAB, 1)});
    return panel;
}

} // namespace

void RegisterMainwinResources() {
    static const PanelDesc mainPanel = mainWindow();
    static const PanelDesc setPanel = parameterSetPanel();
    RegisterPanelResource("mainwin.uir", PANEL_MAIN, &mainPanel);
    RegisterPanelResource("mainwin.uir", PANEL_SET, &setPanel);
}
