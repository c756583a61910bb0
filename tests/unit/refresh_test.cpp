// The display refreshers, the tab read and the keep-alive, headless.
#include "app/mainwin.h"
#include "app/page_timers.h"
#include "engine/ems.h"
#include "engine/refresh.h"
#include "modbus/link.h"
#include "modbus/modbus.h"
#include "platform/userint.h"
#include "registers/dataitem.h"
#include "serial/rs232.h"
#include "serial/sample5.h"
#include "support/scripted_port.h"
#include "ui/panels.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void refreshPass() { RefreshUIThreadPass(); }

class Refresh : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterUserInterfaceResources();
        RegisterMainwinCallbacks();
        ASSERT_NE(InitRunTime(0, nullptr, false), 0);
        SetPopupHandler([this](const std::string &title, const std::string &text) {
            popups.push_back(title + "|" + text);
        });
        ASSERT_EQ(LoadProgramPanels(), 0);
        fillDataItemTables();
        fillCommunicationPassword();
        ResetDrawnStatusWords();
        comConfigure_success_flag = 0;
        ResetLineState();
    }
    void TearDown() override {
        comConfigure_success_flag = 0;
        CloseRunTime();
    }
    static double number(int panel, int control) {
        double value = 0;
        GetCtrlVal(panel, control, &value);
        return value;
    }
    static int integer(int panel, int control) {
        int value = -99;
        GetCtrlVal(panel, control, &value);
        return value;
    }
    static std::string redRows() {
        std::string rows;
        for (int row = 1; row <= 48; ++row) {
            int color = -1;
            GetTableCellAttribute(panelMain, PanelMain::TABLE_1, MakePoint(1, row),
                                  ATTR_TEXT_COLOR, &color);
            if (color == 0xFF0000)
                rows += std::to_string(row) + " ";
        }
        return rows;
    }
    static std::string cell(int table, int row) {
        std::string text;
        GetTableCellVal(panelMain, table, MakePoint(2, row), &text);
        return text;
    }
    std::vector<std::string> popups;
};

TEST_F(Refresh, StartUpPicture) {
    refreshPass();
    EXPECT_EQ(redRows(), "2 3 4 17 18 19 20 37 ");
    std::vector<std::string> inputs, outputs;
    for (int row = 1; row <= 8; ++row)
        inputs.push_back(cell(PanelMain::TABLE_2, row));
    for (int row = 1; row <= 4; ++row)
        outputs.push_back(cell(PanelMain::TABLE_3, row));
    EXPECT_EQ(inputs, (std::vector<std::string>{"LOW", "LOW", "HIGH", "HIGH", "LOW", "LOW",
                                                "LOW", "LOW"}));
    EXPECT_EQ(outputs, (std::vector<std::string>{"高", "低", "高", "高"}));
    EXPECT_NEAR(number(panelMain, PanelMain::NUMERIC_QUERY_1), 600.0 / 32767, 1e-12);
    EXPECT_EQ(number(panelMain, PanelMain::NUMERIC_QUERY_9), 9);
    EXPECT_EQ(integer(panelMain, PanelMain::RING_QUERY_18), 0); // 18 has no item: kept
    // FUNC shows 0, 1, 0, 1 ... and "Guard ph current coeff" 0.1.
    EXPECT_EQ(integer(panel_set_tab[2], TabPanel3::TAB3_BINARYSWITCH_1), 0);
    EXPECT_EQ(integer(panel_set_tab[2], TabPanel3::TAB3_BINARYSWITCH_2), 1);
    EXPECT_DOUBLE_EQ(number(panel_set_tab[2], TabPanel3::TAB3_NUMERIC_SET_16), 0.1);
    // dataItem6 goes to both panels.
    EXPECT_EQ(number(panel_set_tab[5], TabPanel6::TAB6_NUMERIC_SET_1), 0);
    EXPECT_EQ(number(panel_debug_tab[0], DbgTab1::NUMERIC_SET_6), 5);
    EXPECT_EQ(number(panel_set_tab[5], TabPanel6::TAB6_NUMERIC_SET_6), 5);
    EXPECT_NEAR(number(panel_debug_tab[1], DbgTab2::NUMERIC_SET_10), 9 * 1000.0 / 32767, 1e-12);
}

TEST_F(Refresh, APassDrawsOnlyFlaggedRecordsAndNothingWhenNothingChanged) {
    refreshPass();
    unsigned long long before = UserInterfaceCallCount();
    refreshPass(); // the bit words are compared, not redrawn
    EXPECT_EQ(UserInterfaceCallCount(), before);

    // A reply flags one record: one control is drawn.
    dataItem4[0].value = -32768;
    dataItem4[0].refreshFlag = 1;
    refreshPass();
    EXPECT_EQ(UserInterfaceCallCount(), before + 1);
    EXPECT_NEAR(number(panel_set_tab[3], TabPanel4::TAB4_NUMERIC_SET_1), -5.00015, 1e-5);
    EXPECT_EQ(dataItem4[0].refreshFlag, 0);

    // Typed but not committed: an unflagged record does not overwrite it.
    SetCtrlVal(panel_set_tab[3], TabPanel4::TAB4_NUMERIC_SET_3, 777.0);
    refreshPass();
    EXPECT_EQ(number(panel_set_tab[3], TabPanel4::TAB4_NUMERIC_SET_3), 777);
}

TEST_F(Refresh, ValuesAsTheControlsTakeThem) {
    struct Case {
        const char *what;
        DataItem *record;
        double value;
        int panel;
        int control;
        double shown;
    };
    refreshPass();
    const Case cases[] = {
        {"a switch takes the integer part", &dataItem3[5], 0.7, panel_set_tab[2],
         TabPanel3::TAB3_BINARYSWITCH_6, 0},
        {"a switch holding 1", &dataItem3[9], 1.0, panel_set_tab[2],
         TabPanel3::TAB3_BINARYSWITCH_10, 1},
        {"a ring takes the item value", &dataItem5[7], 1.9, panel_set_tab[4], TabPanel5::TAB5_RING_8,
         1},
        {"throttle volts", &dataItem4[1], 32767, panel_set_tab[3], TabPanel4::TAB4_NUMERIC_SET_2, 5},
        {"guard coefficient in tenths", &dataItem3[15], 8, panel_set_tab[2],
         TabPanel3::TAB3_NUMERIC_SET_16, 0.8},
        {"battery voltage", &dataItemOR[1], 32767, panelMain, PanelMain::NUMERIC_QUERY_1, 600},
        {"hall value", &dataItemOR[19], 5, panelMain, PanelMain::NUMERIC_QUERY_19, 5},
        {"system status 21", &dataItemOR[0], 21, panelMain, PanelMain::RING_QUERY_0, 21},
        {"system status 2 has no item: the ring stays", &dataItemOR[0], 2, panelMain,
         PanelMain::RING_QUERY_0, 21},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        c.record->value = c.value;
        c.record->refreshFlag = 1;
        refreshPass();
        EXPECT_NEAR(number(c.panel, c.control), c.shown, 1e-9);
        EXPECT_EQ(c.record->refreshFlag, 0); // cleared even when the ring refused the value
    }
    EXPECT_NEAR(1638 * 600.0 / 32767, 29.99, 0.01);
}

TEST_F(Refresh, FaultAndStatusWords) {
    refreshPass();
    dataItemOR[14].value = 0x0005;
    refreshPass();
    EXPECT_EQ(redRows(), "1 3 17 18 19 20 37 ");

    // 0x8000 arrives as -32768 and lights the last row of its group.
    dataItemOR[15].value = -32768;
    refreshPass();
    EXPECT_EQ(redRows(), "1 3 32 37 ");

    unsigned long long before = UserInterfaceCallCount();
    dataItemOR[15].refreshFlag = 1; // the same word again
    refreshPass();
    EXPECT_EQ(UserInterfaceCallCount(), before);

    dataItemOR[12].value = 0x0106; // bits above 7 are ignored
    dataItemOR[13].value = 0x0019; // bits above 3 are ignored
    refreshPass();
    EXPECT_EQ(cell(PanelMain::TABLE_2, 2), "HIGH");
    EXPECT_EQ(cell(PanelMain::TABLE_2, 3), "HIGH");
    EXPECT_EQ(cell(PanelMain::TABLE_2, 4), "LOW");
    EXPECT_EQ(cell(PanelMain::TABLE_3, 1), "高");
    EXPECT_EQ(cell(PanelMain::TABLE_3, 2), "低");
    EXPECT_EQ(cell(PanelMain::TABLE_3, 4), "高");
    EXPECT_EQ(dataItemOR[12].refreshFlag, 1); // bit words stay flagged
}

TEST_F(Refresh, TabSwitchWithThePortClosedOnlyRedraws) {
    ScriptedPort port;
    refreshPass();
    for (const DataTable &t : parameterTables)
        t.items[0].readFlag = 0;
    SetCtrlVal(panel_set_tab[1], TabPanel2::TAB2_NUMERIC_SET_1, 55.0); // typed, not committed
    SetActiveTabPage(panel_set, PanelSet::TAB, 1);
    FireCtrlEvent(panel_set, PanelSet::TAB, EVENT_ACTIVE_TAB_CHANGE);
    EXPECT_EQ(dataItem2[0].readFlag, 1);
    EXPECT_EQ(dataItem1[0].readFlag, 0);
    refreshPass();
    EXPECT_EQ(number(panel_set_tab[1], TabPanel2::TAB2_NUMERIC_SET_1), 0); // the record again
    RS232COMThreadPass();
    EXPECT_TRUE(port.writes.empty());
    // Events other than a page change do nothing.
    dataItem3[0].readFlag = 0;
    SetActiveTabPage(panel_set, PanelSet::TAB, 2);
    FireCtrlEvent(panel_set, PanelSet::TAB, EVENT_COMMIT);
    EXPECT_EQ(dataItem3[0].readFlag, 0);
}

class KeepAlive : public Refresh {
  protected:
    void SetUp() override {
        Refresh::SetUp();
        port.open(4, "", 19200, 1, 8, 1, 1024, 1024);
        active_comselect = 4;
        comConfigure_success_flag = 1;
        communication_password_sendFlag = 0;
    }
    void tick(int timer) { FireCtrlEvent(panelMain, timer, EVENT_TIMER_TICK); }
    int enabled(int timer) {
        int value = -1;
        GetCtrlAttribute(panelMain, timer, ATTR_ENABLED, &value);
        return value;
    }
    VirtualClock clock;
    ScriptedPort port;
};

TEST_F(KeepAlive, WaitsForABusyLine) {
    hci_commnication_enable_3421 = 1;
    query_enable_flag = 1;
    RS232Send(); // the live poll is outstanding and never answered
    size_t polls = port.writes.size();
    tick(PanelMain::TIMER_CMPW);
    tick(PanelMain::TIMER_CMPW); // two requests still give one write
    long long sentAt = 0;
    for (int ms = 0; ms < 3000 && !sentAt; ms += 50) {
        tick(PanelMain::TIMER_CMPW_RT);
        if (port.writes.size() > polls)
            sentAt = clock.now();
        if (ms % 100 == 0)
            RS232Rec(); // the communication thread's receive step, every 100 ms
        clock.advance(50);
    }
    ASSERT_EQ(port.writes.size(), polls + 1);
    EXPECT_EQ(port.writes.back()[1], 6);
    EXPECT_EQ(port.writes.back()[2], 0x14);
    EXPECT_GT(sentAt, 1000 + 2000); // only after the poll's time-out freed the line
    EXPECT_EQ(communication_password_sendFlag, 0);
    for (int i = 0; i < 5; ++i)
        tick(PanelMain::TIMER_CMPW_RT);
    EXPECT_EQ(port.writes.size(), polls + 1);
}

TEST_F(KeepAlive, PortClosedStopsBothTimers) {
    SetCtrlAttribute(panelMain, PanelMain::TIMER_CMPW, ATTR_ENABLED, 1);
    SetCtrlAttribute(panelMain, PanelMain::TIMER_CMPW_RT, ATTR_ENABLED, 1);
    comConfigure_success_flag = 0; // closed with the settings panel
    tick(PanelMain::TIMER_CMPW);
    EXPECT_EQ(timer_cmPW_rt(panelMain, PanelMain::TIMER_CMPW_RT, EVENT_TIMER_TICK, nullptr, 0, 0),
              -1);
    EXPECT_EQ(popups, std::vector<std::string>{"Error|Port not open! "});
    EXPECT_EQ(enabled(PanelMain::TIMER_CMPW), 0);
    EXPECT_EQ(enabled(PanelMain::TIMER_CMPW_RT), 0);
    EXPECT_TRUE(port.writes.empty());
}

TEST(Timers, StartDisabledUntilThePortOpens) {
    RegisterUserInterfaceResources();
    InitRunTime(0, nullptr, false);
    ASSERT_EQ(LoadProgramPanels(), 0);
    for (int timer : {PanelMain::TIMER_CMPW, PanelMain::TIMER_CMPW_RT}) {
        int enabled = -1;
        GetCtrlAttribute(panelMain, timer, ATTR_ENABLED, &enabled);
        EXPECT_EQ(enabled, 0);
    }
    CloseRunTime();
}

} // namespace
