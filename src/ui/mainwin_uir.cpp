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

PageDesc basicPage() {
    using namespace TabPanel1;
    auto r = [](int record, const char *label, int unitId, const char *unitName,
                const char *unit, bool shown) {
        static const int values[] = {TAB1_NUMERIC_SET_1,  TAB1_NUMERIC_SET_2,  TAB1_NUMERIC_SET_3,
                                     TAB1_NUMERIC_SET_4,  TAB1_NUMERIC_SET_5,  TAB1_NUMERIC_SET_6,
                                     TAB1_NUMERIC_SET_7,  TAB1_NUMERIC_SET_8,  TAB1_NUMERIC_SET_9,
                                     TAB1_NUMERIC_SET_10, TAB1_NUMERIC_SET_11, TAB1_NUMERIC_SET_12,
                                     TAB1_NUMERIC_SET_13, TAB1_NUMERIC_SET_14, TAB1_NUMERIC_SET_15};
        static const char *const names[] = {
            "TAB1_NUMERIC_SET_1",  "TAB1_NUMERIC_SET_2",  "TAB1_NUMERIC_SET_3",
            "TAB1_NUMERIC_SET_4",  "TAB1_NUMERIC_SET_5",  "TAB1_NUMERIC_SET_6",
            "TAB1_NUMERIC_SET_7",  "TAB1_NUMERIC_SET_8",  "TAB1_NUMERIC_SET_9",
            "TAB1_NUMERIC_SET_10", "TAB1_NUMERIC_SET_11", "TAB1_NUMERIC_SET_12",
            "TAB1_NUMERIC_SET_13", "TAB1_NUMERIC_SET_14", "TAB1_NUMERIC_SET_15"};
        static const char *const buttons[] = {
            "TAB1_SEND_1",  "TAB1_SEND_2",  "TAB1_SEND_3",  "TAB1_SEND_4",  "TAB1_SEND_5",
            "TAB1_SEND_6",  "TAB1_SEND_7",  "TAB1_SEND_8",  "TAB1_SEND_9",  "TAB1_SEND_10",
            "TAB1_SEND_11", "TAB1_SEND_12", "TAB1_SEND_13", "TAB1_SEND_14", "TAB1_SEND_15"};
        static const char *const callbacks[] = {
            "tab1_send_1",  "tab1_send_2",  "tab1_send_3",  "tab1_send_4",  "tab1_send_5",
            "tab1_send_6",  "tab1_send_7",  "tab1_send_8",  "tab1_send_9",  "tab1_send_10",
            "tab1_send_11", "tab1_send_12", "tab1_send_13", "tab1_send_14", "tab1_send_15"};
        return row(numeric(values[record], names[record], label, shown), TAB1_SEND_1 + record,
                   buttons[record], callbacks[record], unitId, unitName, unit);
    };
    return paramPage("TABPANEL_1", "BASIC",
                     {
                         r(1, "Lack volt", TEXTMSG_5, "TEXTMSG_5", "V", true),
                         r(2, "Over volt", TEXTMSG_6, "TEXTMSG_6", "V", true),
                         r(3, "dc limit current", TEXTMSG_7, "TEXTMSG_7", "A", true),
                         r(4, "Boost dc current", TEXTMSG_8, "TEXTMSG_8", "A", true),
                         r(11, "Rated phase current", TEXTMSG_16, "TEXTMSG_16", "A", true),
                         r(5, "Max phase current", TEXTMSG_9, "TEXTMSG_9", "A", true),
                         r(6, "Protected phase current", TEXTMSG_10, "TEXTMSG_10", "A", true),
                         r(0, "Dc current limited volt", TEXTMSG_4, "TEXTMSG_4", "V", true),
                         r(7, "overload ph current2", TEXTMSG_11, "TEXTMSG_11", "A", false),
                         r(8, "overload time2", TEXTMSG_12, "TEXTMSG_12", "s", false),
                         r(13, "overload ph current1", TEXTMSG_15, "TEXTMSG_15", "A", false),
                         r(14, "overload time1", TEXTMSG_18, "TEXTMSG_18", "s", false),
                         r(9, "block ph current", TEXTMSG_13, "TEXTMSG_13", "A", false),
                         r(10, "block time", TEXTMSG_14, "TEXTMSG_14", "ms", false),
                         r(12, "Limit dc current", TEXTMSG_17, "TEXTMSG_17", "A", false),
                     });
}

PageDesc tempPage() {
    using namespace TabPanel2;
    return paramPage(
        "TABPANEL_2", "TEMP",
        {
            row(numeric(TAB2_NUMERIC_SET_1, "TAB2_NUMERIC_SET_1", "Unwork temperature"),
                TAB2_SEND_1, "TAB2_SEND_1", "tab2_send_1", TEXTMSG_11, "TEXTMSG_11", "℃"),
            row(numeric(TAB2_NUMERIC_SET_2, "TAB2_NUMERIC_SET_2", "Rework temperature"),
                TAB2_SEND_2, "TAB2_SEND_2", "tab2_send_2", TEXTMSG_10, "TEXTMSG_10", "℃"),
            row(numeric(TAB2_NUMERIC_SET_3, "TAB2_NUMERIC_SET_3", "Limited current temperature"),
                TAB2_SEND_3, "TAB2_SEND_3", "tab2_send_3", TEXTMSG_12, "TEXTMSG_12", "℃"),
            row(enableSwitch(TAB2_BINARYSWITCH_5, "TAB2_BINARYSWITCH_5", "Motor Temperatur Sensor "),
                TAB2_SEND_7, "TAB2_SEND_7", "tab2_send_7"),
            row(numeric(TAB2_NUMERIC_SET_4, "TAB2_NUMERIC_SET_4", "M_unwork temperature"),
                TAB2_SEND_4, "TAB2_SEND_4", "tab2_send_4", TEXTMSG_7, "TEXTMSG_7", "℃"),
            row(numeric(TAB2_NUMERIC_SET_7, "TAB2_NUMERIC_SET_7", "M_Rework temperature"),
                TAB2_SEND_5, "TAB2_SEND_5", "tab2_send_5", TEXTMSG_13, "TEXTMSG_13", "℃"),
            row(numeric(TAB2_NUMERIC_SET_6, "TAB2_NUMERIC_SET_6", "M_Limited current temperature"),
                TAB2_SEND_6, "TAB2_SEND_6", "tab2_send_6", TEXTMSG_9, "TEXTMSG_9", "℃"),
        });
}

PageDesc funcPage() {
    using namespace TabPanel3;
    return paramPage(
        "TABPANEL_3", "FUNC",
        {
            row(ring(TAB3_RING_2, "TAB3_RING_2", "Ebrake Mode",
                     {{"No ebrake", 0}, {"Ebrake-switch", 1}, {"Ebrake-throttle", 2}}, 0),
                TAB3_SEND_4, "TAB3_SEND_4", "tab3_send_4"),
            row(numeric(TAB3_NUMERIC_SET_12, "TAB3_NUMERIC_SET_12", "Electric brake phase current"),
                TAB3_SEND_12, "TAB3_SEND_12", "tab3_send_12", TEXTMSG_10, "TEXTMSG_10", "A"),
            row(ring(TAB3_RING_1, "TAB3_RING_1", "Boost/3 Spd",
                     {{"Boost", 1}, {"3 Speed (button)", 0}, {"3 Speed (switch)", 2},
                      {"BoostStart", 3}},
                     1),
                TAB3_SEND_5, "TAB3_SEND_5", "tab3_send_5"),
            row(enableSwitch(TAB3_BINARYSWITCH_6, "TAB3_BINARYSWITCH_6", "Cruise"), TAB3_SEND_6,
                "TAB3_SEND_6", "tab3_send_6"),
            row(numeric(TAB3_NUMERIC_SET_9, "TAB3_NUMERIC_SET_9", "ReverseSpeed Limit"),
                TAB3_SEND_9, "TAB3_SEND_9", "tab3_send_9", TEXTMSG_8, "TEXTMSG_8", "%"),
            row(enableSwitch(TAB3_BINARYSWITCH_10, "TAB3_BINARYSWITCH_10", "Flux weakening"),
                TAB3_SEND_10, "TAB3_SEND_10", "tab3_send_10"),
            row(numeric(TAB3_NUMERIC_SET_11, "TAB3_NUMERIC_SET_11", "Flux weaken current"),
                TAB3_SEND_11, "TAB3_SEND_11", "tab3_send_11", TEXTMSG_9, "TEXTMSG_9", "A"),
            row(enableSwitch(TAB3_BINARYSWITCH_13, "TAB3_BINARYSWITCH_13", "Regenerative Charge"),
                TAB3_SEND_13, "TAB3_SEND_13", "tab3_send_13"),
            row(numeric(TAB3_NUMERIC_SET_14, "TAB3_NUMERIC_SET_14",
                        "Slide regenerative charge current"),
                TAB3_SEND_14, "TAB3_SEND_14", "tab3_send_14", TEXTMSG_11, "TEXTMSG_11", "A"),
            row(numeric(TAB3_NUMERIC_SET_15, "TAB3_NUMERIC_SET_15",
                        "Slide regenerative charge speed"),
                TAB3_SEND_15, "TAB3_SEND_15", "tab3_send_15", TEXTMSG_12, "TEXTMSG_12", "Rpm"),
            // Bound to no record: nothing writes or reads it.
            row(hidden(enableSwitch(TAB3_BINARYSWITCH_5, "TAB3_BINARYSWITCH_5", "BOOST")), 0,
                nullptr, nullptr),
            row(hidden(enableSwitch(TAB3_BINARYSWITCH_2, "TAB3_BINARYSWITCH_2", "Brake protect")),
                TAB3_SEND_2, "TAB3_SEND_2", "tab3_send_2"),
            row(hidden(enableSwitch(TAB3_BINARYSWITCH_3, "TAB3_BINARYSWITCH_3", "General brake")),
                TAB3_SEND_3, "TAB3_SEND_3", "tab3_send_3"),
            row(hidden(binarySwitch(TAB3_BINARYSWITCH_1, "TAB3_BINARYSWITCH_1", "Throttle protect",
                                    "enable", "diable")),
                TAB3_SEND_1, "TAB3_SEND_1", "tab3_send_1"),
            row(hidden(enableSwitch(TAB3_BINARYSWITCH_7, "TAB3_BINARYSWITCH_7", "side support")),
                TAB3_SEND_7, "TAB3_SEND_7", "tab3_send_7"),
            row(hidden(enableSwitch(TAB3_BINARYSWITCH_8, "TAB3_BINARYSWITCH_8", "控制器限流开放")),
                TAB3_SEND_8, "TAB3_SEND_8", "tab3_send_8"),
            row(hidden(numeric(TAB3_NUMERIC_SET_16, "TAB3_NUMERIC_SET_16",
                               "Guard ph current coeff 0~1.0")),
                TAB3_SEND_16, "TAB3_SEND_16", "tab3_send_16"),
        });
}

PageDesc throttlePage() {
    using namespace TabPanel4;
    return paramPage(
        "TABPANEL_4", "THROTTLE",
        {
            row(numeric(TAB4_NUMERIC_SET_1, "TAB4_NUMERIC_SET_1", "Throttle min volt"),
                TAB4_SEND_1, "TAB4_SEND_1", "tab4_send_1", TEXTMSG_5, "TEXTMSG_5", "V"),
            row(numeric(TAB4_NUMERIC_SET_2, "TAB4_NUMERIC_SET_2", "Throttle max volt"),
                TAB4_SEND_2, "TAB4_SEND_2", "tab4_send_2", TEXTMSG_6, "TEXTMSG_6", "V"),
            row(numeric(TAB4_NUMERIC_SET_3, "TAB4_NUMERIC_SET_3", "Accelerate time"), TAB4_SEND_3,
                "TAB4_SEND_3", "tab4_send_3", TEXTMSG_8, "TEXTMSG_8", "ms"),
            row(numeric(TAB4_NUMERIC_SET_4, "TAB4_NUMERIC_SET_4", "Decelerate time"), TAB4_SEND_4,
                "TAB4_SEND_4", "tab4_send_4", TEXTMSG_7, "TEXTMSG_7", "ms"),
            row(numeric(TAB4_NUMERIC_SET_5, "TAB4_NUMERIC_SET_5", "Throttle mid volt"),
                TAB4_SEND_5, "TAB4_SEND_5", "tab4_send_5", TEXTMSG_9, "TEXTMSG_9", "V"),
            row(numeric(TAB4_NUMERIC_SET_6, "TAB4_NUMERIC_SET_6", "Throttle mid current"),
                TAB4_SEND_6, "TAB4_SEND_6", "tab4_send_6", TEXTMSG_10, "TEXTMSG_10", "A"),
        });
}

PageDesc motorPage() {
    using namespace TabPanel5;
    CtrlDesc hallAngle = numeric(TAB5_NUMERIC_SET_2, "TAB5_NUMERIC_SET_2", "hall fixed angle", false);
    hallAngle.minValue = 0;
    hallAngle.maxValue = 359;
    return paramPage(
        "TABPANEL_5", "MOTOR",
        {
            row(numeric(TAB5_NUMERIC_SET_3, "TAB5_NUMERIC_SET_3", "Motor direction"), TAB5_SEND_3,
                "TAB5_SEND_3", "tab5_send_3"),
            row(numeric(TAB5_NUMERIC_SET_4, "TAB5_NUMERIC_SET_4", "Motor Pn"), TAB5_SEND_4,
                "TAB5_SEND_4", "tab5_send_4"),
            row(numeric(TAB5_NUMERIC_SET_7, "TAB5_NUMERIC_SET_7", "Motor Lmd", false), TAB5_SEND_7,
                "TAB5_SEND_7", "tab5_send_7"),
            row(ring(TAB5_RING_8, "TAB5_RING_8", "Speed limit mode select",
                     {{"extern resistance", 2}, {"intern set", 1}, {"no limit", 0}}, 0),
                TAB5_SEND_8, "TAB5_SEND_8", "tab5_send_8"),
            row(numeric(TAB5_NUMERIC_SET_9, "TAB5_NUMERIC_SET_9", "Motor limit speed set"),
                TAB5_SEND_9, "TAB5_SEND_9", "tab5_send_9", TEXTMSG_8, "TEXTMSG_8", "%"),
            row(numeric(TAB5_NUMERIC_SET_10, "TAB5_NUMERIC_SET_10", "Low speed set"),
                TAB5_SEND_10, "TAB5_SEND_10", "tab5_send_10", TEXTMSG_9, "TEXTMSG_9", "%"),
            row(numeric(TAB5_NUMERIC_SET_11, "TAB5_NUMERIC_SET_11", "Middle speed set"),
                TAB5_SEND_11, "TAB5_SEND_11", "tab5_send_11", TEXTMSG_10, "TEXTMSG_10", "%"),
            row(numeric(TAB5_NUMERIC_SET_5, "TAB5_NUMERIC_SET_5", "motor L", false), TAB5_SEND_5,
                "TAB5_SEND_5", "tab5_send_5"),
            row(numeric(TAB5_NUMERIC_SET_6, "TAB5_NUMERIC_SET_6", "motor R", false), TAB5_SEND_6,
                "TAB5_SEND_6", "tab5_send_6"),
            row(numeric(TAB5_NUMERIC_SET_1, "TAB5_NUMERIC_SET_1", "hall squence", false),
                TAB5_SEND_1, "TAB5_SEND_1", "tab5_send_1"),
            row(hallAngle, TAB5_SEND_2, "TAB5_SEND_2", "tab5_send_2"),
        });
}

PageDesc debugPage() {
    using namespace TabPanel6;
    return paramPage(
        "TABPANEL_6", "DEBUG",
        {
            row(numeric(TAB6_NUMERIC_SET_1, "TAB6_NUMERIC_SET_1", "Current loop kp"), TAB6_SEND_1,
                "TAB6_SEND_1", "tab6_send_1"),
            row(numeric(TAB6_NUMERIC_SET_5, "TAB6_NUMERIC_SET_5", "Test given current "),
                TAB6_SEND_5, "TAB6_SEND_5", "tab6_send_5", TEXTMSG_7, "TEXTMSG_7", "A"),
            row(ring(TAB6_RING_4, "TAB6_RING_4", "Control mode ",
                     {{"HALL angle test", 1}, {"normal run", 0}}, 1),
                TAB6_SEND_4, "TAB6_SEND_4", "tab6_send_4"),
            row(enableSwitch(TAB6_BINARYSWITCH_3, "TAB6_BINARYSWITCH_3", "Hall angle test"),
                TAB6_SEND_3, "TAB6_SEND_3", "tab6_send_3"),
            row(numeric(TAB6_NUMERIC_SET_6, "TAB6_NUMERIC_SET_6", "Hall angle"), TAB6_SEND_6,
                "TAB6_SEND_6", "tab6_send_6", TEXTMSG_8, "TEXTMSG_8", "degree", false),
            // Command rows: their buttons write a fixed command into the record.
            row(text(TEXTMSG_9, "TEXTMSG_9", "Restore factory settings"), TAB6_SEND_7,
                "TAB6_SEND_7", "tab6_send_7"),
            row(text(TEXTMSG_10, "TEXTMSG_10", "Parameter store"), TAB6_SEND_8, "TAB6_SEND_8",
                "tab6_send_8"),
            row(hidden(binarySwitch(TAB6_BINARYSWITCH_7, "TAB6_BINARYSWITCH_7",
                                    "Restore factory settings", "Yes", "No")),
                0, nullptr, nullptr),
            row(hidden(binarySwitch(TAB6_BINARYSWITCH_8, "TAB6_BINARYSWITCH_8", "Parameter store",
                                    "Yes", "No")),
                0, nullptr, nullptr),
            row(numeric(TAB6_NUMERIC_SET_2, "TAB6_NUMERIC_SET_2", "Current loop ki", false),
                TAB6_SEND_2, "TAB6_SEND_2", "tab6_send_2"),
        });
}

PanelDesc parameterSetPanel() {
    PanelDesc panel;
    panel.name = "PANEL_SET";
    panel.title = "PARAMETER SET";
    panel.width = 382;
    panel.height = 508;
    panel.controls = {
        tab(PanelSet::TAB, "TAB", "cb_refreshTab1",
            {basicPage(), tempPage(), funcPage(), throttlePage(), motorPage(), debugPage()}),
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
