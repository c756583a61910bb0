// Serial ports over POSIX termios. Never blocks: reads take what has arrived, writes
// take what the output queue accepts. Works on pseudo-terminals, which ignore parity and
// have no modem lines, so neither is relied on.
#include "platform/serial_posix.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <mutex>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

// ---- Port table ----

std::mutex tableMutex;
std::vector<std::string> namedDevices;
std::vector<SerialPortInfo> table;

std::string readLine(const std::string &path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    while (!line.empty() && (line.back() == '\n' || line.back() == ' '))
        line.pop_back();
    return line;
}

std::string realPath(const std::string &path) {
    char buffer[PATH_MAX];
    if (!::realpath(path.c_str(), buffer))
        return {};
    return buffer;
}

std::string baseName(const std::string &path) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

struct Found {
    std::string device;
    std::string description;
    bool usb = false;
};

// A USB adapter's product and maker, found a few levels above its tty device.
std::string usbDescription(const std::string &deviceDir) {
    std::string dir = deviceDir;
    for (int level = 0; level < 4 && dir.size() > 1; ++level) {
        std::string product = readLine(dir + "/product");
        if (!product.empty()) {
            std::string maker = readLine(dir + "/manufacturer");
            return maker.empty() || product.find(maker) != std::string::npos
                       ? product
                       : maker + " " + product;
        }
        dir = dir.substr(0, dir.find_last_of('/'));
    }
    return {};
}

std::vector<Found> scanSystem() {
    std::vector<Found> found;
    DIR *dir = opendir("/sys/class/tty");
    if (!dir)
        return found;
    while (dirent *entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        std::string base = std::string("/sys/class/tty/") + name;
        std::string deviceDir = realPath(base + "/device");
        if (deviceDir.empty())
            continue; // virtual terminals and the like have no hardware behind them
        std::string subsystem = baseName(realPath(base + "/device/subsystem"));
        std::string driver = baseName(realPath(base + "/device/driver"));
        if (subsystem == "platform" || driver.empty())
            continue; // legacy ports reserved by the kernel, mostly without a UART
        std::string device = "/dev/" + name;
        if (access(device.c_str(), F_OK) != 0)
            continue;
        Found f;
        f.device = device;
        f.usb = subsystem.find("usb") != std::string::npos;
        f.description = f.usb ? usbDescription(deviceDir) : "";
        if (f.description.empty())
            f.description = f.usb                      ? "USB serial adapter"
                            : name.rfind("ttyS", 0) == 0 ? "built-in serial port"
                                                         : driver;
        found.push_back(f);
    }
    closedir(dir);
    std::sort(found.begin(), found.end(), [](const Found &a, const Found &b) {
        if (a.usb != b.usb)
            return a.usb;
        return a.device < b.device;
    });
    return found;
}

// ---- Open ports ----

struct OpenPort {
    int fd = -1;
    std::string device;
};

std::mutex portsMutex;
std::array<OpenPort, RS232_MAX_PORT + 1> ports;

speed_t speedFor(long baud) {
    switch (baud) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return 0;
    }
}

int errnoStatus(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return RS232_ERR_PERMISSION;
    case EBUSY:
    case EWOULDBLOCK:
        return RS232_ERR_BUSY;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return RS232_ERR_BAD_PORT;
    default:
        return RS232_ERR_OPEN_FAILED;
    }
}

int configure(int fd, long baud, int parity, int dataBits, int stopBits) {
    speed_t speed = speedFor(baud);
    if (speed == 0 || parity < 0 || parity > 2 || (dataBits != 7 && dataBits != 8) ||
        (stopBits != 1 && stopBits != 2))
        return RS232_ERR_BAD_SETTING;
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return RS232_ERR_OPEN_FAILED;
    cfmakeraw(&tio);
    cfsetispeed(&tio, speed);
    cfsetospeed(&tio, speed);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    tio.c_cflag |= (dataBits == 7 ? CS7 : CS8) | CLOCAL | CREAD;
    if (parity != 0)
        tio.c_cflag |= PARENB | (parity == 1 ? PARODD : 0);
    if (stopBits == 2)
        tio.c_cflag |= CSTOPB;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &tio) != 0)
        return RS232_ERR_BAD_SETTING;
    return RS232_OK;
}

// A device whose other end went away (adapter unplugged, pty peer closed).
bool hungUp(int fd) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 0) < 0)
        return true;
    return (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

class PosixBackend : public SerialBackend {
  public:
    int open(int port, const char *deviceName, long baud, int parity, int dataBits,
             int stopBits, int, int) override {
        std::string device = deviceName && *deviceName ? deviceName : SerialDeviceForPort(port);
        if (device.empty())
            return RS232_ERR_BAD_PORT;
        std::lock_guard<std::mutex> lock(portsMutex);
        if (ports[port].fd >= 0) { // opening an open port reopens it
            ::close(ports[port].fd);
            ports[port] = OpenPort{};
        }
        int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return errnoStatus(errno);
        // Exclusive use: another program (or another copy of this one) gets "busy".
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd);
            return RS232_ERR_BUSY;
        }
        ioctl(fd, TIOCEXCL); // refused by some drivers; the lock above still holds
        int status = configure(fd, baud, parity, dataBits, stopBits);
        if (status != RS232_OK) {
            ::close(fd);
            return status;
        }
        tcflush(fd, TCIOFLUSH);
        ports[port] = OpenPort{fd, device};
        return RS232_OK;
    }

    int close(int port) override {
        std::lock_guard<std::mutex> lock(portsMutex);
        int fd = fdOf(port);
        if (fd < 0)
            return RS232_ERR_NOT_OPEN;
        ioctl(fd, TIOCNXCL);
        ::close(fd);
        ports[port] = OpenPort{};
        return RS232_OK;
    }

    int write(int port, const char *buffer, int count) override {
        int fd = lockedFd(port);
        if (fd < 0)
            return RS232_ERR_NOT_OPEN;
        int done = 0;
        while (done < count) {
            ssize_t n = ::write(fd, buffer + done, static_cast<size_t>(count - done));
            if (n > 0) {
                done += static_cast<int>(n);
                continue;
            }
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && done == 0)
                return RS232_ERR_IO;
            break; // the output queue is full: report what it took
        }
        return done;
    }

    int read(int port, char *buffer, int count) override {
        int fd = lockedFd(port);
        if (fd < 0)
            return RS232_ERR_NOT_OPEN;
        if (count == 0)
            return hungUp(fd) ? RS232_ERR_IO : 0;
        for (;;) {
            ssize_t n = ::read(fd, buffer, static_cast<size_t>(count));
            if (n > 0)
                return static_cast<int>(n);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
                return 0;
            // End of file or an error: the device is gone.
            return n == 0 && !hungUp(fd) ? 0 : RS232_ERR_IO;
        }
    }

    int inputQueueLength(int port) override {
        int fd = lockedFd(port);
        if (fd < 0)
            return RS232_ERR_NOT_OPEN;
        int waiting = 0;
        if (ioctl(fd, FIONREAD, &waiting) != 0)
            return RS232_ERR_IO;
        if (waiting == 0 && hungUp(fd))
            return RS232_ERR_IO;
        return waiting;
    }

    int flushInput(int port) override {
        int fd = lockedFd(port);
        if (fd < 0)
            return RS232_ERR_NOT_OPEN;
        tcflush(fd, TCIFLUSH);
        return RS232_OK;
    }

    int flushOutput(int port) override {
        int fd = lockedFd(port);
        if (fd < 0)
            return RS232_ERR_NOT_OPEN;
        tcflush(fd, TCOFLUSH);
        return RS232_OK;
    }

    // Reads and writes never wait, so the time-out only has to be a sensible value.
    int setTimeout(int port, double seconds) override {
        if (lockedFd(port) < 0)
            return RS232_ERR_NOT_OPEN;
        return seconds >= 0 ? RS232_OK : RS232_ERR_BAD_ARGUMENT;
    }

  private:
    static int fdOf(int port) {
        return port >= 1 && port <= RS232_MAX_PORT ? ports[port].fd : -1;
    }
    static int lockedFd(int port) {
        std::lock_guard<std::mutex> lock(portsMutex);
        return fdOf(port);
    }
};

} // namespace

SerialBackend &PosixSerialBackend() {
    static PosixBackend backend;
    return backend;
}

void AddSerialDevice(const std::string &device) {
    std::lock_guard<std::mutex> lock(tableMutex);
    if (std::find(namedDevices.begin(), namedDevices.end(), device) == namedDevices.end())
        namedDevices.push_back(device);
}

std::vector<SerialPortInfo> RefreshSerialPorts() {
    std::vector<Found> found = scanSystem();
    std::lock_guard<std::mutex> lock(tableMutex);
    table.clear();
    auto add = [](const std::string &device, const std::string &description) {
        if (table.size() >= RS232_MAX_PORT)
            return;
        for (const auto &entry : table)
            if (entry.device == device || realPath(entry.device) == realPath(device))
                return;
        SerialPortInfo info;
        info.number = static_cast<int>(table.size()) + 1;
        info.device = device;
        info.description = description;
        table.push_back(info);
    };
    for (const auto &device : namedDevices)
        add(device, "");
    for (const auto &f : found)
        add(f.device, f.description);
    return table;
}

std::vector<SerialPortInfo> SerialPorts() {
    std::lock_guard<std::mutex> lock(tableMutex);
    return table;
}

std::string SerialDeviceForPort(int port) {
    std::lock_guard<std::mutex> lock(tableMutex);
    for (const auto &entry : table)
        if (entry.number == port)
            return entry.device;
    return {};
}
