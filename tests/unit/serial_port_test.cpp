// The serial layer on real pseudo-terminals, and the settings panel's callbacks.
#include "engine/ems.h"
#include "modbus/link.h"
#include "modbus/modbus.h"
#include "platform/rs232lib.h"
#include "platform/userint.h"
#include "registers/dataitem.h"
#include "serial/rs232.h"
#include "serial/sample5.h"
#include "support/scripted_port.h"
#include "ui/panels.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <string>
#include <unistd.h>

namespace {

// A pseudo-terminal whose far end the test holds.
struct Pty {
    Pty() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(master);
        unlockpt(master);
        device = ptsname(master);
    }
    ~Pty() {
        if (master >= 0)
            close(master);
    }
    int master = -1;
    std::string device;
};

TEST(SerialPorts, NamedDevicesComeFirstInTheTable) {
    Pty a, b;
    AddSerialDevice(a.device);
    AddSerialDevice(b.device);
    AddSerialDevice(a.device); // named twice, listed once
    std::vector<SerialPortInfo> ports = RefreshSerialPorts();
    ASSERT_GE(ports.size(), 2u);
    EXPECT_EQ(ports[0].number, 1);
    EXPECT_EQ(ports[0].device, a.device);
    EXPECT_EQ(ports[1].device, b.device);
    EXPECT_LE(ports.size(), 20u);
    EXPECT_EQ(SerialDeviceForPort(2), b.device);
    EXPECT_EQ(SerialDeviceForPort(21), "");
}

TEST(SerialPorts, PseudoTerminalRoundTripExclusiveAndHangUp) {
    Pty pty;
    ASSERT_EQ(OpenComConfig(7, pty.device.c_str(), 19200, 1, 8, 1, 1024, 1024), 0);
    // A second program gets "busy".
    int other = open(pty.device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (other >= 0) {
        EXPECT_NE(flock(other, LOCK_EX | LOCK_NB), 0);
        close(other);
    }
    EXPECT_EQ(ComWrt(7, "\x01\x03", 2), 2);
    char got[8] = {};
    usleep(20000);
    EXPECT_EQ(read(pty.master, got, sizeof got), 2);
    EXPECT_EQ(GetInQLen(7), 0);
    ASSERT_EQ(write(pty.master, "abc", 3), 3);
    usleep(20000);
    EXPECT_EQ(GetInQLen(7), 3);
    char in[8] = {};
    EXPECT_EQ(ComRd(7, in, 3), 3);
    EXPECT_EQ(std::string(in, 3), "abc");
    EXPECT_EQ(ComRd(7, in, 0), 0);

    // The far end goes away: the next look at the port reports an error.
    close(pty.master);
    pty.master = -1;
    EXPECT_LT(GetInQLen(7), 0);
    EXPECT_LT(ComRd(7, in, 0), 0);
    EXPECT_EQ(CloseCom(7), 0);
    EXPECT_EQ(CloseCom(7), RS232_ERR_NOT_OPEN);
}

TEST(SerialPorts, RefusedSettingsAndMissingDevices) {
    Pty pty;
    EXPECT_EQ(OpenComConfig(3, pty.device.c_str(), 19200, 1, 9, 1, 1024, 1024),
              RS232_ERR_BAD_SETTING); // nine data bits
    EXPECT_EQ(OpenComConfig(3, pty.device.c_str(), 12345, 1, 8, 1, 1024, 1024),
              RS232_ERR_BAD_SETTING);
    EXPECT_EQ(OpenComConfig(3, "/dev/no-such-tty", 19200, 1, 8, 1, 1024, 1024),
              RS232_ERR_BAD_PORT);
    EXPECT_EQ(OpenComConfig(21, pty.device.c_str(), 19200, 1, 8, 1, 1024, 1024),
              RS232_ERR_BAD_PORT);
    EXPECT_LT(ComWrt(3, "x", 1), 0);
    EXPECT_LT(ReturnRS232Err(), 0);
}

// ---- Settings panel ----

class SettingsPanel : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterUserInterfaceResources();
        RegisterSample5Callbacks();
        InitRunTime(0, nullptr, false);
        SetPopupHandler([this](const std::string &title, const std::string &text) {
            popups.push_back(title + "|" + text);
        });
        panelMain = LoadPanel(0, "mainwin.uir", PANEL_MAIN);
        child = LoadPanel(panelMain, "sample5.uir", PANEL_COM);
        fillDataItemTables();
        fillCommunicationPassword();
        comConfigure_success_flag = 0;
        active_comselect = 1;
        RS232COMThreadHandle = nullptr;
        DisplayPanel(child);
        comConfigure_flag = 1;
        ResetLineState();
    }
    void TearDown() override {
        comConfigure_success_flag = 0;
        CloseRunTime();
    }
    void press(int button) { FireCtrlEvent(child, button, EVENT_COMMIT); }
    int timerEnabled(int timer) {
        int enabled = -1;
        GetCtrlAttribute(panelMain, timer, ATTR_ENABLED, &enabled);
        return enabled;
    }
    ScriptedPort port;
    std::vector<std::string> popups;
};

TEST_F(SettingsPanel, ConfigureOpensTheChosenPortAt19200OddParity) {
    int chosen = 0;
    GetCtrlVal(child, PanelCom::COMSELECT, &chosen);
    press(PanelCom::CONFIGURE);
    ASSERT_EQ(port.opens.size(), 1u);
    EXPECT_EQ(port.opens[0].port, chosen);
    EXPECT_EQ(port.opens[0].baud, 19200);
    EXPECT_EQ(port.opens[0].parity, 1);
    EXPECT_EQ(port.opens[0].dataBits, 8);
    EXPECT_EQ(port.opens[0].stopBits, 1);
    EXPECT_DOUBLE_EQ(port.timeout, 5.0);
    EXPECT_EQ(comConfigure_success_flag, 1);
    EXPECT_EQ(active_comselect, chosen);
    EXPECT_FALSE(IsPanelVisible(child));
    EXPECT_EQ(comConfigure_flag, 0);
    ASSERT_EQ(port.writes.size(), 1u); // the password
    EXPECT_EQ(port.writes[0][1], 6);
    EXPECT_EQ(com_idle, 0);            // awaiting its echo through the line token
    EXPECT_EQ(timerEnabled(PanelMain::TIMER_CMPW), 1);
    EXPECT_EQ(timerEnabled(PanelMain::TIMER_CMPW_RT), 1);
    double interval = 0;
    GetCtrlAttribute(panelMain, PanelMain::TIMER_CMPW_RT, ATTR_INTERVAL, &interval);
    EXPECT_DOUBLE_EQ(interval, 0.05);
    EXPECT_TRUE(popups.empty());

    // Configure again: the open port is closed first.
    press(PanelCom::CONFIGURE);
    EXPECT_EQ(port.closes, std::vector<int>{chosen});
    EXPECT_EQ(port.opens.size(), 2u);
}

TEST_F(SettingsPanel, OpenFailuresSayWhatToDo) {
    struct Case {
        int status;
        const char *mustContain;
    };
    const Case cases[] = {
        {RS232_ERR_PERMISSION, "dialout"},
        {RS232_ERR_BUSY, "in use by another program"},
        {RS232_ERR_BAD_SETTING, "refused the line settings"},
    };
    AddSerialDevice("/dev/ttyTEST0");
    RefreshComSelect();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.mustContain);
        popups.clear();
        port.openResult = c.status;
        press(PanelCom::CONFIGURE);
        ASSERT_EQ(popups.size(), 1u);
        EXPECT_EQ(popups[0].rfind("Error|config failed!", 0), 0u) << popups[0];
        EXPECT_NE(popups[0].find(c.mustContain), std::string::npos) << popups[0];
        EXPECT_EQ(comConfigure_success_flag, 0);
        EXPECT_TRUE(IsPanelVisible(child)); // stays up for another try
        EXPECT_EQ(timerEnabled(PanelMain::TIMER_CMPW), 0);
    }
}

TEST_F(SettingsPanel, CloseComDarkensTheLampsOrSaysCloseFailed) {
    press(PanelCom::CONFIGURE);
    SetCtrlVal(panelMain, PanelMain::LED_TRANSMIT, 1);
    port.closeResult = RS232_ERR_IO;
    press(PanelCom::CLOSECOM);
    EXPECT_EQ(popups, std::vector<std::string>{"Error|close failed!"});
    EXPECT_EQ(comConfigure_success_flag, 1);
    port.closeResult = 0;
    press(PanelCom::CLOSECOM);
    EXPECT_EQ(comConfigure_success_flag, 0);
    int lit = -1;
    GetCtrlVal(panelMain, PanelMain::LED_TRANSMIT, &lit);
    EXPECT_EQ(lit, 0);
    press(PanelCom::CLOSECOM); // already closed: nothing happens
    EXPECT_EQ(port.closes.size(), 2u);
    // The timers keep running after a close.
    EXPECT_EQ(timerEnabled(PanelMain::TIMER_CMPW), 1);
}

// A port that refuses its time-out ends the program after saying so.
TEST_F(SettingsPanel, TimeoutRefusedEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    port.timeoutResult = RS232_ERR_IO;
    EXPECT_EXIT(
        {
            SetPopupHandler([](const std::string &title, const std::string &text) {
                std::fprintf(stderr, "%s: %s", title.c_str(), text.c_str());
            });
            press(PanelCom::CONFIGURE);
        },
        ::testing::ExitedWithCode(255),
        "ErrorCheck: Error Setting Com Time \\(Error = -8\\)\\.\n\nQuit\\? ");
}

TEST_F(SettingsPanel, QuitOnlyHidesThePanel) {
    press(PanelCom::CONFIGURE);
    DisplayPanel(child);
    comConfigure_flag = 1;
    press(PanelCom::QUIT);
    EXPECT_FALSE(IsPanelVisible(child));
    EXPECT_EQ(comConfigure_flag, 0);
    EXPECT_EQ(comConfigure_success_flag, 1);
    EXPECT_TRUE(port.closes.empty());
}

} // namespace
