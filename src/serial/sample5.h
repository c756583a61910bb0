// Serial-port settings: the settings panel's callbacks and the link state.
#pragma once

#include <atomic>

extern std::atomic<int> comConfigure_success_flag; // 1 = port active_comselect is open
extern std::atomic<int> active_comselect;          // number of the port last opened
extern int comConfigure_flag;                      // 1 = the settings panel is shown

int Configure(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
int Quit(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int CloseCOM(int panel, int control, int event, void *callbackData, int eventData1,
             int eventData2);

void RegisterSample5Callbacks();
