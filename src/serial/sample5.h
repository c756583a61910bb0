// Serial-port settings: the settings panel's callbacks and the link state.
#pragma once

#include "modbus/link.h"

extern int comConfigure_flag;                      // 1 = the settings panel is shown

int Configure(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
int Quit(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int CloseCOM(int panel, int control, int event, void *callbackData, int eventData1,
             int eventData2);

void RegisterSample5Callbacks();
