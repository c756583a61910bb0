#include "ui/panels.h"

int panelMain = 0;
int child = 0;
int panel_set = 0;
int panel_set_tab[TABPANEL_PAGE_COUNT] = {};
int panel_debug = 0;
int panel_debug_tab[DBG_TAB_PAGE_COUNT] = {};

void RegisterUserInterfaceResources() {
    RegisterMainwinResources();
    RegisterSample5Resources();
    RegisterDebugResources();
}
