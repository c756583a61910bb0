// The parameter pages and the debug panel, through their real widgets: every "OK".
#include "app/mainwin.h"
#include "app/parameter_edit.h"
#include "engine/ems.h"
#include "gui_support.h"
#include "platform/userint.h"
#include "registers/dataitem.h"
#include "ui/debug.h"
#include "ui/panels.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

enum class Entry { Number, SwitchOn, SwitchOff, Ring, None };

struct EditCase {
    int page; // 0-5: pages of PANEL_SET, 6-7: pages of PANEL_DEBG
    const char *control;
    const char *button;
    DataItem *record;
    Entry entry;
    double number; // the number typed, or the ring item's text below
    const char *item;
    double expected;
    bool shown;
};

int pageHandle(int page) { return page < 6 ? panel_set_tab[page] : panel_debug_tab[page - 6]; }

constexpr double V = 32767.0 / 5.0; // throttle volts to register counts

const std::vector<EditCase> &cases() {
    static const std::vector<EditCase> all = {
        // BASIC: real
        {0, "TAB1_NUMERIC_SET_1", "TAB1_SEND_1", &dataItem1[0], Entry::Number, 41, nullptr, 41, true},
        {0, "TAB1_NUMERIC_SET_2", "TAB1_SEND_2", &dataItem1[1], Entry::Number, 42.5, nullptr, 42.5, true},
        {0, "TAB1_NUMERIC_SET_3", "TAB1_SEND_3", &dataItem1[2], Entry::Number, -3, nullptr, -3, true},
        {0, "TAB1_NUMERIC_SET_4", "TAB1_SEND_4", &dataItem1[3], Entry::Number, 44, nullptr, 44, true},
        {0, "TAB1_NUMERIC_SET_5", "TAB1_SEND_5", &dataItem1[4], Entry::Number, 45, nullptr, 45, true},
        {0, "TAB1_NUMERIC_SET_6", "TAB1_SEND_6", &dataItem1[5], Entry::Number, 46, nullptr, 46, true},
        {0, "TAB1_NUMERIC_SET_7", "TAB1_SEND_7", &dataItem1[6], Entry::Number, 47, nullptr, 47, true},
        {0, "TAB1_NUMERIC_SET_8", "TAB1_SEND_8", &dataItem1[7], Entry::Number, 48, nullptr, 48, false},
        {0, "TAB1_NUMERIC_SET_9", "TAB1_SEND_9", &dataItem1[8], Entry::Number, 49, nullptr, 49, false},
        {0, "TAB1_NUMERIC_SET_10", "TAB1_SEND_10", &dataItem1[9], Entry::Number, 50, nullptr, 50, false},
        {0, "TAB1_NUMERIC_SET_11", "TAB1_SEND_11", &dataItem1[10], Entry::Number, 51, nullptr, 51, false},
        {0, "TAB1_NUMERIC_SET_12", "TAB1_SEND_12", &dataItem1[11], Entry::Number, 52, nullptr, 52, true},
        {0, "TAB1_NUMERIC_SET_13", "TAB1_SEND_13", &dataItem1[12], Entry::Number, 53, nullptr, 53, false},
        {0, "TAB1_NUMERIC_SET_14", "TAB1_SEND_14", &dataItem1[13], Entry::Number, 54, nullptr, 54, false},
        {0, "TAB1_NUMERIC_SET_15", "TAB1_SEND_15", &dataItem1[14], Entry::Number, 55, nullptr, 55, false},
        // TEMP: rows 5 and 6 read NUMERIC_SET_7 and _6; the switch belongs to row 7
        {1, "TAB2_NUMERIC_SET_1", "TAB2_SEND_1", &dataItem2[0], Entry::Number, 61, nullptr, 61, true},
        {1, "TAB2_NUMERIC_SET_2", "TAB2_SEND_2", &dataItem2[1], Entry::Number, 62, nullptr, 62, true},
        {1, "TAB2_NUMERIC_SET_3", "TAB2_SEND_3", &dataItem2[2], Entry::Number, 63, nullptr, 63, true},
        {1, "TAB2_NUMERIC_SET_4", "TAB2_SEND_4", &dataItem2[3], Entry::Number, 64, nullptr, 64, true},
        {1, "TAB2_NUMERIC_SET_7", "TAB2_SEND_5", &dataItem2[4], Entry::Number, 65, nullptr, 65, true},
        {1, "TAB2_NUMERIC_SET_6", "TAB2_SEND_6", &dataItem2[5], Entry::Number, 66, nullptr, 66, true},
        {1, "TAB2_BINARYSWITCH_5", "TAB2_SEND_7", &dataItem2[6], Entry::SwitchOn, 0, nullptr, 1, true},
        // FUNC: switches and rings give integers; rings their item's value
        {2, "TAB3_BINARYSWITCH_1", "TAB3_SEND_1", &dataItem3[0], Entry::SwitchOn, 0, nullptr, 1, false},
        {2, "TAB3_BINARYSWITCH_2", "TAB3_SEND_2", &dataItem3[1], Entry::SwitchOn, 0, nullptr, 1, false},
        {2, "TAB3_BINARYSWITCH_3", "TAB3_SEND_3", &dataItem3[2], Entry::SwitchOff, 0, nullptr, 0, false},
        {2, "TAB3_RING_2", "TAB3_SEND_4", &dataItem3[3], Entry::Ring, 0, "Ebrake-throttle", 2, true},
        {2, "TAB3_RING_1", "TAB3_SEND_5", &dataItem3[4], Entry::Ring, 0, "Boost", 1, true},
        {2, "TAB3_BINARYSWITCH_6", "TAB3_SEND_6", &dataItem3[5], Entry::SwitchOn, 0, nullptr, 1, true},
        {2, "TAB3_BINARYSWITCH_7", "TAB3_SEND_7", &dataItem3[6], Entry::SwitchOn, 0, nullptr, 1, false},
        {2, "TAB3_BINARYSWITCH_8", "TAB3_SEND_8", &dataItem3[7], Entry::SwitchOn, 0, nullptr, 1, false},
        {2, "TAB3_NUMERIC_SET_9", "TAB3_SEND_9", &dataItem3[8], Entry::Number, 39, nullptr, 39, true},
        {2, "TAB3_BINARYSWITCH_10", "TAB3_SEND_10", &dataItem3[9], Entry::SwitchOff, 0, nullptr, 0, true},
        {2, "TAB3_NUMERIC_SET_11", "TAB3_SEND_11", &dataItem3[10], Entry::Number, 31, nullptr, 31, true},
        {2, "TAB3_NUMERIC_SET_12", "TAB3_SEND_12", &dataItem3[11], Entry::Number, 32, nullptr, 32, true},
        {2, "TAB3_BINARYSWITCH_13", "TAB3_SEND_13", &dataItem3[12], Entry::SwitchOn, 0, nullptr, 1, true},
        {2, "TAB3_NUMERIC_SET_14", "TAB3_SEND_14", &dataItem3[13], Entry::Number, 34, nullptr, 34, true},
        {2, "TAB3_NUMERIC_SET_15", "TAB3_SEND_15", &dataItem3[14], Entry::Number, 35, nullptr, 35, true},
        {2, "TAB3_NUMERIC_SET_16", "TAB3_SEND_16", &dataItem3[15], Entry::Number, 0.35, nullptr, 3.5, false},
        // THROTTLE: volts become counts, unrounded; the others are stored as entered
        {3, "TAB4_NUMERIC_SET_1", "TAB4_SEND_1", &dataItem4[0], Entry::Number, 1.2, nullptr, 1.2 * 32767 / 5, true},
        {3, "TAB4_NUMERIC_SET_2", "TAB4_SEND_2", &dataItem4[1], Entry::Number, 3, nullptr, 3 * V, true},
        {3, "TAB4_NUMERIC_SET_3", "TAB4_SEND_3", &dataItem4[2], Entry::Number, 500, nullptr, 500, true},
        {3, "TAB4_NUMERIC_SET_4", "TAB4_SEND_4", &dataItem4[3], Entry::Number, 300, nullptr, 300, true},
        {3, "TAB4_NUMERIC_SET_5", "TAB4_SEND_5", &dataItem4[4], Entry::Number, 2.5, nullptr, 2.5 * V, true},
        {3, "TAB4_NUMERIC_SET_6", "TAB4_SEND_6", &dataItem4[5], Entry::Number, 1.2, nullptr, 1.2, true},
        // MOTOR
        {4, "TAB5_NUMERIC_SET_1", "TAB5_SEND_1", &dataItem5[0], Entry::Number, 71, nullptr, 71, false},
        {4, "TAB5_NUMERIC_SET_2", "TAB5_SEND_2", &dataItem5[1], Entry::Number, 120, nullptr, 120, false},
        {4, "TAB5_NUMERIC_SET_3", "TAB5_SEND_3", &dataItem5[2], Entry::Number, 1, nullptr, 1, true},
        {4, "TAB5_NUMERIC_SET_4", "TAB5_SEND_4", &dataItem5[3], Entry::Number, 23, nullptr, 23, true},
        {4, "TAB5_NUMERIC_SET_5", "TAB5_SEND_5", &dataItem5[4], Entry::Number, 75, nullptr, 75, false},
        {4, "TAB5_NUMERIC_SET_6", "TAB5_SEND_6", &dataItem5[5], Entry::Number, 76, nullptr, 76, false},
        {4, "TAB5_NUMERIC_SET_7", "TAB5_SEND_7", &dataItem5[6], Entry::Number, 77, nullptr, 77, false},
        {4, "TAB5_RING_8", "TAB5_SEND_8", &dataItem5[7], Entry::Ring, 0, "no limit", 0, true},
        {4, "TAB5_NUMERIC_SET_9", "TAB5_SEND_9", &dataItem5[8], Entry::Number, 90, nullptr, 90, true},
        {4, "TAB5_NUMERIC_SET_10", "TAB5_SEND_10", &dataItem5[9], Entry::Number, 40, nullptr, 40, true},
        {4, "TAB5_NUMERIC_SET_11", "TAB5_SEND_11", &dataItem5[10], Entry::Number, 70, nullptr, 70, true},
        // DEBUG page: the two command rows write 1 whatever their hidden switches hold
        {5, "TAB6_NUMERIC_SET_1", "TAB6_SEND_1", &dataItem6[0], Entry::Number, 1200, nullptr, 1200, true},
        {5, "TAB6_NUMERIC_SET_2", "TAB6_SEND_2", &dataItem6[1], Entry::Number, 60, nullptr, 60, false},
        {5, "TAB6_BINARYSWITCH_3", "TAB6_SEND_3", &dataItem6[2], Entry::SwitchOn, 0, nullptr, 1, true},
        {5, "TAB6_RING_4", "TAB6_SEND_4", &dataItem6[3], Entry::Ring, 0, "HALL angle test", 1, true},
        {5, "TAB6_NUMERIC_SET_5", "TAB6_SEND_5", &dataItem6[4], Entry::Number, 300, nullptr, 300 * 32767.0 / 600, true},
        {5, "TAB6_NUMERIC_SET_6", "TAB6_SEND_6", &dataItem6[5], Entry::Number, 30, nullptr, 30, true},
        {5, "TAB6_BINARYSWITCH_7", "TAB6_SEND_7", &dataItem6[6], Entry::SwitchOff, 0, nullptr, 1, true},
        {5, "TAB6_BINARYSWITCH_8", "TAB6_SEND_8", &dataItem6[7], Entry::SwitchOff, 0, nullptr, 1, true},
        // Debug panel, page "设置"
        {6, "NUMERIC_SET_1", "DEBUG_TAB1_SEND_1", &dataItem6[0], Entry::Number, 1300, nullptr, 1300, true},
        {6, "NUMERIC_SET_2", "DEBUG_TAB1_SEND_2", &dataItem6[1], Entry::Number, 65, nullptr, 65, true},
        {6, "NUMERIC_SET_6", "DEBUG_TAB1_SEND_6", &dataItem6[5], Entry::Number, -3, nullptr, -3, true},
        {6, "BINARYSWITCH_7", "DEBUG_TAB1_SEND_7", &dataItem6[6], Entry::SwitchOn, 0, nullptr, 1, true},
        {6, "BINARYSWITCH_8", "DEBUG_TAB1_SEND_8", &dataItem6[7], Entry::SwitchOff, 0, nullptr, 0, true},
        {6, "BINARYSWITCH_15", "DEBUG_TAB1_SEND_15", &dataItem6[14], Entry::SwitchOn, 0, nullptr, 1, true},
        // Debug panel, page "调试": set-points scaled to full range
        {7, "RING_4", "DEBUG_TAB2_SEND_4", &dataItem6[3], Entry::Ring, 0, "电流环DEBUG", 2, true},
        {7, "BINARYSWITCH_3", "DEBUG_TAB2_SEND_3", &dataItem6[2], Entry::SwitchOn, 0, nullptr, 1, true},
        {7, "NUMERIC_SET_5", "DEBUG_TAB2_SEND_5", &dataItem6[4], Entry::Number, 600, nullptr, 32767, true},
        {7, "NUMERIC_SET_9", "DEBUG_TAB2_SEND_9", &dataItem6[8], Entry::Number, 300, nullptr, 300 * 32767.0 / 600, true},
        {7, "RING_11", "DEBUG_TAB2_SEND_11", &dataItem6[10], Entry::Ring, 0, "旋转角度", 2, true},
        {7, "NUMERIC_SET_10", "DEBUG_TAB2_SEND_10", &dataItem6[9], Entry::Number, 1000, nullptr, 32767, true},
        {7, "NUMERIC_SET_12", "DEBUG_TAB2_SEND_12", &dataItem6[11], Entry::Number, 0, nullptr, 0, true},
        {7, "NUMERIC_SET_13", "DEBUG_TAB2_SEND_13", &dataItem6[12], Entry::Number, -600, nullptr, -32767, true},
        {7, "NUMERIC_SET_14", "DEBUG_TAB2_SEND_14", &dataItem6[13], Entry::Number, 360, nullptr, 32767, true},
    };
    return all;
}

class PanelsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterUserInterfaceResources();
        RegisterMainwinCallbacks();
        SetPopupHandler([](const std::string &, const std::string &) {});
    }
    void TearDown() override { CloseRunTime(); }
    int runProgram(std::function<void()> script) {
        QTimer::singleShot(0, qApp, script);
        char name[] = "qentool";
        char *argv[] = {name, nullptr};
        return WinMain(1, argv);
    }
    static void quit() {
        QTest::mouseClick(FindIn<QPushButton>(panelMain, "QUITBUTTON"), Qt::LeftButton);
    }
};

// Enters a value the way the user does, through the widget.
void enter(QWidget *control, const EditCase &c) {
    switch (c.entry) {
    case Entry::Number:
        static_cast<QDoubleSpinBox *>(control)->setValue(c.number);
        break;
    case Entry::SwitchOn:
    case Entry::SwitchOff: {
        auto buttons = control->findChildren<QToolButton *>();
        ASSERT_EQ(buttons.size(), 2);
        buttons[c.entry == Entry::SwitchOn ? 1 : 0]->click();
        break;
    }
    case Entry::Ring: {
        auto *combo = static_cast<QComboBox *>(control);
        int index = combo->findText(QString::fromUtf8(c.item));
        ASSERT_GE(index, 0) << c.item;
        combo->setCurrentIndex(index);
        break;
    }
    case Entry::None:
        break;
    }
}

TEST_F(PanelsTest, EveryOkButtonStoresItsEntryAndMarksItsRecord) {
    ASSERT_EQ(cases().size(), 78u);
    runProgram([] {
        EXPECT_TRUE(WaitForParameterRefresh());
        for (const EditCase &c : cases()) {
            SCOPED_TRACE(c.button);
            QWidget *page = PanelWidget(pageHandle(c.page));
            ASSERT_NE(page, nullptr);
            auto *control = page->findChild<QWidget *>(c.control);
            auto *button = page->findChild<QPushButton *>(c.button);
            ASSERT_NE(control, nullptr);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->text(), "&OK");
            // Hidden rows exist but never show, label and button included. The command
            // rows' buttons show; the switches they write to stay hidden.
            bool commandRow = std::string(c.button) == "TAB6_SEND_7" ||
                              std::string(c.button) == "TAB6_SEND_8";
            EXPECT_EQ(!control->isHidden(), c.shown && !commandRow);
            EXPECT_EQ(!button->isHidden(), c.shown);
            if (auto *label = page->findChild<QLabel *>(QString(c.control) + "_LABEL")) {
                EXPECT_EQ(!label->isHidden(), c.shown && !commandRow);
            }
            c.record->writeFlag = 0;
            c.record->value = -99999;
            enter(control, c);
            button->click();
            EXPECT_NEAR(c.record->value, c.expected, 1e-9);
            EXPECT_EQ(c.record->writeFlag, 1);
        }
        // The switch bound to no record keeps its first value.
        int boost = -1;
        GetCtrlVal(panel_set_tab[2], TabPanel3::TAB3_BINARYSWITCH_5, &boost);
        EXPECT_EQ(boost, 0);
        quit();
    });
}

TEST_F(PanelsTest, OnlyTheCommitEventDoesAnything) {
    runProgram([] {
        // The flags raised here are the test's to see: no drawing pass clears them.
        RefreshUIThreadStop = 1;
        EXPECT_TRUE(SpinUntil([] { return RefreshUIThreadStatue == 1; }));
        dataItem4[0].value = 7;
        dataItem4[0].writeFlag = 0;
        dataItem6[6].value = 0;
        dataItem6[6].writeFlag = 0;
        dataItem6[0].readFlag = 0;
        dataItem6[3].refreshFlag = 0;
        for (int event : {0, 2, EVENT_TIMER_TICK, EVENT_ACTIVE_TAB_CHANGE}) {
            tab4_send_1(panel_set_tab[3], TabPanel4::TAB4_SEND_1, event, nullptr, 0, 0);
            tab6_send_7(panel_set_tab[5], TabPanel6::TAB6_SEND_7, event, nullptr, 0, 0);
            debug_tab2_send_5(panel_debug_tab[1], DbgTab2::DEBUG_TAB2_SEND_5, event, nullptr, 0, 0);
            if (event != EVENT_ACTIVE_TAB_CHANGE)
                refreshDebugTab(panel_debug, PanelDebg::TAB, event, nullptr, 0, 0);
        }
        EXPECT_EQ(dataItem4[0].value, 7);
        EXPECT_EQ(dataItem4[0].writeFlag, 0);
        EXPECT_EQ(dataItem6[6].writeFlag, 0);
        EXPECT_EQ(dataItem6[0].readFlag, 0);

        // A page change on the debug panel asks for the table and redraws all of it.
        FindIn<QTabWidget>(panel_debug, "TAB")->setCurrentIndex(1);
        EXPECT_EQ(dataItem6[0].readFlag, 1);
        for (const DataItem &record : dataItem6)
            EXPECT_EQ(record.refreshFlag, 1);
        quit();
    });
}

TEST_F(PanelsTest, HallFixedAngleStaysWithinItsRange) {
    runProgram([] {
        EXPECT_TRUE(WaitForParameterRefresh());
        auto *angle = PanelWidget(panel_set_tab[4])->findChild<QDoubleSpinBox *>("TAB5_NUMERIC_SET_2");
        angle->setValue(400); // clamped, like any entry outside the range
        double value = 0;
        GetCtrlVal(panel_set_tab[4], TabPanel5::TAB5_NUMERIC_SET_2, &value);
        EXPECT_EQ(value, 359);
        SetCtrlVal(panel_set_tab[4], TabPanel5::TAB5_NUMERIC_SET_2, -5.0);
        GetCtrlVal(panel_set_tab[4], TabPanel5::TAB5_NUMERIC_SET_2, &value);
        EXPECT_EQ(value, 0);
        quit();
    });
}

TEST_F(PanelsTest, PagesLookFinished) {
    runProgram([] {
        parameterSet(0, 0, nullptr, 0);
        debug(0, 0, nullptr, 0);
        auto *tabs = FindIn<QTabWidget>(panel_set, "TAB");
        const char *names[] = {"basic", "temp", "func", "throttle", "motor", "debug"};
        for (int i = 0; i < 6; ++i) {
            tabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
            SaveScreenshot(PanelWidget(panel_set), QString("set_page_%1").arg(names[i]));
        }
        auto *debugTabs = FindIn<QTabWidget>(panel_debug, "TAB");
        for (int i = 0; i < 2; ++i) {
            debugTabs->setCurrentIndex(i);
            QCoreApplication::processEvents();
            SaveScreenshot(PanelWidget(panel_debug), QString("debug_page_%1").arg(i + 1));
        }
        EXPECT_EQ(tabs->tabText(5), "DEBUG");
        EXPECT_EQ(debugTabs->tabText(0), QString::fromUtf8("设置"));
        // Row order is not record order: "Rated phase current" stands fifth on BASIC.
        auto *basic = PanelWidget(panel_set_tab[0]);
        auto *rated = basic->findChild<QWidget *>("TAB1_NUMERIC_SET_12");
        auto *boost = basic->findChild<QWidget *>("TAB1_NUMERIC_SET_5");
        auto *maxPhase = basic->findChild<QWidget *>("TAB1_NUMERIC_SET_6");
        EXPECT_LT(boost->y(), rated->y());
        EXPECT_LT(rated->y(), maxPhase->y());
        quit();
    });
}

} // namespace
