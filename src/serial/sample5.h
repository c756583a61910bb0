// Serial-port settings: the settings panel's callbacks and the link state.
#pragma once

#include "modbus/link.h"

extern int comConfigure_flag; // 1 = the settings panel is shown

// Ring values last read and the port settings derived from them.
extern int comvalue, btlvalue, jhvalue, longvalue, stopvalue;
extern int comselect, btlselect, jhselect, longselect, stopselect;

int Configure(int panel, int control, int event, void *callbackData, int eventData1,
              int eventData2);
int Quit(int panel, int control, int event, void *callbackData, int eventData1, int eventData2);
int CloseCOM(int panel, int control, int event, void *callbackData, int eventData1,
             int eventData2);

// Fills "COM SELECT" with the serial devices present now, keeping the chosen device
// selected if it is still there.
void RefreshComSelect();

void RegisterSample5Callbacks();
