#include "serial/rs232.h"

#include "modbus/link.h"
#include "modbus/modbus.h"
#include "platform/rs232lib.h"
#include "platform/runtime.h"
#include "platform/userint.h"
#include "registers/dataitem.h"
#include "ui/panels.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

std::atomic<int> com_idle{1};
int tx_package_flag = 0;
std::atomic<int> query_enable_flag{0};
std::atomic<int> sendLedON{0};

unsigned char receive_buffer[1024];
int receive_leng = 0;
int receive_count = 0;
int receive_frame_length = 0;
int receive_frame_end_delay = 0;
long long receive_frame_end_delay_begin = 0;
long long receive_frame_end_delay_end = 0;
int receive_frame_end_flag = 0;
int com_idle_delay = 0;
long long com_idle_delay_begin = 0;
long long com_idle_delay_end = 0;
int recieveLedON = 0;
int recieveLedShineDelay = 0;

constexpr int RECEIVE_FRAME_MAX = MODBUS_BUFFER_SIZE - 1; // 199 bytes kept of a reply
constexpr long long FRAME_END_SILENCE_MS = 200;
constexpr long long REPLY_TIMEOUT_MS = 2000;

bool TakeComIdle() {
    int expected = 1;
    return com_idle.compare_exchange_strong(expected, 0);
}

void ResetLineState() {
    receive_count = 0;
    receive_frame_end_delay = 0;
    receive_frame_end_flag = 0;
    com_idle_delay = 0;
    recieveLedON = 0;
    com_idle = 1;
}

namespace {

DataItem *firstPendingWrite() {
    for (const DataTable &table : parameterTables)
        for (int i = 0; i < table.count; ++i)
            if (table.items[i].writeFlag == 1)
                return &table.items[i];
    return nullptr;
}

// The integer part of the value, its low 16 bits, as the register word to send.
uint16_t registerWord(double value) {
    double whole = value < 0 ? -static_cast<double>(static_cast<long long>(-value))
                             : static_cast<double>(static_cast<long long>(value));
    if (!(whole > -9.2e18 && whole < 9.2e18))
        whole = 0; // NaN or far outside any register: nothing sensible to keep
    return static_cast<uint16_t>(static_cast<long long>(whole) & 0xFFFF);
}

} // namespace

void RS232Send() {
    // The token is taken at once, so the keep-alive on the UI thread cannot slip a
    // frame into the transmit buffer while this step builds one.
    if (!TakeComIdle())
        return;
    if (DataItem *record = firstPendingWrite()) {
        record->writeFlag = 0;
        modbus_package(registerWord(record->value), record->address, 6, 0);
        tx_package_flag = 1;
    }
    if (tx_package_flag == 0 && query_enable_flag == 1) {
        for (const DataTable &table : parameterTables) {
            if (table.items[0].readFlag == 1) {
                table.items[0].readFlag = 0;
                modbus_package(0, table.items[0].address, 3, table.count);
                tx_package_flag = 1;
                break;
            }
        }
    }
    if (tx_package_flag == 0 && query_enable_flag == 1 && dataItemOR[0].readFlag == 1) {
        modbus_package(0, dataItemOR[0].address, 3, DATAITEM_OR_NUM);
        tx_package_flag = 1;
    }
    if (tx_package_flag == 1) {
        tx_package_flag = 0;
        int written = ComWrt(active_comselect, reinterpret_cast<const char *>(modbus_tx_buffer),
                             modbus_tx_frame_byte_num);
        if (written != modbus_tx_frame_byte_num) {
            MessagePopup("Error", "Com write failed! ");
            FlushInQ(active_comselect);
            comConfigure_success_flag = 0;
        }
        sendLedON = 1;
    } else {
        com_idle = 1; // nothing to send: the line stays free
        sendLedON = 0;
    }
}

void RS232Rec() {
    using namespace PanelMain;
    // Receive lamp: lit in 3 calls of every 11 while accepted reads follow each other.
    if (recieveLedON == 1) {
        recieveLedShineDelay = recieveLedShineDelay < 10 ? recieveLedShineDelay + 1 : 0;
        SetCtrlVal(panelMain, LED_RECIEVE, recieveLedShineDelay < 3 ? 1 : 0);
    } else {
        recieveLedShineDelay = 0;
        SetCtrlVal(panelMain, LED_RECIEVE, 0);
    }

    if (com_idle == 0) {
        receive_leng = GetInQLen(active_comselect);
        int wanted = receive_leng < 0 ? 0 : std::min(receive_leng, static_cast<int>(sizeof receive_buffer));
        int r = receive_leng < 0 ? receive_leng
                                 : ComRd(active_comselect, reinterpret_cast<char *>(receive_buffer),
                                         wanted);
        // No output-queue discard here: the request written in this same cycle may still
        // be on its way (in the adapter, or unread on a pseudo-terminal), and discarding
        // it would cut it short. Nothing else is ever queued for output.
        if (r < 0) {
            MessagePopup("Error", "Com Read failed! ");
            comConfigure_success_flag = 0;
        } else if (r > 0) {
            for (int i = 0; i < r; ++i) {
                if (receive_count < RECEIVE_FRAME_MAX) {
                    modbus_rx_buffer[receive_count++] = receive_buffer[i];
                } else {
                    FlushInQ(active_comselect); // an overlong reply: the rest is dropped
                }
            }
            receive_frame_end_delay = 0;
        } else if (receive_count > 0) {
            if (receive_frame_end_delay == 0) {
                receive_frame_end_delay = 1;
                receive_frame_end_delay_begin = MonotonicClockMs();
            } else {
                receive_frame_end_delay_end = MonotonicClockMs();
                if (receive_frame_end_delay_end - receive_frame_end_delay_begin >
                    FRAME_END_SILENCE_MS) {
                    receive_frame_end_flag = 1;
                    receive_frame_end_delay = 0;
                    receive_frame_length = receive_count;
                    receive_count = 0;
                }
            }
        }
    }

    if (com_idle == 0) {
        if (com_idle_delay == 0) {
            com_idle_delay = 1;
            com_idle_delay_begin = MonotonicClockMs();
        } else {
            com_idle_delay_end = MonotonicClockMs();
            if (com_idle_delay_end - com_idle_delay_begin > REPLY_TIMEOUT_MS) {
                com_idle_delay = 0;
                receive_count = 0; // a partial reply is dropped
                com_idle = 1;
                recieveLedON = 0;
            }
        }
    } else {
        com_idle_delay = 0;
        recieveLedON = 0;
    }

    if (receive_frame_end_flag == 1) {
        receive_frame_end_flag = 0;
        int result = modbus_unpackage(modbus_rx_buffer, receive_frame_length, modbus_tx_buffer);
        recieveLedON = result == 1 ? 1 : 0;
        com_idle_delay = 0;
        com_idle = 1;
    }
}

void ErrorCheck(const char *text, int code) {
    char message[256];
    std::snprintf(message, sizeof message, "%s (Error = %d).\n\nQuit? ", text, code);
    MessagePopup("ErrorCheck", message);
    std::exit(-1);
}
