#include "app/page_timers.h"

#include "modbus/modbus.h"
#include "platform/uir.h"
#include "platform/userint.h"
#include "registers/dataitem.h"
#include "serial/rs232.h"
#include "ui/panels.h"

int communication_password_sendFlag = 0;

// The page brought to the front is read again and redrawn from its records at once.
int cb_refreshTab1(int, int, int event, void *, int, int) {
    if (event != EVENT_ACTIVE_TAB_CHANGE)
        return 0;
    int page = -1;
    GetActiveTabPage(panel_set, PanelSet::TAB, &page);
    if (page < 0 || page >= TABPANEL_PAGE_COUNT)
        return 0;
    const DataTable &table = parameterTables[page];
    table.items[0].readFlag = 1;
    for (int i = 0; i < table.count; ++i)
        table.items[i].refreshFlag = 1;
    return 0;
}

int timer_cmPW(int, int, int event, void *, int, int) {
    if (event == EVENT_TIMER_TICK)
        communication_password_sendFlag = 1;
    return 0;
}

// Sends the password once it is due and the line is free; a request that finds the line
// busy waits for a later tick.
int timer_cmPW_rt(int, int, int event, void *, int, int) {
    if (event != EVENT_TIMER_TICK)
        return 0;
    if (communication_password_sendFlag != 1 || !TakeComIdle())
        return 0;
    communication_password_sendFlag = 0;
    if (send_1frame(6, communication_password_hci.address,
                    static_cast<int>(communication_password_hci.value)) == -1) {
        SetCtrlAttribute(panelMain, PanelMain::TIMER_CMPW, ATTR_ENABLED, 0);
        SetCtrlAttribute(panelMain, PanelMain::TIMER_CMPW_RT, ATTR_ENABLED, 0);
        return -1;
    }
    return 0;
}

void RegisterPageTimerCallbacks() {
    RegisterCtrlCallback("cb_refreshTab1", cb_refreshTab1);
    RegisterCtrlCallback("timer_cmPW", timer_cmPW);
    RegisterCtrlCallback("timer_cmPW_rt", timer_cmPW_rt);
}
