// Panel of "sample5.uir": the serial-port settings panel.
#pragma once

constexpr int PANEL_COM = 1;

namespace PanelCom {
enum : int {
    COMSELECT = 2,
    BTLSELECT = 3,
    JYSELECT = 4,
    LONGSELECT = 5,
    STOPSELECT = 6,
    QUIT = 7,
    CLOSECOM = 8,
    CONFIGURE = 9,
};
} // namespace PanelCom

void RegisterSample5Resources();
