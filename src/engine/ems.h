// The communication thread and the display refresh thread.
#pragma once

#include "platform/runtime.h"

#include <atomic>

extern ThreadHandle RS232COMThreadHandle;
extern ThreadHandle RefreshUIThreadHandle;
extern std::atomic<int> RS232COMThreadStop;
extern std::atomic<int> RefreshUIThreadStop;
extern std::atomic<int> RS232COMThreadStatue;  // 1 = the communication thread has left its loop
extern std::atomic<int> RefreshUIThreadStatue; // 1 = the refresh thread has left its loop

extern int sendLedON_1;       // a single frame went out in this pass
extern int sendLedShineDelay; // blink phase of the transmit lamp, 0 to 10

// Starts the refresh thread, then the communication thread.
void InitThread();
int RS232COMThread(void *);
int RefreshUIThread(void *);

// One pass of the communication loop, without its closing 100 ms pause.
void RS232COMThreadPass();
// One pass of the refresh loop: the six pages, then the main window.
void RefreshUIThreadPass();
