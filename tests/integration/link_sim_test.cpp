// The real engine and serial layer against the simulator over a pseudo-terminal.
#include "app/mainwin.h"
#include "engine/ems.h"
#include "modbus/link.h"
#include "modbus/modbus.h"
#include "platform/rs232lib.h"
#include "platform/userint.h"
#include "registers/dataitem.h"
#include "serial/rs232.h"
#include "serial/sample5.h"
#include "sim/simulator.h"
#include "ui/panels.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string linkPath() {
    const char *dir = std::getenv("TMPDIR");
    return std::string(dir && *dir ? dir : "/tmp") + "/qentool-test-" +
           std::to_string(getpid()) + "-tty";
}

class LinkWithSimulator : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterUserInterfaceResources();
        RegisterMainwinCallbacks();
        ASSERT_NE(InitRunTime(0, nullptr, false), 0);
        SetPopupHandler([this](const std::string &title, const std::string &text) {
            popups.push_back(title + "|" + text);
        });
        panelMain = LoadPanel(0, "mainwin.uir", PANEL_MAIN);
        child = LoadPanel(panelMain, "sample5.uir", PANEL_COM);
        fillDataItemTables();
        fillCommunicationPassword();
        comConfigure_success_flag = 0;
        active_comselect = 1;
        query_enable_flag = 1;
        hci_commnication_enable_3421 = 0;
        ResetLineState();

        qensim::Options options;
        options.link = linkPath();
        options.lineTiming = true;
        options.gapMs = 50;
        sim = std::make_unique<qensim::Simulator>(options);
        std::string error;
        ASSERT_TRUE(sim->start(&error)) << error;
        AddSerialDevice(sim->devicePath());
        RefreshComSelect();

        RS232COMThreadHandle = nullptr;
        RefreshUIThreadHandle = nullptr;
        InitThread();
    }

    void TearDown() override {
        RS232COMThreadStop = 1;
        RefreshUIThreadStop = 1;
        WaitOnUserInterface([] { return RS232COMThreadStatue && RefreshUIThreadStatue; });
        ReleaseThread(RS232COMThreadHandle);
        ReleaseThread(RefreshUIThreadHandle);
        RS232COMThreadHandle = RefreshUIThreadHandle = nullptr;
        if (comConfigure_success_flag == 1)
            CloseCom(active_comselect);
        comConfigure_success_flag = 0;
        hci_commnication_enable_3421 = 0;
        sim->stop();
        CloseRunTime();
    }

    // Serves popups (as the UI thread does) until done() holds or the time is up.
    bool waitFor(const std::function<bool()> &done, int timeoutMs = 8000) {
        auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        WaitOnUserInterface([&] { return done() || Clock::now() > deadline; });
        return done();
    }

    // What the controller saw, for failure messages.
    std::string requestLog() {
        std::string text;
        for (const auto &r : sim->requests())
            text += std::to_string(r.function) + ":" + std::to_string(r.address) + ":" +
                    std::to_string(r.countOrValue) + (r.answered ? "" : "(unanswered)") + " ";
        for (const auto &p : popups)
            text += "[" + p + "] ";
        return text;
    }

    void configure() { FireCtrlEvent(child, PanelCom::CONFIGURE, EVENT_COMMIT); }

    void connect() {
        configure();
        ASSERT_EQ(comConfigure_success_flag, 1) << (popups.empty() ? "" : popups.back());
        ASSERT_TRUE(waitFor([] { return hci_commnication_enable_3421 == 1; }));
    }

    // Reads the simulator answered, in order, as start addresses.
    std::vector<int> answeredReads() {
        std::vector<int> reads;
        for (const auto &r : sim->requests())
            if (r.function == 3 && r.answered)
                reads.push_back(r.address);
        return reads;
    }

    int liveReadsSince(long long sinceMs) {
        int n = 0;
        for (const auto &r : sim->requests())
            if (r.function == 3 && r.address == 2748 && r.atMs >= sinceMs && r.answered)
                ++n;
        return n;
    }

    static long long nowMs() {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   Clock::now().time_since_epoch())
            .count();
    }

    std::unique_ptr<qensim::Simulator> sim;
    std::vector<std::string> popups;
};

TEST_F(LinkWithSimulator, HandshakeThenTablesInOrderThenLivePolling) {
    sim->freezeLiveData(true);
    sim->setReg(2749, 2621); // 48 V on the 600 / 32767 scale
    sim->setReg(2757, 345);
    connect();
    EXPECT_EQ(popups.size(), 0u);
    // The settings panel hid itself; the keep-alive timers run.
    EXPECT_FALSE(IsPanelVisible(child));
    int enabled = 0;
    GetCtrlAttribute(panelMain, PanelMain::TIMER_CMPW, ATTR_ENABLED, &enabled);
    EXPECT_EQ(enabled, 1);

    bool receiveLampLit = false;
    ASSERT_TRUE(waitFor([&] {
        int lit = 0;
        GetCtrlVal(panelMain, PanelMain::LED_RECIEVE, &lit);
        receiveLampLit = receiveLampLit || lit;
        return liveReadsSince(0) >= 6;
    })) << requestLog();
    std::vector<int> reads = answeredReads();
    ASSERT_GE(reads.size(), 12u);
    EXPECT_EQ(std::vector<int>(reads.begin(), reads.begin() + 6),
              (std::vector<int>{2548, 2568, 2588, 2608, 2628, 2648}));
    for (size_t i = 6; i < reads.size(); ++i)
        EXPECT_EQ(reads[i], 2748);
    EXPECT_TRUE(receiveLampLit);

    // The first request of all was the password write.
    std::vector<qensim::Request> log = sim->requests();
    EXPECT_EQ(log.front().function, 6);
    EXPECT_EQ(log.front().address, 5185);

    // Live reads follow each other about every half second.
    std::vector<long long> times;
    for (const auto &r : log)
        if (r.function == 3 && r.address == 2748)
            times.push_back(r.atMs);
    double mean = static_cast<double>(times.back() - times.front()) / (times.size() - 1);
    std::printf("live-data poll period: %.0f ms over %zu reads\n", mean, times.size());
    EXPECT_GT(mean, 300);
    EXPECT_LT(mean, 900);

    EXPECT_EQ(dataItemOR[1].value, 2621);
    EXPECT_EQ(dataItemOR[9].value, 345);
    EXPECT_EQ(dataItem4[1].value, 23592); // the simulator's "Throttle max volt"
}

TEST_F(LinkWithSimulator, ParameterWriteReachesTheController) {
    connect();
    dataItem4[1].value = 3 * 32767.0 / 5; // 3 V entered on "Throttle max volt"
    dataItem4[1].writeFlag = 1;
    ASSERT_TRUE(waitFor([&] { return sim->reg(2609) == 19660; }));
    EXPECT_EQ(dataItem4[1].writeFlag, 0);
    EXPECT_EQ(sim->writesTo(2609), 1);
}

TEST_F(LinkWithSimulator, DeviceGoingAwayThenConfigureRecovers) {
    connect();
    ASSERT_TRUE(waitFor([&] { return liveReadsSince(0) >= 2; }));
    sim->unplug();
    ASSERT_TRUE(waitFor([] { return comConfigure_success_flag == 0; }));
    ASSERT_FALSE(popups.empty());
    EXPECT_TRUE(popups.back() == "Error|Com Read failed! " ||
                popups.back() == "Error|Com write failed! ")
        << popups.back();

    // While the port is lost the loop marks every table for a fresh read.
    ASSERT_TRUE(waitFor([] { return dataItem1[0].readFlag == 1 && dataItem6[0].readFlag == 1; }));

    // The cable comes back; "Configure" again and the polling resumes.
    sim->replug();
    long long back = nowMs();
    configure();
    ASSERT_EQ(comConfigure_success_flag, 1) << popups.back();
    EXPECT_TRUE(waitFor([&] { return liveReadsSince(back) >= 3; }));
    // The parameter tables are read again after the port was lost.
    bool reread = false;
    for (const auto &r : sim->requests())
        reread = reread || (r.atMs >= back && r.function == 3 && r.address == 2548);
    EXPECT_TRUE(reread);
}

// The port is lost just as the user reconfigures: the pause of the communication thread
// still shows the popup that thread raises, and neither side waits for ever.
TEST_F(LinkWithSimulator, PortLostWhileReconfiguringDoesNotDeadlock) {
    connect();
    ASSERT_TRUE(waitFor([&] { return liveReadsSince(0) >= 1; }));
    sim->unplug();
    // Whichever comes first, the communication thread's "Com Read failed! " or the
    // reopen's "config failed!", every press completes and the user hears of it.
    for (int i = 0; i < 3; ++i)
        configure();
    EXPECT_EQ(comConfigure_success_flag, 0);
    bool told = false;
    for (const auto &p : popups)
        told = told || p.rfind("Error|config failed!", 0) == 0 ||
               p == "Error|Com Read failed! " || p == "Error|Com write failed! ";
    EXPECT_TRUE(told) << requestLog();
    sim->replug();
    configure();
    EXPECT_EQ(comConfigure_success_flag, 1);
}

TEST_F(LinkWithSimulator, FaultyControllers) {
    struct Case {
        const char *name;
        qensim::Fault fault;
        int every;
    };
    const Case cases[] = {
        {"corrupting every second reply", qensim::Fault::Corrupt, 2},
        {"splitting every reply", qensim::Fault::Split, 1},
        {"answering from another slave now and then", qensim::Fault::OtherSlave, 3},
        {"delaying every reply", qensim::Fault::Delay, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        sim->freezeLiveData(true);
        sim->setReg(2749, 2000);
        sim->setFault(c.fault, c.every);
        if (comConfigure_success_flag == 0)
            connect();
        dataItemOR[1].value = 0;
        long long start = nowMs();
        ASSERT_TRUE(waitFor([&] { return dataItemOR[1].value == 2000; }));
        ASSERT_TRUE(waitFor([&] { return liveReadsSince(start) >= 4; }));
        EXPECT_EQ(dataItemOR[1].value, 2000); // spoilt replies never land in the tables
        EXPECT_EQ(comConfigure_success_flag, 1);
        sim->setReg(2749, 1000);
        ASSERT_TRUE(waitFor([&] { return dataItemOR[1].value == 1000; }));
    }
    EXPECT_TRUE(popups.empty());
}

TEST_F(LinkWithSimulator, SilentControllerKeepsGettingThePassword) {
    sim->setFault(qensim::Fault::Silent);
    configure();
    ASSERT_EQ(comConfigure_success_flag, 1);
    ASSERT_TRUE(waitFor([&] { return sim->writesTo(5185) >= 3 || sim->requests().size() >= 3; },
                        8000));
    EXPECT_EQ(hci_commnication_enable_3421, 0);
    for (const auto &r : sim->requests()) {
        EXPECT_EQ(r.function, 6); // nothing but the password while locked
        EXPECT_EQ(r.address, 5185);
    }
    std::vector<qensim::Request> log = sim->requests();
    for (size_t i = 1; i < log.size(); ++i) {
        long long gap = log[i].atMs - log[i - 1].atMs;
        std::printf("password repeated after %lld ms\n", gap);
        EXPECT_GT(gap, 2000);
    }
}

} // namespace
