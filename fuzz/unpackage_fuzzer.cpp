// libFuzzer target for the response decoder: the input is a request frame (8 bytes), a
// received length (1 byte) and the response bytes.
#include "modbus/modbus.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

// The decoder needs no port or screen; the password write is not fuzzed here.
int MessagePopup(const char *, const char *) { return 0; }
int ComWrt(int, const char *, int count) { return count; }
int FlushInQ(int) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static bool filled = [] {
        fillDataItemTables();
        return true;
    }();
    (void)filled;
    if (size < 9)
        return 0;
    std::memcpy(modbus_tx_buffer, data, 8);
    int length = data[8];
    size_t bytes = std::min<size_t>(size - 9, MODBUS_BUFFER_SIZE);
    std::memset(modbus_rx_buffer, 0, sizeof modbus_rx_buffer);
    std::memcpy(modbus_rx_buffer, data + 9, bytes);
    int result = modbus_unpackage(modbus_rx_buffer, length, modbus_tx_buffer);
    if (result < -9 || result > 1)
        __builtin_trap();
    return 0;
}
