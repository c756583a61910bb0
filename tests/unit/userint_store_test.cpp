// The control store without a screen: value rules, popups from workers, pause, timers.
#include "platform/runtime.h"
#include "platform/uir.h"
#include "platform/userint.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <string>
#include <vector>

namespace {

enum { RING = 2, SWITCH, TABLE, TIMER, NUMBER, TAB };

std::atomic<int> ticks{0};
int onTick(int, int, int event, void *, int, int) {
    if (event == EVENT_TIMER_TICK && ++ticks == 3)
        QuitUserInterface(0);
    return 0;
}

PanelDesc testPanel() {
    PanelDesc panel;
    panel.name = "PANEL_TEST";
    panel.title = "test";
    CtrlDesc ring;
    ring.id = RING;
    ring.kind = CtrlKind::Ring;
    ring.name = "RING";
    ring.items = {{"zero", 0}, {"one", 1}, {"twenty", 20}};
    CtrlDesc sw;
    sw.id = SWITCH;
    sw.kind = CtrlKind::BinarySwitch;
    sw.name = "SWITCH";
    CtrlDesc table;
    table.id = TABLE;
    table.kind = CtrlKind::Table;
    table.name = "TABLE";
    table.rows = 3;
    table.cols = 2;
    table.cells = {"a", "", "b", "", "c"};
    CtrlDesc timer;
    timer.id = TIMER;
    timer.kind = CtrlKind::Timer;
    timer.name = "TIMER";
    timer.interval = 0.01;
    timer.enabled = false;
    timer.callback = "onTick";
    CtrlDesc number;
    number.id = NUMBER;
    number.kind = CtrlKind::Numeric;
    number.name = "NUMBER";
    panel.controls = {ring, sw, table, timer, number};
    return panel;
}

class StoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        static const PanelDesc desc = testPanel();
        RegisterCtrlCallback("onTick", onTick);
        RegisterPanelResource("test.uir", 1, &desc);
        ASSERT_NE(InitRunTime(0, nullptr, false), 0);
        SetPopupHandler([this](const std::string &title, const std::string &text) {
            popups.push_back(title + "|" + text);
        });
        panel = LoadPanel(0, "test.uir", 1);
        ASSERT_GT(panel, 0);
    }
    void TearDown() override { CloseRunTime(); }
    int panel = 0;
    std::vector<std::string> popups;
};

TEST_F(StoreTest, RingAndSwitchRefuseValuesTheyDoNotHold) {
    int value = -1;
    GetCtrlVal(panel, RING, &value);
    EXPECT_EQ(value, 0); // first item at load
    EXPECT_EQ(SetCtrlVal(panel, RING, 20), UIE_OK);
    EXPECT_EQ(SetCtrlVal(panel, RING, 2), UIE_BAD_VALUE);
    GetCtrlVal(panel, RING, &value);
    EXPECT_EQ(value, 20); // kept its item
    EXPECT_EQ(SetCtrlVal(panel, RING, 1.9), UIE_OK); // integer part
    GetCtrlVal(panel, RING, &value);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(SetCtrlVal(panel, RING, std::nan("")), UIE_BAD_VALUE);

    EXPECT_EQ(SetCtrlVal(panel, SWITCH, 0.7), UIE_OK); // truncated to 0
    EXPECT_EQ(SetCtrlVal(panel, SWITCH, 1), UIE_OK);
    EXPECT_EQ(SetCtrlVal(panel, SWITCH, 2), UIE_BAD_VALUE);
    GetCtrlVal(panel, SWITCH, &value);
    EXPECT_EQ(value, 1);

    double number = 0;
    EXPECT_EQ(SetCtrlVal(panel, NUMBER, -5.00015), UIE_OK);
    GetCtrlVal(panel, NUMBER, &number);
    EXPECT_DOUBLE_EQ(number, -5.00015); // full precision behind the two-decimal display
}

TEST_F(StoreTest, TableCellsStayInsideTheTable) {
    std::string text;
    EXPECT_EQ(GetTableCellVal(panel, TABLE, MakePoint(1, 3), &text), UIE_OK);
    EXPECT_EQ(text, "c");
    for (Point bad : {MakePoint(0, 1), MakePoint(3, 1), MakePoint(1, 4), MakePoint(1, 0)}) {
        EXPECT_EQ(SetTableCellVal(panel, TABLE, bad, "x"), UIE_BAD_VALUE);
        EXPECT_EQ(SetTableCellAttribute(panel, TABLE, bad, ATTR_TEXT_COLOR, 0xFF0000),
                  UIE_BAD_VALUE);
    }
    EXPECT_EQ(SetTableCellAttribute(panel, TABLE, MakePoint(2, 2), ATTR_TEXT_COLOR, 0xFF0000),
              UIE_OK);
    int color = 0;
    GetTableCellAttribute(panel, TABLE, MakePoint(2, 2), ATTR_TEXT_COLOR, &color);
    EXPECT_EQ(color, 0xFF0000);
    EXPECT_EQ(SetCtrlVal(panel, 999, 1), UIE_BAD_CONTROL);
    EXPECT_EQ(SetCtrlVal(panel + 100, RING, 1), UIE_BAD_PANEL);
}

// A worker shows a popup while the UI thread waits for that worker to end: the wait
// must show the popup, or both block for ever.
TEST_F(StoreTest, PopupFromWorkerDuringUiWaitDoesNotDeadlock) {
    static std::atomic<int> ended{0};
    ended = 0;
    ThreadHandle worker = CreateThread(
        [](void *) {
            MessagePopup("Error", "Com Read failed! ");
            ended = 1;
            return 0;
        },
        nullptr);
    ASSERT_NE(worker, nullptr);
    WaitOnUserInterface([] { return ended != 0; });
    EXPECT_EQ(ReleaseThread(worker), 0);
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(popups[0], "Error|Com Read failed! ");
}

// Pausing a worker that sits in a popup: the pause still completes once the popup is shown.
TEST_F(StoreTest, PauseReachesAWorkerBlockedInAPopup) {
    static std::atomic<int> stop{0}, passes{0};
    stop = 0;
    passes = 0;
    ThreadHandle worker = CreateThread(
        [](void *) {
            while (!stop) {
                ThreadCheckpoint();
                if (++passes == 2)
                    MessagePopup("Error", "Port not open! ");
                Sleep(1);
            }
            return 0;
        },
        nullptr);
    WaitOnUserInterface([] { return passes >= 2; });
    EXPECT_EQ(SuspendThread(worker), 0);
    int frozen = passes;
    Sleep(20);
    EXPECT_EQ(passes, frozen); // no pass runs while paused
    ResumeThread(worker);
    WaitOnUserInterface([&] { return passes > frozen; });
    stop = 1;
    ReleaseThread(worker);
    EXPECT_EQ(popups.size(), 1u);
}

TEST_F(StoreTest, HeadlessLoopRunsTimersAndPostedCallsInOrder) {
    ticks = 0;
    std::vector<int> order;
    PostToUserInterface([&] { order.push_back(1); });
    PostToUserInterface([&] { order.push_back(2); });
    SetCtrlAttribute(panel, TIMER, ATTR_ENABLED, 1);
    RunUserInterface(); // the third tick quits
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(SetCtrlAttribute(panel, TIMER, ATTR_INTERVAL, 0.0), UIE_BAD_VALUE);
}

} // namespace
