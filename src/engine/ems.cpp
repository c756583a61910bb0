#include "engine/ems.h"

#include "engine/refresh.h"

#include "modbus/link.h"
#include "modbus/modbus.h"
#include "platform/userint.h"
#include "registers/dataitem.h"
#include "serial/rs232.h"
#include "ui/panels.h"

ThreadHandle RS232COMThreadHandle = nullptr;
ThreadHandle RefreshUIThreadHandle = nullptr;
std::atomic<int> RS232COMThreadStop{0};
std::atomic<int> RefreshUIThreadStop{0};
std::atomic<int> RS232COMThreadStatue{0};
std::atomic<int> RefreshUIThreadStatue{0};
int sendLedON_1 = 0;
int sendLedShineDelay = 0;

void InitThread() {
    if (!RefreshUIThreadHandle) {
        RefreshUIThreadStop = 0;
        RefreshUIThreadStatue = 0;
        RefreshUIThreadHandle = CreateThread(RefreshUIThread, nullptr);
    }
    if (!RS232COMThreadHandle) {
        RS232COMThreadStop = 0;
        RS232COMThreadStatue = 0;
        RS232COMThreadHandle = CreateThread(RS232COMThread, nullptr);
    }
}

void RS232COMThreadPass() {
    if (comConfigure_success_flag == 1) {
        if (hci_commnication_enable_3421 == 1) {
            RS232Send();
        } else if (TakeComIdle()) {
            Sleep(100);
            // A failed write has shown its message and marked the port closed; the loop
            // carries on as with a closed port, so a reopened port is served again.
            send_1frame(6, communication_password_hci.address,
                        static_cast<int>(communication_password_hci.value));
        }
        if (tx_package_flag_send == 1) {
            tx_package_flag_send = 0;
            sendLedON_1 = 1;
        } else {
            sendLedON_1 = 0;
        }
        if (sendLedON == 1 || sendLedON_1 == 1) {
            sendLedShineDelay = sendLedShineDelay < 10 ? sendLedShineDelay + 1 : 0;
            SetCtrlVal(panelMain, PanelMain::LED_TRANSMIT, sendLedShineDelay < 3 ? 1 : 0);
        } else {
            sendLedShineDelay = 0;
            SetCtrlVal(panelMain, PanelMain::LED_TRANSMIT, 0);
        }
        RS232Rec();
    } else {
        // While the port is closed, every parameter table is read again once it opens.
        for (const DataTable &table : parameterTables)
            if (table.items[0].readFlag == 0)
                table.items[0].readFlag = 1;
    }
}

int RS232COMThread(void *) {
    while (RS232COMThreadStop == 0) {
        ThreadCheckpoint(); // a port change waits here, between passes
        if (RS232COMThreadStop != 0)
            break;
        RS232COMThreadPass();
        Sleep(100);
    }
    RS232COMThreadStatue = 1;
    return 0;
}

void RefreshUIThreadPass() {
    refreshTABPANEL_1();
    refreshTABPANEL_2();
    refreshTABPANEL_3();
    refreshTABPANEL_4();
    refreshTABPANEL_5();
    refreshTABPANEL_6();
    refreshQUERY();
}

int RefreshUIThread(void *) {
    while (RefreshUIThreadStop == 0) {
        RefreshUIThreadPass();
        Sleep(200);
    }
    RefreshUIThreadStatue = 1;
    return 0;
}
