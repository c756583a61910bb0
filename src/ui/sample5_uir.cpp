// "sample5.uir": the serial-port settings panel.
#include "ui/sample5.h"
#include "ui/uir_build.h"

#include <string>

using namespace uir;

namespace {

PanelDesc comPanel() {
    using namespace PanelCom;
    std::vector<RingItem> ports;
    for (int n = 1; n <= 20; ++n)
        ports.push_back({"COM" + std::to_string(n), n});
    PanelDesc panel;
    panel.name = "PANEL_COM";
    panel.title = "COM CONFIGURE";
    panel.width = 360;
    panel.height = 120;
    panel.controls = {
        ring(COMSELECT, "COMSELECT", "COM SELECT", ports, 3),
        ring(BTLSELECT, "BTLSELECT", "Baud rate",
             {{"1200", 1}, {"2400", 2}, {"4800", 3}, {"9600", 4}, {"19200", 5}, {"115200", 6}},
             4, false),
        ring(JYSELECT, "JYSELECT", "CHECK MODE",
             {{"Odd parity", 2}, {"Even parity", 3}, {"NO parity", 1}}, 0, false),
        ring(LONGSELECT, "LONGSELECT", "DATA BITS", {{"7", 1}, {"8", 2}, {"9", 3}}, 1, false),
        ring(STOPSELECT, "STOPSELECT", "STOP BITS", {{"1", 1}, {"2", 2}}, 0, false),
        button(QUIT, "QUIT", "Quit", "Quit"),
        button(CLOSECOM, "CLOSECOM", "__CloseCOM", "CloseCOM", false),
        button(CONFIGURE, "CONFIGURE", "__Configure", "Configure"),
    };
    panel.layout = LayRow({
        LayColumn({LayForm({{COMSELECT, {}},
                            {BTLSELECT, {}},
                            {JYSELECT, {}},
                            {LONGSELECT, {}},
                            {STOPSELECT, {}}}),
                   LayStretch()},
                  1),
        LayColumn({LayCtrl(CONFIGURE), LayCtrl(QUIT), LayCtrl(CLOSECOM), LayStretch()}),
    });
    return panel;
}

} // namespace

void RegisterSample5Resources() {
    static const PanelDesc panel = comPanel();
    RegisterPanelResource("sample5.uir", PANEL_COM, &panel);
}
