// "debug.uir": the debug panel with its two pages.
#include "ui/debug.h"
#include "ui/uir_build.h"

using namespace uir;

namespace {

PanelDesc debugPanel() {
    PanelDesc panel;
    panel.name = "PANEL_DEBG";
    panel.title = "DEBUG";
    panel.width = 318;
    panel.height = 375;
    panel.controls = {
        tab(PanelDebg::TAB, "TAB", "refreshDebugTab",
            {
                page("DBG_TAB1", "设置"),
                page("DBG_TAB2", "调试"),
            }),
    };
    panel.layout = LayColumn({LayCtrl(PanelDebg::TAB, 1)});
    return panel;
}

} // namespace

void RegisterDebugResources() {
    static const PanelDesc panel = debugPanel();
    RegisterPanelResource("debug.uir", PANEL_DEBG, &panel);
}
