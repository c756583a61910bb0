// CRC, request frames, the password write and response decoding.
#include "modbus/link.h"
#include "modbus/modbus.h"
#include "modbus/modbusCRC.h"
#include "platform/userint.h"
#include "support/frames.h"
#include "support/scripted_port.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

TEST(ModbusCrc, WorkedExamplesAndProperties) {
    struct Case {
        Bytes message;
        uint16_t check;
    };
    const Case cases[] = {
        {{0x01, 0x03, 0x00, 0x00, 0x00, 0x01}, 0x840A},
        {{0x01, 0x06, 0x00, 0x01, 0x00, 0x03}, 0x980B},
        {{'1', '2', '3', '4', '5', '6', '7', '8', '9'}, 0x374B},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(modrtuChecksum(c.message.data(), static_cast<int>(c.message.size())), c.check);
        Bytes framed = withCrc(c.message);
        EXPECT_EQ(framed[framed.size() - 2], c.check >> 8); // CRC low-order byte first
        EXPECT_EQ(modrtuChecksum(framed.data(), static_cast<int>(framed.size())), 0x0000);
        for (size_t byte = 0; byte < c.message.size(); ++byte)
            for (int bit = 0; bit < 8; ++bit) {
                Bytes flipped = c.message;
                flipped[byte] ^= static_cast<unsigned char>(1 << bit);
                EXPECT_NE(modrtuChecksum(flipped.data(), static_cast<int>(flipped.size())),
                          c.check);
            }
    }
    EXPECT_EQ(modrtuChecksum(nullptr, 0), 0xFFFF);
}

TEST(ModbusCrc, TablesFollowTheRuleInEveryEntry) {
    for (unsigned i = 0; i < 256; ++i) {
        unsigned t = i;
        for (int k = 0; k < 8; ++k)
            t = (t & 1) ? (t >> 1) ^ 0xA001 : t >> 1;
        EXPECT_EQ(auchCRCHi_exp[i], static_cast<int>(t & 0xFF)) << i;
        EXPECT_EQ(auchCRCLo_exp[i], static_cast<int>(t >> 8)) << i;
    }
}

TEST(ModbusRequest, ReadAndWriteLayouts) {
    modbus_package(0, 2748, 3, 26);
    EXPECT_EQ(modbus_tx_frame_byte_num, 8);
    EXPECT_EQ(Bytes(modbus_tx_buffer, modbus_tx_buffer + 8),
              withCrc({0x01, 0x03, 0x0A, 0xBC, 0x00, 0x1A}));
    modbus_package(0xFFFD, 2609, 6, 0); // -3 in two's complement
    EXPECT_EQ(Bytes(modbus_tx_buffer, modbus_tx_buffer + 8),
              withCrc({0x01, 0x06, 0x0A, 0x31, 0xFF, 0xFD}));
}

class PasswordWrite : public ::testing::Test {
  protected:
    void SetUp() override {
        InitRunTime(0, nullptr, false);
        SetPopupHandler([this](const std::string &title, const std::string &text) {
            popups.push_back(title + "|" + text);
        });
        fillCommunicationPassword();
        active_comselect = 3;
        tx_package_flag_send = 0;
    }
    void TearDown() override {
        comConfigure_success_flag = 0;
        CloseRunTime();
    }
    int sendPassword() {
        return send_1frame(6, communication_password_hci.address,
                           static_cast<int>(communication_password_hci.value));
    }
    ScriptedPort port;
    std::vector<std::string> popups;
};

TEST_F(PasswordWrite, GoesOutAsOneFrame) {
    port.open(3, "", 19200, 1, 8, 1, 1024, 1024);
    comConfigure_success_flag = 1;
    EXPECT_EQ(sendPassword(), 0);
    ASSERT_EQ(port.writes.size(), 1u);
    EXPECT_EQ(port.writes[0], withCrc({0x01, 0x06, 0x14, 0x41, 0x5D, 0x00}));
    EXPECT_EQ(tx_package_flag_send, 1);
    EXPECT_TRUE(popups.empty());
}

TEST_F(PasswordWrite, PortNotOpenSendsNothing) {
    comConfigure_success_flag = 0;
    EXPECT_EQ(sendPassword(), -1);
    EXPECT_TRUE(port.writes.empty());
    EXPECT_EQ(popups, std::vector<std::string>{"Error|Port not open! "});
}

TEST_F(PasswordWrite, ShortWriteMarksThePortClosed) {
    port.open(3, "", 19200, 1, 8, 1, 1024, 1024);
    comConfigure_success_flag = 1;
    port.shortWrites = 1;
    EXPECT_EQ(sendPassword(), -1);
    EXPECT_EQ(comConfigure_success_flag, 0);
    EXPECT_EQ(port.inputFlushes, 1);
    EXPECT_EQ(tx_package_flag_send, 0);
    EXPECT_EQ(popups, std::vector<std::string>{"Error|Com write failed 11! "});
}

// ---- Response decoding ----

std::vector<int> ramp(int n, int from = 100) {
    std::vector<int> words;
    for (int i = 0; i < n; ++i)
        words.push_back(from + i);
    return words;
}

Bytes corruptLast(Bytes frame) {
    frame.back() ^= 0x55;
    return frame;
}

double allValuesSum() {
    double sum = 0;
    for (DataTable t : {DataTable{dataItemOR, DATAITEM_OR_NUM}, parameterTables[0],
                        parameterTables[1], parameterTables[2], parameterTables[3],
                        parameterTables[4], parameterTables[5]})
        for (int i = 0; i < t.count; ++i)
            sum += t.items[i].value * (i + 1) + t.items[i].refreshFlag * 0.5;
    return sum;
}

struct DecodeCase {
    const char *name;
    Bytes request;
    Bytes response;
    int expected;
    std::function<void()> prepare = [] {};
    std::function<void()> check = [] {};
    int length = -1; // bytes received; -1 = the whole response
};

class Decoder : public ::testing::Test {
  protected:
    void SetUp() override {
        fillDataItemTables();
        hci_commnication_enable_3421 = 0;
        for (DataTable t : {DataTable{dataItemOR, DATAITEM_OR_NUM}, parameterTables[0],
                            parameterTables[1], parameterTables[2], parameterTables[3],
                            parameterTables[4], parameterTables[5]})
            for (int i = 0; i < t.count; ++i)
                t.items[i].refreshFlag = 0;
    }
};

TEST_F(Decoder, TableOfCases) {
    const std::vector<DecodeCase> cases = {
        {"live data: 26 registers in a 57-byte reply", readRequest(2748, 26),
         readReply(ramp(26)), 1, [] {},
         [] {
             for (int i = 0; i < 26; ++i) {
                 EXPECT_EQ(dataItemOR[i].value, 100 + i);
                 EXPECT_EQ(dataItemOR[i].refreshFlag, 1);
             }
             EXPECT_EQ(dataItemOR[0].readFlag, 1); // the standing poll stays armed
         }},
        {"a FUNC table read clears readFlag", readRequest(2588, 16), readReply(ramp(16)), 1,
         [] {},
         [] {
             for (int i = 0; i < 16; ++i) {
                 EXPECT_EQ(dataItem3[i].value, 100 + i);
                 EXPECT_EQ(dataItem3[i].readFlag, 0);
             }
         }},
        {"a wrong byte count is still accepted by its CRC", readRequest(2568, 7),
         readReply(ramp(7), 0x00), 1, [] {}, [] { EXPECT_EQ(dataItem2[6].value, 106); }},
        {"words are signed 16-bit", readRequest(2608, 6),
         readReply({0x8000, 0x7FFF, 0xFFFF, 0xFFFE, 0x012C, 0}), 1, [] {},
         [] {
             EXPECT_EQ(dataItem4[0].value, -32768.0);
             EXPECT_EQ(dataItem4[1].value, 32767.0);
             EXPECT_EQ(dataItem4[2].value, -1.0);
             EXPECT_EQ(dataItem4[3].value, -2.0);
             EXPECT_EQ(dataItem4[4].value, 300.0);
         }},
        {"another slave", readRequest(2748, 26),
         [] {
             Bytes r = readReply(ramp(26));
             r[0] = 2;
             return r;
         }(),
         -1},
        {"exception 1", readRequest(2748, 26), withCrc({0x01, 0x83, 0x01}), -5},
        {"exception 2, whatever follows", readRequest(2748, 26), {0x01, 0x83, 0x02, 0xAA}, -6},
        {"exception 3", writeRequest(2609, 5), withCrc({0x01, 0x86, 0x03}), -7},
        {"exception 4", readRequest(2748, 26), withCrc({0x01, 0x83, 0x04}), -8},
        {"unknown exception code", readRequest(2748, 26), withCrc({0x01, 0x83, 0x07}), -2},
        {"another function, bit 7 clear", readRequest(2748, 26),
         withCrc({0x01, 0x04, 0x02, 0x00, 0x01}), -2},
        {"ordinary write echo", writeRequest(2609, 19660), writeRequest(2609, 19660), -4, [] {},
         [] { EXPECT_EQ(hci_commnication_enable_3421, 0); }},
        {"password echo enables the link", writeRequest(5185, 0x5D00),
         writeRequest(5185, 0x5D00), 0, [] {},
         [] { EXPECT_EQ(hci_commnication_enable_3421, 1); }},
        {"write echo with a bad CRC", writeRequest(5185, 0x5D00),
         corruptLast(writeRequest(5185, 0x5D00)), -3, [] {},
         [] { EXPECT_EQ(hci_commnication_enable_3421, 0); }},
        {"no table at the start address, good CRC", readRequest(3000, 4), readReply(ramp(4)),
         -9},
        {"no table at the start address, bad CRC", readRequest(3000, 4),
         corruptLast(readReply(ramp(4))), -3},
        // Sound behaviour beyond the letter of the protocol:
        {"a short reply is rejected although the buffer holds an old frame's tail",
         readRequest(2748, 26), readReply(ramp(26)), -3, [] {}, [] {}, 30},
        {"a read running past its table stores only the table's records", readRequest(2608, 10),
         readReply(ramp(10)), 1, [] {},
         [] {
             EXPECT_EQ(dataItem4[5].value, 105);
             EXPECT_EQ(dataItem5[0].value, 0); // the next table is untouched
             EXPECT_EQ(dataItem5[0].refreshFlag, 0);
         }},
        {"a record waiting for its write keeps the user's value", readRequest(2608, 6),
         readReply(ramp(6)), 1,
         [] {
             dataItem4[1].value = 19660;
             dataItem4[1].writeFlag = 1;
         },
         [] {
             EXPECT_EQ(dataItem4[1].value, 19660);
             EXPECT_EQ(dataItem4[1].writeFlag, 1);
             EXPECT_EQ(dataItem4[0].value, 100);
             EXPECT_EQ(dataItem4[2].value, 102);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        c.prepare();
        // Whatever the buffer held before stays behind the new response.
        std::fill(std::begin(modbus_rx_buffer), std::end(modbus_rx_buffer), 0);
        Bytes full = readReply(ramp(26));
        if (c.length >= 0) // the stale tail of a complete earlier frame
            std::copy(full.begin(), full.end(), modbus_rx_buffer);
        std::copy(c.response.begin(), c.response.end(), modbus_rx_buffer);
        std::copy(c.request.begin(), c.request.end(), modbus_tx_buffer);
        int length = c.length >= 0 ? c.length : static_cast<int>(c.response.size());
        bool storesNothing = c.expected != 1;
        double before = allValuesSum();
        EXPECT_EQ(modbus_unpackage(modbus_rx_buffer, length, modbus_tx_buffer), c.expected);
        if (storesNothing) {
            EXPECT_EQ(allValuesSum(), before); // tables untouched
        }
        c.check();
    }
}

// Random requests and random (often nearly valid) replies: the decoder reads and writes
// nothing outside its buffers and the tables. Run under AddressSanitizer too.
TEST_F(Decoder, RandomFramesStayInBounds) {
    std::mt19937 rng(20261211);
    const int starts[] = {2748, 2548, 2568, 2588, 2608, 2628, 2648, 2660, 2773, 5185, 0, 65535};
    for (int round = 0; round < 200000; ++round) {
        Bytes request;
        int kind = rng() % 3;
        int start = starts[rng() % std::size(starts)];
        if (kind == 0)
            request = readRequest(start, rng() % 2 ? rng() % 30 : rng() % 65536);
        else if (kind == 1)
            request = writeRequest(start, rng() % 65536);
        else
            for (int i = 0; i < 8; ++i)
                request.push_back(static_cast<unsigned char>(rng()));
        int length = rng() % (MODBUS_BUFFER_SIZE + 40);
        Bytes response(MODBUS_BUFFER_SIZE);
        for (auto &b : response)
            b = static_cast<unsigned char>(rng());
        if (rng() % 2) { // a well-formed reply of some length
            response[0] = 1;
            response[1] = request[1];
            int n = rng() % 40;
            Bytes valid = readReply(ramp(n, static_cast<int>(rng() % 65536)));
            if (request[1] == 6)
                valid = request;
            std::copy(valid.begin(), valid.begin() + std::min<size_t>(valid.size(), 200),
                      response.begin());
        }
        std::copy(response.begin(), response.end(), modbus_rx_buffer);
        std::copy(request.begin(), request.end(), modbus_tx_buffer);
        int result = modbus_unpackage(modbus_rx_buffer, length, modbus_tx_buffer);
        ASSERT_GE(result, -9);
        ASSERT_LE(result, 1);
    }
    for (int i = 0; i < DATAITEM_OR_NUM; ++i) {
        ASSERT_GE(dataItemOR[i].value, -32768);
        ASSERT_LE(dataItemOR[i].value, 32767);
    }
}

} // namespace
