#include "app/mainwin.h"

#include "app/options.h"
#include "app/page_timers.h"
#include "app/parameter_edit.h"

#include "engine/ems.h"
#include "engine/refresh.h"
#include "platform/rs232lib.h"
#include "platform/uir.h"
#include "platform/userint.h"
#include "registers/dataitem.h"
#include "serial/rs232.h"
#include "serial/sample5.h"
#include "ui/panels.h"

int panelSet_display_flag = 0;
int panel_debug_display_flag = 0;

namespace {

void togglePanel(int panel, int &shownFlag) {
    if (shownFlag == 0) {
        DisplayPanel(panel);
        shownFlag = 1;
    } else {
        HidePanel(panel);
        shownFlag = 0;
    }
}

// The window's close button: the main window quits like QUIT; a child panel hides
// itself exactly as its menu entry would.
int panelClosed(int panel, int event, void *, int, int) {
    if (event != EVENT_CLOSE)
        return 0;
    if (panel == panelMain) {
        QuitCallback(panelMain, PanelMain::QUITBUTTON, EVENT_COMMIT, nullptr, 0, 0);
        return 0;
    }
    int *flag = panel == child       ? &comConfigure_flag
                : panel == panel_set ? &panelSet_display_flag
                : panel == panel_debug ? &panel_debug_display_flag
                                       : nullptr;
    HidePanel(panel);
    if (flag)
        *flag = 0;
    return 0;
}

// Waits for a worker's ended flag, still serving the popups it may raise meanwhile.
void waitForThreadEnd(ThreadHandle &handle, std::atomic<int> &ended) {
    if (!handle)
        return;
    WaitOnUserInterface([&] { return ended != 0; });
    ReleaseThread(handle);
    handle = nullptr;
}

} // namespace

void comConfigure(int, int, void *, int) {
    if (comConfigure_flag == 0)
        RefreshComSelect(); // adapters come and go
    togglePanel(child, comConfigure_flag);
}
void parameterSet(int, int, void *, int) { togglePanel(panel_set, panelSet_display_flag); }
void debug(int, int, void *, int) { togglePanel(panel_debug, panel_debug_display_flag); }

int QuitCallback(int, int, int event, void *, int, int) {
    if (event != EVENT_COMMIT)
        return 0;
    if (RS232COMThreadHandle)
        RS232COMThreadStop = 1;
    if (RefreshUIThreadHandle)
        RefreshUIThreadStop = 1;
    QuitUserInterface(0);
    return 0;
}

void RegisterMainwinCallbacks() {
    RegisterMenuCallback("comConfigure", comConfigure);
    RegisterMenuCallback("parameterSet", parameterSet);
    RegisterMenuCallback("debug", debug);
    RegisterCtrlCallback("QuitCallback", QuitCallback);
    RegisterSample5Callbacks();
    RegisterParameterEditCallbacks();
    RegisterDebugCallbacks();
    RegisterPageTimerCallbacks();
}

int LoadProgramPanels() {
    panelMain = LoadPanel(0, "mainwin.uir", PANEL_MAIN);
    if (panelMain < 0)
        return -1;
    child = LoadPanel(panelMain, "sample5.uir", PANEL_COM);
    RefreshComSelect();
    panel_set = LoadPanel(panelMain, "mainwin.uir", PANEL_SET);
    for (int i = 0; i < TABPANEL_PAGE_COUNT; ++i)
        GetPanelHandleFromTabPage(panel_set, PanelSet::TAB, i, &panel_set_tab[i]);
    panel_debug = LoadPanel(panelMain, "debug.uir", PANEL_DEBG);
    for (int i = 0; i < DBG_TAB_PAGE_COUNT; ++i)
        GetPanelHandleFromTabPage(panel_debug, PanelDebg::TAB, i, &panel_debug_tab[i]);
    for (int panel : {panelMain, child, panel_set, panel_debug})
        SetPanelCallback(panel, panelClosed, nullptr);
    comConfigure_flag = 0;
    panelSet_display_flag = 0;
    panel_debug_display_flag = 0;
    return 0;
}

int WinMain(int argc, char *argv[]) {
    if (InitRunTime(argc, argv, true) == 0)
        return -1;
    if (LoadProgramPanels() < 0)
        return -1;

    fillDataItemTables();
    fillCommunicationPassword();
    ResetDrawnStatusWords();

    comConfigure_success_flag = 0;
    active_comselect = 1;
    query_enable_flag = 1;

    RS232COMThreadHandle = nullptr;
    RefreshUIThreadHandle = nullptr;
    InitThread();

    using namespace PanelMain;
    SetCtrlAttribute(panelMain, LED_TRANSMIT, ATTR_ON_COLOR, MakeColor(0, 255, 0));
    SetCtrlAttribute(panelMain, LED_TRANSMIT, ATTR_OFF_COLOR, MakeColor(160, 160, 160));
    SetCtrlAttribute(panelMain, LED_RECIEVE, ATTR_ON_COLOR, MakeColor(0, 255, 0));
    SetCtrlAttribute(panelMain, LED_RECIEVE, ATTR_OFF_COLOR, MakeColor(160, 160, 160));

    // SIGINT and SIGTERM end the program the way QUIT does.
    SetTerminationHandler(
        [] { QuitCallback(panelMain, PanelMain::QUITBUTTON, EVENT_COMMIT, nullptr, 0, 0); });

    DisplayPanel(panelMain);
    if (connectAtStart)
        PostToUserInterface([] { FireCtrlEvent(child, PanelCom::CONFIGURE, EVENT_COMMIT); });
    RunUserInterface();

    // The port closes only once the communication thread has ended, and the panels go
    // only once neither thread can draw on them.
    waitForThreadEnd(RS232COMThreadHandle, RS232COMThreadStatue);
    waitForThreadEnd(RefreshUIThreadHandle, RefreshUIThreadStatue);
    if (comConfigure_success_flag == 1)
        CloseCom(active_comselect);
    SetTerminationHandler(nullptr);
    DiscardPanel(child);
    DiscardPanel(panel_set);
    DiscardPanel(panelMain);
    return 0;
}
