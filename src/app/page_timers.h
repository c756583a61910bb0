// Tab selection on the parameter panel and the password keep-alive timers.
#pragma once

extern int communication_password_sendFlag; // 1 = the password is due again

int cb_refreshTab1(int panel, int control, int event, void *data, int e1, int e2);
int timer_cmPW(int panel, int control, int event, void *data, int e1, int e2);
int timer_cmPW_rt(int panel, int control, int event, void *data, int e1, int e2);

void RegisterPageTimerCallbacks();
