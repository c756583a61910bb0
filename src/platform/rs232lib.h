// Serial half of the platform layer: ports addressed by number (1 to 20).
//
// Every operation returns a negative status on failure; ReturnRS232Err gives the status
// of the calling thread's last operation. The operations dispatch to a backend: the real
// one drives serial devices; tests may install a scripted one.
#pragma once

#include <string>
#include <vector>

constexpr int RS232_MAX_PORT = 20;

// Status codes (negative = error).
constexpr int RS232_OK = 0;
constexpr int RS232_ERR_BAD_PORT = -2;       // no such port number / no device mapped to it
constexpr int RS232_ERR_NOT_OPEN = -3;       // the port is not open
constexpr int RS232_ERR_OPEN_FAILED = -4;    // the device could not be opened
constexpr int RS232_ERR_PERMISSION = -5;     // the device refused us (access rights)
constexpr int RS232_ERR_BUSY = -6;           // another program holds the device
constexpr int RS232_ERR_BAD_SETTING = -7;    // baud rate, parity, data or stop bits refused
constexpr int RS232_ERR_IO = -8;             // read or write failed (device gone)
constexpr int RS232_ERR_BAD_ARGUMENT = -9;

int OpenComConfig(int port, const char *deviceName, long baudRate, int parity, int dataBits,
                  int stopBits, int inputQueueSize, int outputQueueSize);
int CloseCom(int port);
// Queues count bytes for sending; returns how many it accepted, negative on error.
int ComWrt(int port, const char *buffer, int count);
// Reads up to count bytes that have arrived; returns the count, negative on error.
int ComRd(int port, char *buffer, int count);
int GetInQLen(int port);
int FlushInQ(int port);
int FlushOutQ(int port);
int SetComTime(int port, double timeoutSeconds);
int ReturnRS232Err();
// A readable explanation of a status code.
std::string RS232ErrorText(int status);

class SerialBackend {
  public:
    virtual ~SerialBackend() = default;
    virtual int open(int port, const char *deviceName, long baudRate, int parity, int dataBits,
                     int stopBits, int inputQueueSize, int outputQueueSize) = 0;
    virtual int close(int port) = 0;
    virtual int write(int port, const char *buffer, int count) = 0;
    virtual int read(int port, char *buffer, int count) = 0;
    virtual int inputQueueLength(int port) = 0;
    virtual int flushInput(int port) = 0;
    virtual int flushOutput(int port) = 0;
    virtual int setTimeout(int port, double seconds) = 0;
};

// Installs a backend (not owned); nullptr restores the real one.
void SetSerialBackend(SerialBackend *backend);

// ---- Port table: which device a port number stands for ----

struct SerialPortInfo {
    int number = 0;          // 1 to 20
    std::string device;      // e.g. /dev/ttyUSB0
    std::string description; // e.g. "FTDI FT232R USB UART", empty if the system gives none
};

// Devices named by the user (--port) come first, in the order given.
void AddSerialDevice(const std::string &device);
// Rescans the system's serial devices (USB adapters first) after the named ones.
// Returns the table, numbered from 1; at most 20 entries.
std::vector<SerialPortInfo> RefreshSerialPorts();
std::vector<SerialPortInfo> SerialPorts();
// The device a port number stands for now, or "" if none.
std::string SerialDeviceForPort(int port);
