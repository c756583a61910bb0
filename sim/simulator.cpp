#include "sim/simulator.h"

#include <modbus/modbus.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#include <vector>

namespace qensim {

namespace {

using Clock = std::chrono::steady_clock;

const struct {
    Fault fault;
    const char *name;
} faultNames[] = {
    {Fault::None, "none"},       {Fault::Drop, "drop"},
    {Fault::Delay, "delay"},     {Fault::Split, "split"},
    {Fault::Corrupt, "corrupt"}, {Fault::OtherSlave, "other-slave"},
    {Fault::Exception, "exception"}, {Fault::Silent, "silent"},
};

uint16_t crc16(const unsigned char *data, size_t size) {
    uint16_t crc = 0xFFFF;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
    }
    return crc;
}

void appendCrc(std::vector<unsigned char> &frame) {
    uint16_t crc = crc16(frame.data(), frame.size());
    frame.push_back(static_cast<unsigned char>(crc & 0xFF));
    frame.push_back(static_cast<unsigned char>(crc >> 8));
}

int openMaster(std::string *slavePath, std::string *error) {
    int fd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0 || grantpt(fd) != 0 || unlockpt(fd) != 0) {
        *error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        if (fd >= 0)
            close(fd);
        return -1;
    }
    char name[128];
    if (ptsname_r(fd, name, sizeof name) != 0) {
        *error = "cannot name the pseudo-terminal";
        close(fd);
        return -1;
    }
    *slavePath = name;
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    return fd;
}

void makeRaw(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) == 0) {
        cfmakeraw(&tio);
        tcsetattr(fd, TCSANOW, &tio);
    }
}

// Factory contents of the parameter registers 2548 onward (0 where not listed).
const std::pair<int, int> factoryParameters[] = {
    // BASIC
    {2548, 40}, {2549, 42}, {2550, 60}, {2551, 30}, {2552, 35}, {2553, 80}, {2554, 100},
    {2555, 60}, {2556, 30}, {2557, 70}, {2558, 500}, {2559, 50}, {2560, 25}, {2561, 70},
    {2562, 10},
    // TEMP
    {2568, 90}, {2569, 75}, {2570, 80}, {2571, 130}, {2572, 110}, {2573, 120}, {2574, 1},
    // FUNC
    {2588, 1}, {2589, 1}, {2590, 0}, {2591, 1}, {2592, 0}, {2593, 1}, {2594, 0}, {2595, 0},
    {2596, 30}, {2597, 1}, {2598, 20}, {2599, 30}, {2600, 1}, {2601, 10}, {2602, 200},
    {2603, 5},
    // THROTTLE: volts as 5 V = 32767
    {2608, 7208}, {2609, 23592}, {2610, 500}, {2611, 300}, {2612, 15400}, {2613, 15},
    // MOTOR
    {2628, 0}, {2629, 120}, {2630, 0}, {2631, 23}, {2632, 150}, {2633, 80}, {2634, 300},
    {2635, 2}, {2636, 100}, {2637, 40}, {2638, 70},
    // DEBUG
    {2648, 1200}, {2649, 60}, {2650, 0}, {2651, 0}, {2652, 0}, {2653, 0}, {2654, 0},
    {2655, 0}, {2656, 0}, {2657, 0}, {2658, 0}, {2659, 0}, {2660, 0}, {2661, 0}, {2662, 0},
};

} // namespace

bool ParseFault(const std::string &name, Fault *fault) {
    for (const auto &f : faultNames)
        if (name == f.name) {
            *fault = f.fault;
            return true;
        }
    return false;
}

const char *FaultName(Fault fault) {
    for (const auto &f : faultNames)
        if (fault == f.fault)
            return f.name;
    return "?";
}

Simulator::Simulator(Options options) : options_(std::move(options)) {
    faultMode_ = static_cast<int>(options_.fault);
    faultEvery_ = std::max(1, options_.faultEvery);
    unlocked_ = !options_.requirePassword;
}

Simulator::~Simulator() { stop(); }

bool Simulator::openToolSide(std::string *error) {
    toolMaster_ = openMaster(&toolDevice_, error);
    if (toolMaster_ < 0)
        return false;
    // Holding the device open keeps it in raw mode (no echo) and keeps our side from
    // seeing a hang-up whenever the tool closes it.
    toolKeepOpen_ = open(toolDevice_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (toolKeepOpen_ >= 0)
        makeRaw(toolKeepOpen_);
    if (!options_.link.empty()) {
        unlink(options_.link.c_str());
        if (symlink(toolDevice_.c_str(), options_.link.c_str()) != 0) {
            *error = "cannot create " + options_.link + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

void Simulator::closeToolSide() {
    if (toolKeepOpen_ >= 0)
        close(toolKeepOpen_);
    if (toolMaster_ >= 0)
        close(toolMaster_);
    toolKeepOpen_ = toolMaster_ = -1;
}

std::string Simulator::devicePath() const {
    return options_.link.empty() ? toolDevice_ : options_.link;
}

bool Simulator::start(std::string *error) {
    slaveMaster_ = openMaster(&slaveDevice_, error);
    if (slaveMaster_ < 0)
        return false;
    if (!openToolSide(error))
        return false;
    modbus_t *ctx = modbus_new_rtu(slaveDevice_.c_str(), 19200, 'O', 8, 1);
    if (!ctx) {
        *error = "cannot create the Modbus slave";
        return false;
    }
    modbus_set_slave(ctx, 1);
    if (modbus_connect(ctx) != 0) {
        *error = std::string("cannot open the Modbus slave: ") + modbus_strerror(errno);
        modbus_free(ctx);
        return false;
    }
    modbus_set_indication_timeout(ctx, 0, 100000);
    ctx_ = ctx;
    mapping_ = modbus_mapping_new_start_address(0, 0, 0, 0, FIRST_REGISTER,
                                                LAST_REGISTER - FIRST_REGISTER + 1, 0, 0);
    if (!mapping_) {
        *error = "cannot allocate the registers";
        return false;
    }
    loadFactoryParameters();
    updateLiveData();
    running_ = true;
    server_ = std::thread([this] { serve(); });
    relay_ = std::thread([this] { relay(); });
    return true;
}

void Simulator::stop() {
    if (running_.exchange(false)) {
        server_.join();
        relay_.join();
    }
    closeToolSide();
    if (!options_.link.empty())
        unlink(options_.link.c_str());
    if (ctx_) {
        modbus_close(static_cast<modbus_t *>(ctx_));
        modbus_free(static_cast<modbus_t *>(ctx_));
        ctx_ = nullptr;
    }
    if (mapping_) {
        modbus_mapping_free(static_cast<modbus_mapping_t *>(mapping_));
        mapping_ = nullptr;
    }
    if (slaveMaster_ >= 0)
        close(slaveMaster_);
    slaveMaster_ = -1;
}

void Simulator::unplug() {
    plugDone_ = 0;
    plugRequest_ = 1;
    while (running_ && plugDone_ == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

void Simulator::replug() {
    plugDone_ = 0;
    plugRequest_ = 2;
    while (running_ && plugDone_ == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

uint16_t Simulator::reg(int address) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!mapping_ || address < FIRST_REGISTER || address > LAST_REGISTER)
        return 0;
    return static_cast<modbus_mapping_t *>(mapping_)->tab_registers[address - FIRST_REGISTER];
}

void Simulator::setReg(int address, uint16_t value) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!mapping_ || address < FIRST_REGISTER || address > LAST_REGISTER)
        return;
    static_cast<modbus_mapping_t *>(mapping_)->tab_registers[address - FIRST_REGISTER] = value;
}

int Simulator::writesTo(int address) const {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = writes_.find(address);
    return it == writes_.end() ? 0 : it->second;
}

std::vector<Request> Simulator::requests() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
}

void Simulator::setFault(Fault fault, int every) {
    faultEvery_ = std::max(1, every);
    faultMode_ = static_cast<int>(fault);
}

void Simulator::loadFactoryParameters() {
    auto *map = static_cast<modbus_mapping_t *>(mapping_);
    std::lock_guard<std::mutex> lock(mutex_);
    for (int a = FIRST_REGISTER; a < LIVE_FIRST; ++a)
        map->tab_registers[a - FIRST_REGISTER] = 0;
    for (auto [address, value] : factoryParameters)
        map->tab_registers[address - FIRST_REGISTER] = static_cast<uint16_t>(value);
}

// Live data of a scooter riding gently: about 48 V, speed and throttle rising and
// falling, warm temperatures, the hall state stepping through its six positions.
void Simulator::updateLiveData() {
    if (frozen_)
        return;
    ++tick_;
    double t = static_cast<double>(tick_) / 10.0; // seconds at 100 ms a tick
    double ride = 0.5 + 0.5 * std::sin(t / 4.0);
    double battery = 48.0 + 0.6 * std::sin(t / 7.0) - 1.5 * ride;
    double throttle = 0.9 + 2.6 * ride;
    int speed = static_cast<int>(std::lround(650.0 * ride));
    static const int hallSequence[] = {1, 3, 2, 6, 4, 5};
    auto volts600 = [](double v) { return static_cast<uint16_t>(std::lround(v * 32767.0 / 600.0)); };
    auto volts5 = [](double v) { return static_cast<uint16_t>(std::lround(v * 32767.0 / 5.0)); };

    std::lock_guard<std::mutex> lock(mutex_);
    uint16_t *r = static_cast<modbus_mapping_t *>(mapping_)->tab_registers - FIRST_REGISTER;
    r[2748] = speed > 5 ? 24 : 21;                        // running / stop brake
    r[2749] = volts600(battery);                           // battery voltage
    r[2750] = volts600(2.0 * ride);                        // weaken current command
    r[2751] = volts600(1.9 * ride);                        // weaken current feedback
    r[2752] = volts600(12.0 * ride);                       // torque command
    r[2753] = 0;                                           // e-brake torque command
    r[2754] = static_cast<uint16_t>(36 + (tick_ / 300) % 4); // controller temperature
    r[2755] = static_cast<uint16_t>(42 + (tick_ / 200) % 5); // motor temperature
    r[2756] = volts5(0.0);                                 // e-brake throttle
    r[2757] = static_cast<uint16_t>(speed);                // motor speed
    r[2758] = static_cast<uint16_t>(hallSequence[(tick_ / 2) % 6]);
    r[2759] = volts5(throttle);                            // throttle voltage
    r[2760] = static_cast<uint16_t>(speed > 5 ? 0x0000 : 0x0002); // brake while stopped
    r[2761] = 0x0001;
    // 2762..2764 fault words: left as set (tests and the console set them)
    r[2765] = 0;
    for (int i = 0; i < 6; ++i)
        r[2767 + i] = static_cast<uint16_t>(hallSequence[i]);
}

void Simulator::applyCommands(int address) {
    if (address == RESTORE_FACTORY_REGISTER && reg(address) == 1) {
        loadFactoryParameters();
        setReg(RESTORE_STATUS_REGISTER, 3); // "restore ok, please power off"
    } else if (address == PARAMETER_STORE_REGISTER && reg(address) == 1) {
        setReg(PARAMETER_STORE_REGISTER, 0); // stored: the command is done
    }
}

void Simulator::serve() {
    auto *ctx = static_cast<modbus_t *>(ctx_);
    unsigned char query[MODBUS_RTU_MAX_ADU_LENGTH];
    auto lastUpdate = Clock::now();
    while (running_) {
        int rc = modbus_receive(ctx, query);
        if (Clock::now() - lastUpdate >= std::chrono::milliseconds(100)) {
            updateLiveData();
            lastUpdate = Clock::now();
        }
        if (rc <= 0) {
            if (rc < 0 && errno != ETIMEDOUT)
                modbus_flush(ctx);
            continue;
        }
        ++requests_;
        int function = query[1];
        int address = query[2] << 8 | query[3];
        int value = query[4] << 8 | query[5];
        long long now = std::chrono::duration_cast<std::chrono::milliseconds>(
                            Clock::now().time_since_epoch())
                            .count();
        bool answer = unlocked_ || (function == 6 && address == PASSWORD_REGISTER &&
                                    value == PASSWORD); // locked: only the password
        {
            std::lock_guard<std::mutex> lock(mutex_);
            log_.push_back(Request{function, address, value, now, answer});
        }
        if (!answer)
            continue;
        unlocked_ = true;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            modbus_reply(ctx, query, rc, static_cast<modbus_mapping_t *>(mapping_));
            if (function == 6)
                ++writes_[address];
        }
        ++replies_;
        if (function == 6)
            applyCommands(address);
    }
}

void Simulator::sendToTool(const unsigned char *data, size_t size) {
    size_t done = 0;
    while (done < size && running_) {
        if (options_.lineTiming) // one character at a time, 11 bits at 19200 baud
            std::this_thread::sleep_for(std::chrono::microseconds(573));
        size_t chunk = options_.lineTiming ? 1 : size - done;
        ssize_t n = write(toolMaster_, data + done, chunk);
        if (n > 0)
            done += static_cast<size_t>(n);
        else if (n < 0 && errno != EAGAIN && errno != EINTR)
            return;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void Simulator::relay() {
    std::vector<unsigned char> reply;
    int replyCount = 0;
    while (running_) {
        if (int request = plugRequest_.exchange(0)) {
            if (request == 1) {
                closeToolSide();
            } else {
                std::string error;
                closeToolSide();
                openToolSide(&error);
            }
            plugDone_ = 1;
        }
        pollfd fds[2] = {{toolMaster_, POLLIN, 0}, {slaveMaster_, POLLIN, 0}};
        int ready = poll(fds, 2, reply.empty() ? 20 : 3);
        if (ready < 0 && errno != EINTR)
            break;
        unsigned char buffer[512];
        if (toolMaster_ >= 0 && (fds[0].revents & POLLIN)) {
            ssize_t n = read(toolMaster_, buffer, sizeof buffer);
            if (n > 0) {
                if (options_.lineTiming)
                    std::this_thread::sleep_for(std::chrono::microseconds(573 * n));
                ssize_t ignored = write(slaveMaster_, buffer, static_cast<size_t>(n));
                (void)ignored;
            }
        }
        if (fds[1].revents & POLLIN) {
            ssize_t n = read(slaveMaster_, buffer, sizeof buffer);
            if (n > 0) {
                reply.insert(reply.end(), buffer, buffer + n);
                continue; // gather the rest of the reply first
            }
        }
        if (reply.empty() || toolMaster_ < 0) {
            reply.clear();
            continue;
        }
        // A whole reply from the slave: pass it on, spoilt if asked to.
        auto fault = static_cast<Fault>(faultMode_.load());
        bool spoil = fault == Fault::Silent ||
                     (fault != Fault::None && ++replyCount % faultEvery_ == 0);
        if (!spoil) {
            sendToTool(reply.data(), reply.size());
        } else {
            switch (fault) {
            case Fault::Drop:
            case Fault::Silent:
                break;
            case Fault::Delay:
                std::this_thread::sleep_for(std::chrono::milliseconds(options_.delayMs));
                sendToTool(reply.data(), reply.size());
                break;
            case Fault::Split: {
                size_t third = std::max<size_t>(1, reply.size() / 3);
                for (size_t at = 0; at < reply.size(); at += third) {
                    if (at > 0)
                        std::this_thread::sleep_for(std::chrono::milliseconds(options_.gapMs));
                    sendToTool(reply.data() + at, std::min(third, reply.size() - at));
                }
                break;
            }
            case Fault::Corrupt:
                reply[reply.size() / 2] ^= 0x5A;
                sendToTool(reply.data(), reply.size());
                break;
            case Fault::OtherSlave:
                reply[0] = 2;
                reply.resize(reply.size() - 2);
                appendCrc(reply);
                sendToTool(reply.data(), reply.size());
                break;
            case Fault::Exception: {
                std::vector<unsigned char> exception = {reply[0],
                                                        static_cast<unsigned char>(reply[1] | 0x80),
                                                        0x04};
                appendCrc(exception);
                sendToTool(exception.data(), exception.size());
                break;
            }
            case Fault::None:
                break;
            }
        }
        reply.clear();
    }
}

} // namespace qensim
