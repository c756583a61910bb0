// The real program's main window, menus and shutdown, driven through its widgets.
#include "app/mainwin.h"
#include "engine/ems.h"
#include "gui_support.h"
#include "platform/rs232lib.h"
#include "platform/uir.h"
#include "platform/userint.h"
#include "serial/sample5.h"
#include "ui/panels.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterUserInterfaceResources();
        RegisterMainwinCallbacks();
        SetPopupHandler([this](const std::string &title, const std::string &text) {
            popups.push_back(title + "|" + text);
        });
    }
    void TearDown() override {
        SetSerialBackend(nullptr);
        CloseRunTime();
    }
    // Runs the program with script() executed once its event loop is up.
    int runProgram(std::function<void()> script) {
        QTimer::singleShot(0, qApp, [script] {
            script();
        });
        char name[] = "qentool";
        char *argv[] = {name, nullptr};
        return WinMain(1, argv);
    }
    static void chooseMenu(const char *entry) {
        QAction *action = FindIn<QMenuBar>(panelMain, "MENUBAR")
                              ->findChild<QAction *>(QString::fromLatin1(entry));
        ASSERT_NE(action, nullptr) << entry;
        action->trigger();
    }
    static void clickQuit() {
        QTest::mouseClick(FindIn<QPushButton>(panelMain, "QUITBUTTON"), Qt::LeftButton);
    }
    std::vector<std::string> popups;
};

TEST_F(MainWindowTest, MenuEntriesToggleTheirPanelsIndependently) {
    struct Toggle {
        const char *entry;
        int *panel;
        int *flag;
    };
    const Toggle toggles[] = {
        {"MENU_COMCONFIGURE", &child, &comConfigure_flag},
        {"MENU_SET", &panel_set, &panelSet_display_flag},
        {"MENU_DEBUG", &panel_debug, &panel_debug_display_flag},
    };
    int status = runProgram([&] {
        EXPECT_TRUE(PanelWidget(panelMain)->isVisible());
        for (const auto &t : toggles) {
            SCOPED_TRACE(t.entry);
            EXPECT_FALSE(PanelWidget(*t.panel)->isVisible());
            chooseMenu(t.entry);
            EXPECT_TRUE(PanelWidget(*t.panel)->isVisible());
            EXPECT_EQ(*t.flag, 1);
        }
        // All three are shown now; each entry hides only its own panel.
        chooseMenu("MENU_SET");
        EXPECT_FALSE(PanelWidget(panel_set)->isVisible());
        EXPECT_TRUE(PanelWidget(child)->isVisible());
        EXPECT_TRUE(PanelWidget(panel_debug)->isVisible());
        chooseMenu("MENU1"); // "Help" does nothing

        // The settings panel hides itself with its Quit button; one choice shows it again.
        QTest::mouseClick(FindIn<QPushButton>(child, "QUIT"), Qt::LeftButton);
        EXPECT_FALSE(PanelWidget(child)->isVisible());
        EXPECT_EQ(comConfigure_flag, 0);
        chooseMenu("MENU_COMCONFIGURE");
        EXPECT_TRUE(PanelWidget(child)->isVisible());

        // The window's close button hides a child panel as its menu entry would.
        PanelWidget(panel_debug)->close();
        EXPECT_TRUE(SpinUntil([] { return !PanelWidget(panel_debug)->isVisible(); }));
        EXPECT_EQ(panel_debug_display_flag, 0);
        chooseMenu("MENU_DEBUG");
        EXPECT_TRUE(PanelWidget(panel_debug)->isVisible());
        clickQuit();
    });
    EXPECT_EQ(status, 0);
}

// Records what the shutdown had done by the time the port was closed.
class RecordingPort : public SerialBackend {
  public:
    int open(int, const char *, long, int, int, int, int, int) override { return 0; }
    int close(int port) override {
        closedPort = port;
        commThreadEnded = RS232COMThreadStatue.load();
        panelsStillThere = PanelWidget(panelMain) != nullptr;
        return 0;
    }
    int write(int, const char *, int count) override { return count; }
    int read(int, char *, int) override { return 0; }
    int inputQueueLength(int) override { return 0; }
    int flushInput(int) override { return 0; }
    int flushOutput(int) override { return 0; }
    int setTimeout(int, double) override { return 0; }
    int closedPort = 0;
    int commThreadEnded = -1;
    bool panelsStillThere = false;
};

TEST_F(MainWindowTest, QuitStopsThreadsThenClosesThePortThenReleasesPanels) {
    struct Case {
        bool portOpen;
    };
    for (Case c : {Case{false}, Case{true}}) {
        SCOPED_TRACE(c.portOpen ? "port open" : "port closed");
        RecordingPort port;
        SetSerialBackend(&port);
        int status = runProgram([&] {
            EXPECT_NE(RS232COMThreadHandle, nullptr);
            EXPECT_NE(RefreshUIThreadHandle, nullptr);
            if (c.portOpen) {
                active_comselect = 7;
                comConfigure_success_flag = 1;
            }
            clickQuit();
        });
        EXPECT_EQ(status, 0);
        EXPECT_EQ(RS232COMThreadStatue, 1);
        EXPECT_EQ(RefreshUIThreadStatue, 1);
        EXPECT_EQ(PanelWidget(panelMain), nullptr); // released
        if (c.portOpen) {
            EXPECT_EQ(port.closedPort, 7);
            EXPECT_EQ(port.commThreadEnded, 1);
            EXPECT_TRUE(port.panelsStillThere);
        } else {
            EXPECT_EQ(port.closedPort, 0); // no CloseCom with the port closed
        }
        comConfigure_success_flag = 0;
        CloseRunTime();
    }
}

TEST_F(MainWindowTest, SigtermEndsTheProgramLikeQuit) {
    int status = runProgram([] { raise(SIGTERM); });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(RS232COMThreadStatue, 1);
}

TEST_F(MainWindowTest, MainWindowThatCannotBeLoadedEndsWithMinusOneBeforeAnyThread) {
    RS232COMThreadHandle = nullptr;
    RefreshUIThreadHandle = nullptr;
    RegisterPanelResource("mainwin.uir", PANEL_MAIN, nullptr);
    char name[] = "qentool";
    char *argv[] = {name, nullptr};
    EXPECT_EQ(WinMain(1, argv), -1);
    EXPECT_EQ(RS232COMThreadHandle, nullptr);
    EXPECT_EQ(RefreshUIThreadHandle, nullptr);
}

TEST_F(MainWindowTest, MainWindowLooksFinished) {
    runProgram([] {
        EXPECT_TRUE(WaitForParameterRefresh());
        QWidget *main = PanelWidget(panelMain);
        // Names for screen readers and automation.
        auto *battery = FindIn<QDoubleSpinBox>(panelMain, "NUMERIC_QUERY_1");
        ASSERT_NE(battery, nullptr);
        EXPECT_EQ(battery->accessibleName(), "Battery voltage");
        EXPECT_EQ(FindIn<QPushButton>(panelMain, "QUITBUTTON")->text(), "&QUIT");
        EXPECT_FALSE(FindIn<QDoubleSpinBox>(panelMain, "NUMERIC_QUERY_2")->isVisible());
        auto *faults = FindIn<QTableWidget>(panelMain, "TABLE_1");
        EXPECT_EQ(faults->rowCount(), 48);
        EXPECT_EQ(faults->item(29, 0)->text(), "throttle-err");
        EXPECT_EQ(main->windowTitle(), "QEN ");
        SetCtrlVal(panelMain, PanelMain::NUMERIC_QUERY_1, -1.5);
        SetCtrlVal(panelMain, PanelMain::LED_RECIEVE, 1);
        SetTableCellAttribute(panelMain, PanelMain::TABLE_1, MakePoint(1, 2), ATTR_TEXT_COLOR,
                              0xFF0000);
        SpinUntil([&] { return battery->value() == -1.5; });
        EXPECT_EQ(battery->text(), "-1.50");
        SaveScreenshot(main, "main_window");
        chooseMenu("MENU_COMCONFIGURE");
        SaveScreenshot(PanelWidget(child), "com_configure");
        chooseMenu("MENU_SET");
        SaveScreenshot(PanelWidget(panel_set), "parameter_set");
        clickQuit();
    });
}

// Worker-thread updates reach the screen in the order they were made, across controls.
TEST_F(MainWindowTest, WorkerUpdatesReachTheScreenInOrder) {
    runProgram([] {
        EXPECT_TRUE(WaitForParameterRefresh()); // the start-up picture is drawn
        auto *inputs = FindIn<QTableWidget>(panelMain, "TABLE_2");
        auto *outputs = FindIn<QTableWidget>(panelMain, "TABLE_3");
        std::vector<QString> seen;
        for (auto [table, tag] : {std::pair{inputs, "I"}, std::pair{outputs, "O"}})
            QObject::connect(table->model(), &QAbstractItemModel::dataChanged,
                             [&seen, table = table, tag = tag](const QModelIndex &index) {
                                 seen.push_back(tag + table->item(index.row(), index.column())
                                                          ->text());
                             });
        constexpr int count = 300;
        std::thread worker([] {
            for (int i = 1; i <= count; ++i) {
                std::string text = std::to_string(i);
                SetTableCellVal(panelMain, PanelMain::TABLE_2, MakePoint(2, 1), text.c_str());
                SetTableCellVal(panelMain, PanelMain::TABLE_3, MakePoint(2, 1), text.c_str());
                SetCtrlVal(panelMain, PanelMain::NUMERIC_QUERY_2, static_cast<double>(i));
            }
        });
        worker.join();
        SpinUntil([&] { return outputs->item(0, 1)->text() == QString::number(count); });
        std::vector<QString> expected;
        for (int i = 1; i <= count; ++i) {
            expected.push_back("I" + QString::number(i));
            expected.push_back("O" + QString::number(i));
        }
        EXPECT_EQ(FindIn<QDoubleSpinBox>(panelMain, "NUMERIC_QUERY_2")->value(), count);
        EXPECT_EQ(seen, expected);
        clickQuit();
    });
}

} // namespace
