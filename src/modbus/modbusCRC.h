// Modbus RTU CRC-16, table driven.
#pragma once

#include <cstdint>

// The published lookup tables of the table-driven Modbus CRC: high-order and low-order
// bytes, indexed by a byte value.
extern const int auchCRCHi_exp[256];
extern const int auchCRCLo_exp[256];

// The CRC-16/MODBUS of length bytes with its two bytes exchanged: the high byte of the
// result is the CRC's low-order byte, which goes on the wire first.
uint16_t modrtuChecksum(const unsigned char *message, int length);
