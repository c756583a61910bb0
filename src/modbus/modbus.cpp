#include "modbus/modbus.h"

#include "modbus/link.h"
#include "modbus/modbusCRC.h"
#include "platform/rs232lib.h"
#include "platform/userint.h"

#include <algorithm>

unsigned char modbus_tx_buffer[MODBUS_BUFFER_SIZE];
int modbus_tx_frame_byte_num = 0;
unsigned char modbus_rx_buffer[MODBUS_BUFFER_SIZE];
std::atomic<int> tx_package_flag_send{0};
std::atomic<int> hci_commnication_enable_3421{0};
std::mutex modbus_tx_mutex;

namespace {

void buildFrame(unsigned char *frame, int functionCode, int address, int word) {
    frame[0] = MODBUS_SLAVE_ADDRESS;
    frame[1] = static_cast<unsigned char>(functionCode);
    frame[2] = static_cast<unsigned char>((address >> 8) & 0xFF);
    frame[3] = static_cast<unsigned char>(address & 0xFF);
    frame[4] = static_cast<unsigned char>((word >> 8) & 0xFF);
    frame[5] = static_cast<unsigned char>(word & 0xFF);
    uint16_t check = modrtuChecksum(frame, 6);
    frame[6] = static_cast<unsigned char>(check >> 8);
    frame[7] = static_cast<unsigned char>(check & 0xFF);
}

bool checkMatches(const unsigned char *frame, int covered) {
    uint16_t received = static_cast<uint16_t>(frame[covered] << 8 | frame[covered + 1]);
    return received == modrtuChecksum(frame, covered);
}

// Where a read reply lands: the table holding the start address, first hit wins.
struct Target {
    DataItem *table;
    int count;
    bool parameterTable;
};

const Target targets[] = {
    {dataItemOR, DATAITEM_OR_NUM, false}, {dataItem1, DATAITEM1_NUM, true},
    {dataItem2, DATAITEM2_NUM, true},     {dataItem3, DATAITEM3_NUM, true},
    {dataItem4, DATAITEM4_NUM, true},     {dataItem5, DATAITEM5_NUM, true},
    {dataItem6, DATAITEM6_NUM, true},
};

} // namespace

void modbus_package(uint16_t data, int address, unsigned char functionCode, int quantity) {
    std::lock_guard<std::mutex> lock(modbus_tx_mutex);
    buildFrame(modbus_tx_buffer, functionCode, address, functionCode == 3 ? quantity : data);
    modbus_tx_frame_byte_num = 8;
}

int send_1frame(int functionCode, int address, int value) {
    if (comConfigure_success_flag != 1) {
        MessagePopup("Error", "Port not open! ");
        return -1;
    }
    int written;
    {
        std::lock_guard<std::mutex> lock(modbus_tx_mutex);
        buildFrame(modbus_tx_buffer, functionCode, address, value);
        written = ComWrt(active_comselect, reinterpret_cast<const char *>(modbus_tx_buffer), 8);
    }
    if (written != 8) {
        FlushInQ(active_comselect);
        comConfigure_success_flag = 0;
        MessagePopup("Error", "Com write failed 11! ");
        return -1;
    }
    tx_package_flag_send = 1;
    return 0;
}

int getIndex(const DataItem *table, int count, int address) {
    for (int i = 0; i < count; ++i)
        if (table[i].address == address)
            return i;
    return -1;
}

int modbus_unpackage(const unsigned char *response, int length, const unsigned char *request) {
    // Only bytes of this response are ever looked at: whatever an earlier, longer frame
    // left further on in the buffer is not part of it.
    if (length > MODBUS_BUFFER_SIZE)
        length = MODBUS_BUFFER_SIZE;
    if (length < 2)
        return -3;
    if (response[0] != request[0])
        return -1;
    if (response[1] != request[1]) {
        if ((response[1] & 0x80) == 0)
            return -2;
        if (length < 3)
            return -3;
        switch (response[2]) {
        case 1:
            return -5;
        case 2:
            return -6;
        case 3:
            return -7;
        case 4:
            return -8;
        default:
            return -2;
        }
    }

    if (request[1] == 3) {
        int n = request[4] * 256 + request[5];
        int expected = 2 * n + 5;
        if (length < expected) // also covers counts too large for the buffer
            return -3;
        if (!checkMatches(response, 2 * n + 3))
            return -3;
        int start = request[2] * 256 + request[3];
        for (const Target &target : targets) {
            int idx = getIndex(target.table, target.count, start);
            if (idx < 0)
                continue;
            // Never past the table's last record, whatever the request asked for.
            int stored = std::min(n, target.count - idx);
            for (int i = 0; i < stored; ++i) {
                DataItem &record = target.table[idx + i];
                // A value the user has just committed waits for its write; the
                // device's older content must not replace it. The exchange also loses
                // to an entry stored between the flag test and the store.
                double before = record.value;
                if (record.writeFlag == 0) {
                    auto word = static_cast<int16_t>(response[3 + 2 * i] << 8 |
                                                     response[4 + 2 * i]);
                    if (record.value.compare_exchange_strong(before, static_cast<double>(word)))
                        record.refreshFlag = 1;
                }
                if (target.parameterTable)
                    record.readFlag = 0;
            }
            return 1;
        }
        return -9;
    }

    if (request[1] == 6) {
        if (length < 8)
            return -3;
        if (!checkMatches(response, 6))
            return -3;
        if (request[4] * 256 + request[5] == COMMUNICATION_PASSWORD) {
            hci_commnication_enable_3421 = 1;
            return 0;
        }
        return -4;
    }
    return -2; // a request of neither kind: nothing to compare the reply with
}
