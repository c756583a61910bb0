// Modbus RTU request frames and response decoding (master, slave 1, functions 3 and 6).
#pragma once

#include "registers/dataitem.h"

#include <atomic>
#include <cstdint>
#include <mutex>

constexpr int MODBUS_BUFFER_SIZE = 200;
constexpr int MODBUS_SLAVE_ADDRESS = 1;

extern unsigned char modbus_tx_buffer[MODBUS_BUFFER_SIZE]; // the request last built
extern int modbus_tx_frame_byte_num;                        // its length, CRC included
extern unsigned char modbus_rx_buffer[MODBUS_BUFFER_SIZE]; // the response being assembled
extern std::atomic<int> tx_package_flag_send;        // a single frame went out (lamp)
extern std::atomic<int> hci_commnication_enable_3421; // the controller took the password

// Held while a frame is built into modbus_tx_buffer and written, so frames built on
// different threads never mix their bytes.
extern std::mutex modbus_tx_mutex;

// Builds a request in modbus_tx_buffer: a write (value, address, 6, 0) or a read
// (0, address, 3, count). Sends nothing.
void modbus_package(uint16_t data, int address, unsigned char functionCode, int quantity);

// Builds the 8-byte write frame and writes it to the open port at once. 0 on success;
// -1 after showing "Port not open! " or "Com write failed 11! ".
int send_1frame(int functionCode, int address, int value);

// Decodes response (length bytes received) against request, storing read data into the
// register tables. Result codes: 1 read stored; 0 password write acknowledged; -1 other
// slave; -2 other function or unknown exception; -3 bad CRC or incomplete frame;
// -4 ordinary write acknowledged; -5..-8 exception codes 1..4; -9 no table at that address.
int modbus_unpackage(const unsigned char *response, int length, const unsigned char *request);

// Index of the first of count records of table whose address is address, or -1.
int getIndex(const DataItem *table, int count, int address);
