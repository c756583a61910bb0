// qensim: the motor controller as the tool sees it, on a pseudo-terminal.
//
// A libmodbus RTU slave (address 1) sits on one pseudo-terminal; a relay copies bytes
// between it and a second pseudo-terminal whose device the tool opens. The relay can
// emulate the line speed and spoil replies the way real wiring does.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qensim {

enum class Fault {
    None,
    Drop,       // the reply is lost
    Delay,      // the reply comes late (delayMs)
    Split,      // the reply comes in three pieces, gapMs apart
    Corrupt,    // one byte of the reply is damaged
    OtherSlave, // the reply claims to come from slave 2
    Exception,  // the controller answers with exception 4 (slave device failure)
    Silent,     // nothing is answered at all
};

bool ParseFault(const std::string &name, Fault *fault);
const char *FaultName(Fault fault);

struct Options {
    bool lineTiming = false; // 19200 baud, 11 bits a character
    Fault fault = Fault::None;
    int faultEvery = 1;      // spoil every Nth reply
    int delayMs = 300;
    int gapMs = 50;
    bool requirePassword = true;
    std::string link;        // if set: a symbolic link to the device, kept across replugs
};

constexpr int PASSWORD_REGISTER = 5185;
constexpr int PASSWORD = 0x5D00;
constexpr int FIRST_REGISTER = 2548;
constexpr int LAST_REGISTER = PASSWORD_REGISTER;
constexpr int LIVE_FIRST = 2748;
constexpr int LIVE_COUNT = 26;
constexpr int RESTORE_FACTORY_REGISTER = 2654;
constexpr int PARAMETER_STORE_REGISTER = 2655;
constexpr int RESTORE_STATUS_REGISTER = 2773;

// A request as the controller received it.
struct Request {
    int function;
    int address;
    int countOrValue; // register count for reads, the value for writes
    long long atMs;   // steady-clock milliseconds
    bool answered;
};

class Simulator {
  public:
    explicit Simulator(Options options = {});
    ~Simulator();
    Simulator(const Simulator &) = delete;
    Simulator &operator=(const Simulator &) = delete;

    // Creates the pseudo-terminals and starts serving. false with a reason on failure.
    bool start(std::string *error);
    // Stops serving and closes the tool's side: the device goes away.
    void stop();
    // The device the tool opens: the link if one was asked for.
    std::string devicePath() const;
    // The cable is pulled: the tool's device hangs up. replug() brings a new device
    // behind the same link.
    void unplug();
    void replug();

    // Register access (raw 16-bit words).
    uint16_t reg(int address) const;
    void setReg(int address, uint16_t value);
    // Live data stops moving (tests set fixed values), or moves again.
    void freezeLiveData(bool frozen) { frozen_ = frozen; }

    void setFault(Fault fault, int every = 1);
    bool unlocked() const { return unlocked_; }
    void lock() { unlocked_ = false; }
    int requestsSeen() const { return requests_; }
    int repliesSent() const { return replies_; }
    // Write requests seen per register, for tests.
    int writesTo(int address) const;
    // Every request received so far, in order.
    std::vector<Request> requests() const;

  private:
    void serve();
    void relay();
    void updateLiveData();
    void applyCommands(int address);
    void loadFactoryParameters();
    void sendToTool(const unsigned char *data, size_t size);
    bool openToolSide(std::string *error);
    void closeToolSide();

    Options options_;
    std::string toolDevice_;
    int toolMaster_ = -1;   // our end of the tool's pseudo-terminal
    int toolKeepOpen_ = -1; // keeps the tool's side from hanging up between opens
    int slaveMaster_ = -1;  // our end of the libmodbus pseudo-terminal
    std::string slaveDevice_;
    void *ctx_ = nullptr;     // modbus_t
    void *mapping_ = nullptr; // modbus_mapping_t
    mutable std::mutex mutex_;
    std::map<int, int> writes_;
    std::vector<Request> log_;
    std::thread server_;
    std::thread relay_;
    std::atomic<bool> running_{false};
    std::atomic<bool> unlocked_{false};
    std::atomic<bool> frozen_{false};
    std::atomic<int> requests_{0};
    std::atomic<int> replies_{0};
    std::atomic<int> faultMode_{0};
    std::atomic<int> faultEvery_{1};
    std::atomic<int> plugRequest_{0}; // 1 = unplug, 2 = replug, served by the relay
    std::atomic<int> plugDone_{0};
    long long tick_ = 0;
};

} // namespace qensim
