// Program entry, menus, QUIT and shutdown.
#pragma once

extern int comConfigure_flag; // settings panel shown (kept by the settings panel module)
extern int panelSet_display_flag;
extern int panel_debug_display_flag;

// Starts the run-time, builds the panels and the register tables, starts the worker
// threads and runs the event loop. 0 after QUIT; -1 when the run-time or the main window
// cannot be set up.
int WinMain(int argc, char *argv[]);

// Start-up steps 2 to 7: the four panels and their pages, handles in the globals.
// -1 when the main window cannot be loaded.
int LoadProgramPanels();

void comConfigure(int menuBar, int menuItem, void *callbackData, int panel);
void parameterSet(int menuBar, int menuItem, void *callbackData, int panel);
void debug(int menuBar, int menuItem, void *callbackData, int panel);
int QuitCallback(int panel, int control, int event, void *callbackData, int eventData1,
                 int eventData2);

// The callbacks the panel descriptions name, made known to the run-time (before WinMain).
void RegisterMainwinCallbacks();
