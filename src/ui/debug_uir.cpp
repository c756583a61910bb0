// "debug.uir": the debug panel with its two pages.
#include "ui/debug.h"
#include "ui/uir_build.h"

using namespace uir;

namespace {

CtrlDesc yesNo(int id, const char *name, const char *label) {
    return binarySwitch(id, name, label, "是", "否");
}

PageDesc settingsPage() {
    using namespace DbgTab1;
    return paramPage(
        "DBG_TAB1", "设置",
        {
            row(numeric(NUMERIC_SET_1, "NUMERIC_SET_1", "电流比例系数"), DEBUG_TAB1_SEND_1,
                "DEBUG_TAB1_SEND_1", "debug_tab1_send_1"),
            row(numeric(NUMERIC_SET_2, "NUMERIC_SET_2", "电流积分系数"), DEBUG_TAB1_SEND_2,
                "DEBUG_TAB1_SEND_2", "debug_tab1_send_2"),
            row(numeric(NUMERIC_SET_6, "NUMERIC_SET_6", "电角度偏移量"), DEBUG_TAB1_SEND_6,
                "DEBUG_TAB1_SEND_6", "debug_tab1_send_6", TEXTMSG_8, "TEXTMSG_8", "度"),
            row(yesNo(BINARYSWITCH_7, "BINARYSWITCH_7", "恢复出厂设置"), DEBUG_TAB1_SEND_7,
                "DEBUG_TAB1_SEND_7", "debug_tab1_send_7"),
            row(yesNo(BINARYSWITCH_8, "BINARYSWITCH_8", "保存使能"), DEBUG_TAB1_SEND_8,
                "DEBUG_TAB1_SEND_8", "debug_tab1_send_8"),
            row(yesNo(BINARYSWITCH_15, "BINARYSWITCH_15", "HALL故障屏蔽使能"), DEBUG_TAB1_SEND_15,
                "DEBUG_TAB1_SEND_15", "debug_tab1_send_15"),
        });
}

PageDesc testPage() {
    using namespace DbgTab2;
    return paramPage(
        "DBG_TAB2", "调试",
        {
            row(ring(RING_4, "RING_4", "运行模式选择",
                     {{"测试HALL", 1}, {"电流环DEBUG", 2}, {"电压环DEBUG", 3}, {"正常运行", 0}}, 3),
                DEBUG_TAB2_SEND_4, "DEBUG_TAB2_SEND_4", "debug_tab2_send_4"),
            row(binarySwitch(BINARYSWITCH_3, "BINARYSWITCH_3", "测试使能", "使能", "停止"),
                DEBUG_TAB2_SEND_3, "DEBUG_TAB2_SEND_3", "debug_tab2_send_3"),
            row(numeric(NUMERIC_SET_5, "NUMERIC_SET_5", "测试给定电流D"), DEBUG_TAB2_SEND_5,
                "DEBUG_TAB2_SEND_5", "debug_tab2_send_5", TEXTMSG_7, "TEXTMSG_7", "A"),
            row(numeric(NUMERIC_SET_9, "NUMERIC_SET_9", "测试给定电流Q"), DEBUG_TAB2_SEND_9,
                "DEBUG_TAB2_SEND_9", "debug_tab2_send_9", TEXTMSG_9, "TEXTMSG_9", "A"),
            row(ring(RING_11, "RING_11", "角度选择",
                     {{"固定角度", 1}, {"旋转角度", 2}, {"HALL", 0}}, 2),
                DEBUG_TAB2_SEND_11, "DEBUG_TAB2_SEND_11", "debug_tab2_send_11"),
            row(numeric(NUMERIC_SET_10, "NUMERIC_SET_10", "测试给定频率"), DEBUG_TAB2_SEND_10,
                "DEBUG_TAB2_SEND_10", "debug_tab2_send_10", TEXTMSG_10, "TEXTMSG_10", "Hz"),
            row(numeric(NUMERIC_SET_12, "NUMERIC_SET_12", "测试给定电压VD"), DEBUG_TAB2_SEND_12,
                "DEBUG_TAB2_SEND_12", "debug_tab2_send_12"),
            row(numeric(NUMERIC_SET_13, "NUMERIC_SET_13", "测试给定电压VD"), DEBUG_TAB2_SEND_13,
                "DEBUG_TAB2_SEND_13", "debug_tab2_send_13"),
            row(numeric(NUMERIC_SET_14, "NUMERIC_SET_14", "测试给定电角度"), DEBUG_TAB2_SEND_14,
                "DEBUG_TAB2_SEND_14", "debug_tab2_send_14"),
        });
}

PanelDesc debugPanel() {
    PanelDesc panel;
    panel.name = "PANEL_DEBG";
    panel.title = "DEBUG";
    panel.width = 318;
    panel.height = 375;
    panel.controls = {tab(PanelDebg::TAB, "TAB", "refreshDebugTab", {settingsPage(), testPage()})};
    panel.layout = LayColumn({LayCtrl(PanelDebg::TAB, 1)});
    return panel;
}

} // namespace

void RegisterDebugResources() {
    static const PanelDesc panel = debugPanel();
    RegisterPanelResource("debug.uir", PANEL_DEBG, &panel);
}
