#include "app/mainwin.h"
#include "platform/userint.h"
#include "ui/panels.h"

int main(int argc, char *argv[]) {
    // The panels and the callbacks they name are part of the program.
    RegisterUserInterfaceResources();
    RegisterMainwinCallbacks();
    int status = WinMain(argc, argv);
    CloseRunTime();
    return status;
}
