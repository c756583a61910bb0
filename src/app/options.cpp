#include "app/options.h"

#include <cstring>

bool connectAtStart = false;

bool ParseOptions(int argc, char *argv[], AppOptions *options, std::string *error) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--port" || arg == "-p") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                *error = arg + " needs a device, for example --port /dev/ttyUSB0";
                return false;
            }
            options->ports.push_back(argv[++i]);
        } else if (arg.rfind("--port=", 0) == 0 && arg.size() > 7) {
            options->ports.push_back(arg.substr(7));
        } else if (arg == "--connect") {
            options->connect = true;
        } else if (arg == "--demo") {
            options->demo = true;
        } else if (arg == "--help" || arg == "-h") {
            options->help = true;
        } else {
            *error = "unknown option: " + arg;
            return false;
        }
    }
    return true;
}

const char *UsageText() {
    return "Usage: qentool [--port DEVICE]... [--connect] [--demo]\n"
           "\n"
           "Service and configuration tool for the motor controller (Modbus RTU,\n"
           "slave 1, 19200 baud, 8 data bits, odd parity, 1 stop bit).\n"
           "\n"
           "  --port DEVICE  offer DEVICE (e.g. /dev/ttyUSB0) in \"COM SELECT\", before the\n"
           "                 serial devices found on the system; repeatable, the first\n"
           "                 is selected\n"
           "  --connect      once the window is up, open the selected port as\n"
           "                 \"Configure\" does\n"
           "  --demo         start the controller simulator (qensim, beside this\n"
           "                 program), select its device and connect; the simulator\n"
           "                 stops when qentool ends\n"
           "  --help         show this text\n";
}
