#include "serial/sample5.h"

#include "engine/ems.h"
#include "modbus/modbus.h"
#include "platform/rs232lib.h"
#include "platform/uir.h"
#include "platform/userint.h"
#include "registers/dataitem.h"
#include "serial/rs232.h"
#include "ui/panels.h"

#include <string>

int comConfigure_flag = 0;
int comvalue = 0, btlvalue = 0, jhvalue = 0, longvalue = 0, stopvalue = 0;
int comselect = 0, btlselect = 0, jhselect = 0, longselect = 0, stopselect = 0;

namespace {

int mapBaud(int value) {
    const int rates[] = {1200, 2400, 4800, 9600, 19200, 115200};
    return value >= 1 && value <= 6 ? rates[value - 1] : 0;
}
int mapParity(int value) { return value >= 1 && value <= 3 ? value - 1 : -1; }
int mapDataBits(int value) { return value >= 1 && value <= 3 ? value + 6 : 0; }
int mapStopBits(int value) { return value == 1 || value == 2 ? value : 0; }

// "config failed!" and, below it, what went wrong and what to do about it.
std::string configFailedText(int status, int port) {
    std::string device = SerialDeviceForPort(port);
    std::string text = "config failed!";
    if (device.empty()) {
        text += "\n\nNo serial device is connected for this port. Plug in the USB-serial "
                "adapter and open this panel again.";
        return text;
    }
    text += "\n\n" + device + ": " + RS232ErrorText(status) + ".";
    if (status == RS232_ERR_PERMISSION)
        text += "\n\nSerial devices belong to the group \"dialout\". Add your user to it:\n"
                "    sudo usermod -aG dialout $USER\n"
                "then log out and in again.";
    return text;
}

void setTimers(int enabled) {
    using namespace PanelMain;
    SetCtrlAttribute(panelMain, TIMER_CMPW, ATTR_INTERVAL, 10.0);
    SetCtrlAttribute(panelMain, TIMER_CMPW_RT, ATTR_INTERVAL, 0.05);
    SetCtrlAttribute(panelMain, TIMER_CMPW, ATTR_ENABLED, enabled);
    SetCtrlAttribute(panelMain, TIMER_CMPW_RT, ATTR_ENABLED, enabled);
}

} // namespace

int Configure(int, int, int event, void *, int, int) {
    using namespace PanelCom;
    if (event != EVENT_COMMIT)
        return 0;
    GetCtrlVal(child, COMSELECT, &comvalue);
    comselect = comvalue;
    GetCtrlVal(child, BTLSELECT, &btlvalue);
    btlselect = mapBaud(btlvalue);
    GetCtrlVal(child, JYSELECT, &jhvalue);
    jhselect = mapParity(jhvalue);
    GetCtrlVal(child, LONGSELECT, &longvalue);
    longselect = mapDataBits(longvalue);
    GetCtrlVal(child, STOPSELECT, &stopvalue);
    stopselect = mapStopBits(stopvalue);

    if (RS232COMThreadHandle)
        SuspendThread(RS232COMThreadHandle);
    if (comConfigure_success_flag == 1 && CloseCom(active_comselect) != 0)
        MessagePopup("Error", "close failed!");
    int status =
        OpenComConfig(comselect, "", btlselect, jhselect, longselect, stopselect, 1024, 1024);
    if (status != 0) {
        MessagePopup("Error", configFailedText(status, comselect).c_str());
        comConfigure_success_flag = 0;
    } else {
        active_comselect = comselect;
        comConfigure_success_flag = 1;
        FlushInQ(active_comselect);
        SetComTime(active_comselect, 5.0);
        if (ReturnRS232Err() < 0)
            ErrorCheck("Error Setting Com Time", ReturnRS232Err());
        // No reply to a request made before this opening can come any more.
        ResetLineState();
    }
    if (RS232COMThreadHandle)
        ResumeThread(RS232COMThreadHandle);

    if (comConfigure_success_flag == 1) {
        HidePanel(child);
        comConfigure_flag = 0;
        // The password goes out through the line token, so it is never built into the
        // transmit buffer beside another frame. If the communication thread has just
        // taken the line, it is busy with its own password write or a poll.
        if (TakeComIdle())
            send_1frame(6, communication_password_hci.address,
                        static_cast<int>(communication_password_hci.value));
        setTimers(1);
    }
    return 0;
}

int Quit(int, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT)
        return 0;
    HidePanel(child);
    comConfigure_flag = 0;
    return 0;
}

int CloseCOM(int, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT)
        return 0;
    if (RS232COMThreadHandle)
        SuspendThread(RS232COMThreadHandle);
    if (comConfigure_success_flag == 1) {
        if (CloseCom(active_comselect) != 0) {
            MessagePopup("Error", "close failed!");
        } else {
            comConfigure_success_flag = 0;
            SetCtrlVal(panelMain, PanelMain::LED_TRANSMIT, 0);
            SetCtrlVal(panelMain, PanelMain::LED_RECIEVE, 0);
        }
    }
    if (RS232COMThreadHandle)
        ResumeThread(RS232COMThreadHandle);
    return 0;
}

void RefreshComSelect() {
    using namespace PanelCom;
    int current = 0;
    GetCtrlVal(child, COMSELECT, &current);
    std::string chosen = SerialDeviceForPort(current);
    std::vector<SerialPortInfo> ports = RefreshSerialPorts();
    ClearListCtrl(child, COMSELECT);
    if (ports.empty())
        InsertListItem(child, COMSELECT, -1, "COM1 (no serial device found)", 1);
    int select = 1;
    for (const auto &port : ports) {
        std::string text = "COM" + std::to_string(port.number) + "  " + port.device;
        if (!port.description.empty())
            text += "  (" + port.description + ")";
        InsertListItem(child, COMSELECT, -1, text.c_str(), port.number);
        if (!chosen.empty() && port.device == chosen)
            select = port.number;
    }
    SetCtrlVal(child, COMSELECT, select);
}

void RegisterSample5Callbacks() {
    RegisterCtrlCallback("Configure", Configure);
    RegisterCtrlCallback("Quit", Quit);
    RegisterCtrlCallback("CloseCOM", CloseCOM);
}
