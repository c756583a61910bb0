// Modbus frames as the tests write and expect them.
#pragma once

#include "modbus/modbusCRC.h"

#include <vector>

using Bytes = std::vector<unsigned char>;

// Appends the CRC, low-order byte first, as on the wire.
inline Bytes withCrc(Bytes frame) {
    uint16_t check = modrtuChecksum(frame.data(), static_cast<int>(frame.size()));
    frame.push_back(static_cast<unsigned char>(check >> 8));
    frame.push_back(static_cast<unsigned char>(check & 0xFF));
    return frame;
}

inline Bytes readRequest(int start, int count) {
    return withCrc({0x01, 0x03, static_cast<unsigned char>(start >> 8),
                    static_cast<unsigned char>(start & 0xFF),
                    static_cast<unsigned char>(count >> 8),
                    static_cast<unsigned char>(count & 0xFF)});
}

inline Bytes writeRequest(int address, int value) {
    return withCrc({0x01, 0x06, static_cast<unsigned char>(address >> 8),
                    static_cast<unsigned char>(address & 0xFF),
                    static_cast<unsigned char>((value >> 8) & 0xFF),
                    static_cast<unsigned char>(value & 0xFF)});
}

// A read reply with the given words (and byte count, wrong if asked).
inline Bytes readReply(const std::vector<int> &words, int byteCount = -1) {
    Bytes frame = {0x01, 0x03,
                   static_cast<unsigned char>(byteCount < 0 ? 2 * words.size() : byteCount)};
    for (int w : words) {
        frame.push_back(static_cast<unsigned char>((w >> 8) & 0xFF));
        frame.push_back(static_cast<unsigned char>(w & 0xFF));
    }
    return withCrc(frame);
}
