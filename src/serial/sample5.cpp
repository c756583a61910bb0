#include "serial/sample5.h"

#include "platform/uir.h"
#include "platform/userint.h"
#include "ui/panels.h"

int comConfigure_flag = 0;

int Configure(int, int, int, void *, int, int) { return 0; }

int Quit(int, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT)
        return 0;
    HidePanel(child);
    comConfigure_flag = 0;
    return 0;
}

int CloseCOM(int, int, int, void *, int, int) { return 0; }

void RegisterSample5Callbacks() {
    RegisterCtrlCallback("Configure", Configure);
    RegisterCtrlCallback("Quit", Quit);
    RegisterCtrlCallback("CloseCOM", CloseCOM);
}
