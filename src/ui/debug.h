// Panel of "debug.uir": the debug panel.
#pragma once

constexpr int PANEL_DEBG = 1;

namespace PanelDebg {
enum : int { TAB = 2 };
} // namespace PanelDebg

constexpr int DBG_TAB_PAGE_COUNT = 2;

void RegisterDebugResources();
