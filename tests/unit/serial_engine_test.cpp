// Transmit and receive steps and the communication loop, on a scripted port and a
// virtual clock, so the 200 ms frame end and the 2000 ms time-out are exact.
#include "engine/ems.h"
#include "modbus/link.h"
#include "modbus/modbus.h"
#include "modbus/modbusCRC.h"
#include "platform/userint.h"
#include "registers/dataitem.h"
#include "serial/rs232.h"
#include "support/frames.h"
#include "support/scripted_port.h"
#include "ui/panels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

Bytes liveReply(int firstWord = 500) {
    std::vector<int> words;
    for (int i = 0; i < 26; ++i)
        words.push_back(firstWord + i);
    return readReply(words);
}

class SerialEngine : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterUserInterfaceResources();
        InitRunTime(0, nullptr, false);
        SetPopupHandler([this](const std::string &title, const std::string &text) {
            popups.push_back(title + "|" + text);
        });
        panelMain = LoadPanel(0, "mainwin.uir", PANEL_MAIN);
        fillDataItemTables();
        fillCommunicationPassword();
        // Nothing pending but the standing live-data poll.
        for (const DataTable &t : parameterTables)
            t.items[0].readFlag = 0;
        query_enable_flag = 1;
        hci_commnication_enable_3421 = 1;
        active_comselect = 2;
        port.open(2, "", 19200, 1, 8, 1, 1024, 1024);
        comConfigure_success_flag = 1;
        ResetLineState();
        sendLedON = 0;
        recieveLedShineDelay = 0;
        sendLedShineDelay = 0;
        tx_package_flag_send = 0;
    }
    void TearDown() override {
        comConfigure_success_flag = 0;
        hci_commnication_enable_3421 = 0;
        CloseRunTime();
    }
    // One cycle of the loop: send, receive, then 100 ms pass.
    void cycle() {
        RS232Send();
        RS232Rec();
        clock.advance(100);
    }
    int led(int control) {
        int lit = -1;
        GetCtrlVal(panelMain, control, &lit);
        return lit;
    }

    VirtualClock clock;
    ScriptedPort port;
    std::vector<std::string> popups;
};

TEST_F(SerialEngine, RequestPriority) {
    struct Case {
        const char *name;
        std::function<void()> arm;
        Bytes expected;
    };
    const Case cases[] = {
        {"nothing pending: the live-data poll", [] {}, readRequest(2748, 26)},
        {"a write goes before everything; the lowest table first",
         [] {
             dataItem5[3].value = 7;
             dataItem5[3].writeFlag = 1;
             dataItem2[4].value = -1.7; // integer part, 16 bits: 0xFFFF
             dataItem2[4].writeFlag = 1;
             dataItem1[0].readFlag = 1;
         },
         writeRequest(2572, 0xFFFF)},
        {"a table read goes before the poll, in table order",
         [] {
             dataItem6[0].readFlag = 1;
             dataItem3[0].readFlag = 1;
         },
         readRequest(2588, 16)},
        {"2.9 is written as 2", [] {
             dataItem4[1].value = 2.9;
             dataItem4[1].writeFlag = 1;
         },
         writeRequest(2609, 2)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        port.writes.clear();
        c.arm();
        RS232Send();
        ASSERT_EQ(port.writes.size(), 1u);
        EXPECT_EQ(port.writes[0], c.expected);
        EXPECT_EQ(com_idle, 0);
        EXPECT_EQ(sendLedON, 1);
        // A call while the reply is awaited sends nothing and keeps the lamp request.
        RS232Send();
        EXPECT_EQ(port.writes.size(), 1u);
        EXPECT_EQ(sendLedON, 1);
    }
    // Flags are cleared as the frames are built: the other write, then the read follow.
    SetUp();
    port.writes.clear();
    dataItem2[0].writeFlag = 1;
    dataItem5[0].writeFlag = 1;
    dataItem1[0].readFlag = 1;
    for (int i = 0; i < 3; ++i) {
        RS232Send();
        com_idle = 1; // as if each reply had been decoded
    }
    ASSERT_EQ(port.writes.size(), 3u);
    EXPECT_EQ(port.writes[0][3], 2568 & 0xFF);
    EXPECT_EQ(port.writes[1][3], 2628 & 0xFF);
    EXPECT_EQ(port.writes[2], readRequest(2548, 15));
    EXPECT_EQ(dataItem1[0].readFlag, 0);
}

TEST_F(SerialEngine, ReplyInPiecesIsDecodedOnceAfterTheSilence) {
    RS232Send(); // live-data poll
    long long sent = clock.now();
    Bytes reply = liveReply(1000);
    port.arrive(sent + 20, Bytes(reply.begin(), reply.begin() + 20));
    port.arrive(sent + 70, Bytes(reply.begin() + 20, reply.begin() + 40));
    port.arrive(sent + 120, Bytes(reply.begin() + 40, reply.end()));
    std::vector<long long> decodedAt;
    int decodes = 0;
    for (int i = 0; i < 12; ++i) { // the loop's 100 ms rhythm
        dataItemOR[0].refreshFlag = 0;
        RS232Rec();
        if (dataItemOR[0].refreshFlag == 1) {
            ++decodes;
            decodedAt.push_back(clock.now());
            EXPECT_EQ(recieveLedON, 1); // an accepted read
            EXPECT_EQ(com_idle, 1);
        }
        clock.advance(100);
    }
    ASSERT_EQ(decodes, 1);
    EXPECT_EQ(dataItemOR[0].value, 1000);
    EXPECT_EQ(dataItemOR[25].value, 1025);
    // The last piece is read at the poll 200 ms after sending; the frame ends on the third
    // or fourth empty poll after it, more than 200 ms of silence later.
    long long lastRead = sent + 200;
    EXPECT_GT(decodedAt[0] - lastRead, 200);
    EXPECT_LE(decodedAt[0] - lastRead, 400);
}

TEST_F(SerialEngine, OverlongReplyKeeps199Bytes) {
    RS232Send();
    Bytes flood(250, 0xAB);
    port.arrive(clock.now(), flood);
    RS232Rec();
    EXPECT_EQ(receive_count, 199);
    EXPECT_EQ(port.inputFlushes, 51);
    for (int i = 0; i < 4 && com_idle == 0; ++i) {
        clock.advance(100);
        RS232Rec();
    }
    EXPECT_EQ(receive_frame_length, 199);
    EXPECT_EQ(com_idle, 1);     // decoded (and refused): the line is free again
    EXPECT_EQ(recieveLedON, 0);
}

TEST_F(SerialEngine, NoReplyFreesTheLineAfter2000ms) {
    RS232Send();
    long long sent = clock.now();
    long long freedAt = 0;
    for (int i = 0; i < 30 && !freedAt; ++i) {
        RS232Rec();
        if (com_idle == 1)
            freedAt = clock.now();
        clock.advance(100);
    }
    EXPECT_GT(freedAt - sent, 2000);
    EXPECT_LE(freedAt - sent, 2100);
    port.writes.clear();
    RS232Send(); // the next request goes out in the following cycle
    EXPECT_EQ(port.writes.size(), 1u);
}

TEST_F(SerialEngine, ReceiveLampBlinkPattern) {
    std::string pattern;
    com_idle = 0;
    for (int i = 0; i < 22; ++i) {
        recieveLedON = 1;
        com_idle_delay = 0; // keep the time-out from running out meanwhile
        RS232Rec();
        pattern += led(PanelMain::LED_RECIEVE) ? '*' : '.';
    }
    EXPECT_EQ(pattern, "**........***........*");
}

TEST_F(SerialEngine, ReadFailureMarksThePortClosed) {
    RS232Send();
    port.failReads = 1;
    RS232Rec();
    EXPECT_EQ(comConfigure_success_flag, 0);
    EXPECT_EQ(popups, std::vector<std::string>{"Error|Com Read failed! "});
}

TEST_F(SerialEngine, ShortWriteMarksThePortClosed) {
    port.shortWrites = 1;
    RS232Send();
    EXPECT_EQ(comConfigure_success_flag, 0);
    EXPECT_EQ(port.inputFlushes, 1);
    EXPECT_EQ(popups, std::vector<std::string>{"Error|Com write failed! "});
}

// The communication loop, pass by pass, with a controller that never answers.
TEST_F(SerialEngine, SilentControllerGetsThePasswordAbout22SecondsApart) {
    hci_commnication_enable_3421 = 0;
    std::string lamp;
    for (int pass = 0; pass < 100; ++pass) { // about 11 s
        RS232COMThreadPass();
        lamp += led(PanelMain::LED_TRANSMIT) ? '*' : '.';
        Sleep(100);
    }
    ASSERT_GE(port.writes.size(), 4u);
    for (const Bytes &frame : port.writes)
        EXPECT_EQ(frame, writeRequest(5185, 0x5D00));
    for (size_t i = 1; i < port.writes.size(); ++i) {
        long long gap = port.writeTimes[i] - port.writeTimes[i - 1];
        EXPECT_GE(gap, 2200);
        EXPECT_LE(gap, 2400);
    }
    // The transmit lamp lights for one pass per password write.
    EXPECT_EQ(static_cast<size_t>(std::count(lamp.begin(), lamp.end(), '*')),
              port.writes.size());
}

TEST_F(SerialEngine, ClosedPortOnlyRearmsTheTableReads) {
    comConfigure_success_flag = 0;
    dataItemOR[0].readFlag = 0;
    SetCtrlVal(panelMain, PanelMain::LED_TRANSMIT, 1);
    for (int pass = 0; pass < 3; ++pass)
        RS232COMThreadPass();
    for (const DataTable &t : parameterTables)
        EXPECT_EQ(t.items[0].readFlag, 1);
    EXPECT_EQ(dataItemOR[0].readFlag, 0); // the live table is left alone
    EXPECT_TRUE(port.writes.empty());
    EXPECT_EQ(led(PanelMain::LED_TRANSMIT), 1); // keeps its state
}

// A failed password write from the loop: the thread carries on, and serves the port
// again once it has been reopened.
TEST_F(SerialEngine, FailedPasswordWriteDoesNotEndTheLoop) {
    hci_commnication_enable_3421 = 0;
    port.shortWrites = 1;
    RS232COMThreadPass();
    EXPECT_EQ(comConfigure_success_flag, 0);
    ASSERT_EQ(popups.size(), 1u);
    // Reopened: the line is reset and the handshake resumes.
    comConfigure_success_flag = 1;
    ResetLineState();
    port.writes.clear();
    RS232COMThreadPass();
    EXPECT_EQ(port.writes.size(), 1u);
}

} // namespace
