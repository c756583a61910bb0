#include "platform/rs232lib.h"
#include "platform/serial_posix.h"

#include <atomic>

namespace {

std::atomic<SerialBackend *> installed{nullptr};
thread_local int lastStatus = 0;

SerialBackend &backend() {
    SerialBackend *b = installed.load();
    return b ? *b : PosixSerialBackend();
}

int record(int status) {
    lastStatus = status < 0 ? status : 0;
    return status;
}

} // namespace

void SetSerialBackend(SerialBackend *b) { installed = b; }

int OpenComConfig(int port, const char *deviceName, long baudRate, int parity, int dataBits,
                  int stopBits, int inputQueueSize, int outputQueueSize) {
    if (port < 1 || port > RS232_MAX_PORT)
        return record(RS232_ERR_BAD_PORT);
    return record(backend().open(port, deviceName, baudRate, parity, dataBits, stopBits,
                                 inputQueueSize, outputQueueSize));
}

int CloseCom(int port) { return record(backend().close(port)); }

int ComWrt(int port, const char *buffer, int count) {
    if (!buffer || count < 0)
        return record(RS232_ERR_BAD_ARGUMENT);
    return record(backend().write(port, buffer, count));
}

int ComRd(int port, char *buffer, int count) {
    if (!buffer || count < 0)
        return record(RS232_ERR_BAD_ARGUMENT);
    return record(backend().read(port, buffer, count));
}

int GetInQLen(int port) { return record(backend().inputQueueLength(port)); }
int FlushInQ(int port) { return record(backend().flushInput(port)); }
int FlushOutQ(int port) { return record(backend().flushOutput(port)); }
int SetComTime(int port, double seconds) { return record(backend().setTimeout(port, seconds)); }
int ReturnRS232Err() { return lastStatus; }

std::string RS232ErrorText(int status) {
    switch (status) {
    case RS232_OK:
        return "no error";
    case RS232_ERR_BAD_PORT:
        return "no serial device for this port number";
    case RS232_ERR_NOT_OPEN:
        return "the port is not open";
    case RS232_ERR_OPEN_FAILED:
        return "the device could not be opened";
    case RS232_ERR_PERMISSION:
        return "permission denied";
    case RS232_ERR_BUSY:
        return "the device is in use by another program";
    case RS232_ERR_BAD_SETTING:
        return "the device refused the line settings";
    case RS232_ERR_IO:
        return "input/output error";
    case RS232_ERR_BAD_ARGUMENT:
        return "bad argument";
    default:
        return "serial error " + std::to_string(status);
    }
}
