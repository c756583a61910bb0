#include "modbus/modbusCRC.h"

#include <array>

namespace {

// T(i): i shifted right eight times, 0xA001 folded in after every shift that drops a 1.
constexpr unsigned crcStep(unsigned i) {
    unsigned crc = i;
    for (int bit = 0; bit < 8; ++bit)
        crc = (crc & 1) ? (crc >> 1) ^ 0xA001u : crc >> 1;
    return crc;
}

constexpr std::array<int, 256> makeTable(bool highOrder) {
    std::array<int, 256> table{};
    for (unsigned i = 0; i < 256; ++i)
        table[i] = static_cast<int>(highOrder ? crcStep(i) & 0xFF : crcStep(i) >> 8);
    return table;
}

constexpr std::array<int, 256> hiTable = makeTable(true);
constexpr std::array<int, 256> loTable = makeTable(false);
static_assert(hiTable[1] == 0xC1 && hiTable[2] == 0x81 && hiTable[3] == 0x40);
static_assert(loTable[1] == 0xC0 && loTable[2] == 0xC1 && loTable[3] == 0x01);

} // namespace


const int auchCRCHi_exp[256] = {
#define ROW(i) hiTable[i], hiTable[i + 1], hiTable[i + 2], hiTable[i + 3], hiTable[i + 4], \
               hiTable[i + 5], hiTable[i + 6], hiTable[i + 7]
    ROW(0),   ROW(8),   ROW(16),  ROW(24),  ROW(32),  ROW(40),  ROW(48),  ROW(56),
    ROW(64),  ROW(72),  ROW(80),  ROW(88),  ROW(96),  ROW(104), ROW(112), ROW(120),
    ROW(128), ROW(136), ROW(144), ROW(152), ROW(160), ROW(168), ROW(176), ROW(184),
    ROW(192), ROW(200), ROW(208), ROW(216), ROW(224), ROW(232), ROW(240), ROW(248),
#undef ROW
};

const int auchCRCLo_exp[256] = {
#define ROW(i) loTable[i], loTable[i + 1], loTable[i + 2], loTable[i + 3], loTable[i + 4], \
               loTable[i + 5], loTable[i + 6], loTable[i + 7]
    ROW(0),   ROW(8),   ROW(16),  ROW(24),  ROW(32),  ROW(40),  ROW(48),  ROW(56),
    ROW(64),  ROW(72),  ROW(80),  ROW(88),  ROW(96),  ROW(104), ROW(112), ROW(120),
    ROW(128), ROW(136), ROW(144), ROW(152), ROW(160), ROW(168), ROW(176), ROW(184),
    ROW(192), ROW(200), ROW(208), ROW(216), ROW(224), ROW(232), ROW(240), ROW(248),
#undef ROW
};

uint16_t modrtuChecksum(const unsigned char *message, int length) {
    unsigned high = 0xFF;
    unsigned low = 0xFF;
    for (int i = 0; i < length; ++i) {
        unsigned index = high ^ message[i];
        high = low ^ static_cast<unsigned>(auchCRCHi_exp[index]);
        low = static_cast<unsigned>(auchCRCLo_exp[index]);
    }
    return static_cast<uint16_t>(high << 8 | low);
}
