#include "app/mainwin.h"
#include "app/options.h"
#include "platform/process.h"
#include "platform/rs232lib.h"
#include "platform/userint.h"
#include "ui/panels.h"

#include <cstdio>

int main(int argc, char *argv[]) {
    AppOptions options;
    std::string error;
    if (!ParseOptions(argc, argv, &options, &error)) {
        std::fprintf(stderr, "qentool: %s\n\n%s", error.c_str(), UsageText());
        return 2;
    }
    if (options.help) {
        std::fputs(UsageText(), stdout);
        return 0;
    }

    int simulator = -1;
    if (options.demo) {
        std::string device;
        simulator = StartHelperProcess(ExecutableDir() + "/qensim", {"--line-timing", "--exit-with-parent"}, "/dev/",
                                       5000, &device);
        if (simulator < 0) {
            std::fprintf(stderr, "qentool: cannot start the simulator: %s\n", device.c_str());
            return 1;
        }
        AddSerialDevice(device);
        connectAtStart = true;
    }
    for (const auto &device : options.ports)
        AddSerialDevice(device);
    connectAtStart = connectAtStart || options.connect;

    // The panels and the callbacks they name are part of the program.
    RegisterUserInterfaceResources();
    RegisterMainwinCallbacks();
    int status = WinMain(argc, argv);
    CloseRunTime();
    StopHelperProcess(simulator);
    return status;
}
