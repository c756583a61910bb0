// The whole program on the real Qt view, connected to the simulator as --demo does.
#include "app/mainwin.h"
#include "app/options.h"
#include "engine/ems.h"
#include "gui_support.h"
#include "modbus/link.h"
#include "modbus/modbus.h"
#include "platform/rs232lib.h"
#include "platform/userint.h"
#include "sim/simulator.h"
#include "ui/panels.h"

#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

class DemoTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterUserInterfaceResources();
        RegisterMainwinCallbacks();
        SetPopupHandler([this](const std::string &title, const std::string &text) {
            popups.push_back(title + "|" + text);
        });
        qensim::Options options;
        options.lineTiming = true;
        options.link = "/tmp/qentool-gui-" + std::to_string(getpid()) + "-tty";
        sim = std::make_unique<qensim::Simulator>(options);
        std::string error;
        ASSERT_TRUE(sim->start(&error)) << error;
        AddSerialDevice(sim->devicePath());
        connectAtStart = true;
        hci_commnication_enable_3421 = 0;
    }
    void TearDown() override {
        connectAtStart = false;
        comConfigure_success_flag = 0;
        hci_commnication_enable_3421 = 0;
        CloseRunTime();
        sim->stop();
    }
    int runProgram(std::function<void()> script) {
        QTimer::singleShot(0, qApp, script);
        char name[] = "qentool";
        char *argv[] = {name, nullptr};
        return WinMain(1, argv);
    }
    static int lit(int led) {
        int value = 0;
        GetCtrlVal(panelMain, led, &value);
        return value;
    }
    std::unique_ptr<qensim::Simulator> sim;
    std::vector<std::string> popups;
};

TEST_F(DemoTest, ConnectsAtStartAndTheLampsBlink) {
    int status = runProgram([this] {
        EXPECT_TRUE(SpinUntil([] { return hci_commnication_enable_3421 == 1; }, 8000));
        EXPECT_FALSE(PanelWidget(child)->isVisible());
        // The receive lamp blinks while the live data comes in; so does the transmit lamp.
        std::string rx, tx;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 4000) {
            QTest::qWait(50);
            rx += lit(PanelMain::LED_RECIEVE) ? '*' : '.';
            tx += lit(PanelMain::LED_TRANSMIT) ? '*' : '.';
        }
        EXPECT_NE(rx.find('*'), std::string::npos) << rx;
        EXPECT_NE(rx.find('.'), std::string::npos) << rx;
        EXPECT_NE(tx.find('*'), std::string::npos) << tx;
        EXPECT_TRUE(popups.empty()) << popups.front();
        QTest::mouseClick(FindIn<QPushButton>(panelMain, "QUITBUTTON"), Qt::LeftButton);
    });
    EXPECT_EQ(status, 0);
}

} // namespace
