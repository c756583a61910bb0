// qensim: runs the controller simulator until killed.
#include "sim/simulator.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <poll.h>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void onSignal(int) { stopRequested = 1; }

const char *usage =
    "Usage: qensim [options]\n"
    "\n"
    "Simulates the motor controller (Modbus RTU slave 1, 19200 baud, 8 data bits, odd\n"
    "parity, 1 stop bit) on a pseudo-terminal. Prints the device to open on its first\n"
    "line of output, then runs until killed (Ctrl+C, SIGTERM).\n"
    "\n"
    "Like the real controller it answers nothing but the password write (register 5185,\n"
    "value 0x5D00) until it has seen it. Registers 2548-2662 hold the parameters,\n"
    "2748-2773 the live data, which moves: about 48 V battery, speed and throttle rising\n"
    "and falling, temperatures, the hall state stepping through its positions. Writing 1\n"
    "to 2654 restores the factory parameters; writing 1 to 2655 stores them.\n"
    "\n"
    "Options:\n"
    "  --line-timing     deliver bytes at the pace of a 19200-baud line\n"
    "  --fault MODE      spoil replies: none, drop, delay, split, corrupt, other-slave,\n"
    "                    exception (code 4), silent (answer nothing)\n"
    "  --every N         spoil only every Nth reply (default 1)\n"
    "  --delay MS        how late a delayed reply comes (default 300)\n"
    "  --gap MS          pause between the pieces of a split reply (default 50)\n"
    "  --link PATH       also make PATH a link to the device (kept across replugs)\n"
    "  --no-password     answer without waiting for the password\n"
    "  --exit-with-parent  end when the program that started this one ends\n"
    "  --help            show this text\n"
    "\n"
    "Commands on standard input, one a line:\n"
    "  get ADDRESS            print a register\n"
    "  set ADDRESS VALUE      set a register (e.g. set 2762 1 raises fault bit 0)\n"
    "  freeze | thaw          stop or restart the live data's movement\n"
    "  fault MODE [EVERY]     change the fault injection\n"
    "  lock                   forget the password\n"
    "  unplug | replug        the cable goes away / comes back (under --link)\n";

bool number(const char *text, int *value) {
    char *end = nullptr;
    long v = std::strtol(text, &end, 0);
    if (!end || *end != '\0')
        return false;
    *value = static_cast<int>(v);
    return true;
}

void command(qensim::Simulator &sim, const std::string &line) {
    std::istringstream in(line);
    std::string verb;
    in >> verb;
    if (verb == "get") {
        int address;
        in >> address;
        std::printf("%d=%d\n", address, static_cast<int16_t>(sim.reg(address)));
    } else if (verb == "set") {
        int address, value;
        in >> address >> value;
        sim.setReg(address, static_cast<uint16_t>(value));
        std::printf("%d=%d\n", address, static_cast<int16_t>(sim.reg(address)));
    } else if (verb == "fault") {
        std::string mode;
        int every = 1;
        in >> mode >> every;
        qensim::Fault fault;
        if (qensim::ParseFault(mode, &fault)) {
            sim.setFault(fault, every);
            std::printf("fault %s\n", qensim::FaultName(fault));
        } else {
            std::printf("unknown fault: %s\n", mode.c_str());
        }
    } else if (verb == "freeze" || verb == "thaw") {
        sim.freezeLiveData(verb == "freeze");
    } else if (verb == "lock") {
        sim.lock();
    } else if (verb == "unplug") {
        sim.unplug();
    } else if (verb == "replug") {
        sim.replug();
        std::printf("%s\n", sim.devicePath().c_str());
    } else if (!verb.empty()) {
        std::printf("unknown command: %s\n", verb.c_str());
    }
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv) {
    qensim::Options options;
    pid_t parent = 0; // watched: the demo's simulator must not outlive qentool
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](int *out) {
            if (i + 1 >= argc || !number(argv[i + 1], out)) {
                std::fprintf(stderr, "qensim: %s needs a number\n", arg.c_str());
                std::exit(2);
            }
            ++i;
        };
        if (arg == "--help" || arg == "-h") {
            std::fputs(usage, stdout);
            return 0;
        } else if (arg == "--line-timing") {
            options.lineTiming = true;
        } else if (arg == "--fault" && i + 1 < argc) {
            if (!qensim::ParseFault(argv[++i], &options.fault)) {
                std::fprintf(stderr, "qensim: unknown fault %s\n", argv[i]);
                return 2;
            }
        } else if (arg == "--every") {
            value(&options.faultEvery);
        } else if (arg == "--delay") {
            value(&options.delayMs);
        } else if (arg == "--gap") {
            value(&options.gapMs);
        } else if (arg == "--link" && i + 1 < argc) {
            options.link = argv[++i];
        } else if (arg == "--no-password") {
            options.requirePassword = false;
        } else if (arg == "--exit-with-parent") {
            parent = getppid();
        } else {
            std::fprintf(stderr, "qensim: unknown option %s\n\n%s", arg.c_str(), usage);
            return 2;
        }
    }

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGPIPE, SIG_IGN);

    qensim::Simulator sim(options);
    std::string error;
    if (!sim.start(&error)) {
        std::fprintf(stderr, "qensim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", sim.devicePath().c_str());
    std::fflush(stdout);
    std::fprintf(stderr, "qensim: controller simulator on %s (slave 1, 19200 8O1)\n",
                 sim.devicePath().c_str());

    std::string pending;
    bool input = true;
    while (!stopRequested) {
        if (parent != 0 && getppid() != parent)
            break;
        pollfd p{STDIN_FILENO, POLLIN, 0};
        if (!input || poll(&p, 1, 200) <= 0) {
            if (!input)
                usleep(200000);
            continue;
        }
        char buffer[256];
        ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0) {
            input = false; // no console: just serve until killed
            continue;
        }
        pending.append(buffer, static_cast<size_t>(n));
        size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            command(sim, pending.substr(0, end));
            pending.erase(0, end + 1);
        }
    }
    sim.stop();
    return 0;
}
