// Handles of the four panels and their tab pages, created once at start-up.
#pragma once

#include "ui/debug.h"
#include "ui/mainwin.h"
#include "ui/sample5.h"

extern int panelMain;
extern int child; // serial-port settings panel
extern int panel_set;
extern int panel_set_tab[TABPANEL_PAGE_COUNT];
extern int panel_debug;
extern int panel_debug_tab[DBG_TAB_PAGE_COUNT];

// Every panel description of the program, under its file name and panel number.
void RegisterUserInterfaceResources();
