// User-interface half of the platform layer: panels, controls, event loop, popups.
//
// Panels and controls live in a thread-safe control store. A Qt view, when one is
// attached, mirrors the store on the UI thread; without it the same store runs
// headless (tests). Control values may be set from any thread; callbacks run on
// the UI thread only.
#pragma once

#include <functional>
#include <string>

// Event codes passed to control callbacks.
constexpr int EVENT_COMMIT = 1;
constexpr int EVENT_CLOSE = 6;
constexpr int EVENT_TIMER_TICK = 15;
constexpr int EVENT_ACTIVE_TAB_CHANGE = 31;

// Control attributes for SetCtrlAttribute / GetCtrlAttribute.
constexpr int ATTR_ON_COLOR = 1;  // LED, int 0xRRGGBB
constexpr int ATTR_OFF_COLOR = 2; // LED, int 0xRRGGBB
constexpr int ATTR_INTERVAL = 3;  // timer, double seconds
constexpr int ATTR_ENABLED = 4;   // timer, int 0/1
constexpr int ATTR_VISIBLE = 5;   // any control, int 0/1
constexpr int ATTR_TEXT_COLOR = 6; // table cell (SetTableCellAttribute), int 0xRRGGBB

// Status codes returned by the operations below (negative = failure).
constexpr int UIE_OK = 0;
constexpr int UIE_BAD_PANEL = -1;
constexpr int UIE_BAD_CONTROL = -2;
constexpr int UIE_BAD_VALUE = -3;      // e.g. a ring value that no item holds
constexpr int UIE_BAD_ATTRIBUTE = -4;
constexpr int UIE_NO_RESOURCE = -5;
constexpr int UIE_NOT_INITIALISED = -6;
constexpr int UIE_WRONG_THREAD = -7;

using CtrlCallbackPtr = int (*)(int panel, int control, int event, void *callbackData,
                                int eventData1, int eventData2);
using MenuCallbackPtr = void (*)(int menuBar, int menuItem, void *callbackData, int panel);
using PanelCallbackPtr = int (*)(int panel, int event, void *callbackData, int eventData1,
                                 int eventData2);

struct Point {
    int x; // column, from 1
    int y; // row, from 1
};

inline Point MakePoint(int x, int y) { return Point{x, y}; }
inline int MakeColor(int red, int green, int blue) {
    return ((red & 0xFF) << 16) | ((green & 0xFF) << 8) | (blue & 0xFF);
}

// Run-time: with a view (the real program) or headless (tests). The calling thread
// becomes the UI thread. Returns non-zero on success.
int InitRunTime(int argc, char **argv, bool withView);
bool RunTimeHasView();
// Discards every panel and forgets the run-time, so a test can start afresh.
void CloseRunTime();

int LoadPanel(int parentPanel, const char *fileName, int panelResourceId);
int GetPanelHandleFromTabPage(int panel, int tabControl, int pageIndex, int *tabPanelHandle);
int DisplayPanel(int panel);
int HidePanel(int panel);
int DiscardPanel(int panel);
int SetPanelCallback(int panel, PanelCallbackPtr callback, void *callbackData);

// Runs callbacks on the calling (UI) thread until QuitUserInterface.
int RunUserInterface();
int QuitUserInterface(int returnCode);

int GetCtrlVal(int panel, int control, double *value);
int GetCtrlVal(int panel, int control, int *value);
int GetCtrlVal(int panel, int control, std::string *value);
int SetCtrlVal(int panel, int control, double value);
int SetCtrlVal(int panel, int control, int value);
int SetCtrlVal(int panel, int control, const char *value);
int SetCtrlAttribute(int panel, int control, int attribute, int value);
int SetCtrlAttribute(int panel, int control, int attribute, double value);
int GetCtrlAttribute(int panel, int control, int attribute, int *value);
int GetCtrlAttribute(int panel, int control, int attribute, double *value);
int GetActiveTabPage(int panel, int tabControl, int *pageIndex);
int SetActiveTabPage(int panel, int tabControl, int pageIndex);

// Ring items: remove all; add one (index -1 appends). A ring whose value no item holds
// any more takes the first item's value.
int ClearListCtrl(int panel, int control);
int InsertListItem(int panel, int control, int index, const char *text, int value);
int GetNumListItems(int panel, int control, int *count);

int SetTableCellVal(int panel, int control, Point cell, const char *text);
int GetTableCellVal(int panel, int control, Point cell, std::string *text);
int SetTableCellAttribute(int panel, int control, Point cell, int attribute, int value);
int GetTableCellAttribute(int panel, int control, Point cell, int attribute, int *value);

// A modal message box. Callable from any thread; blocks its caller until dismissed.
int MessagePopup(const char *title, const char *message);

// ---- Extensions of our own (not used by the system's panels code) ----

// Whether the calling thread is the UI thread.
bool IsUserInterfaceThread();
// Runs fn on the UI thread, in order with everything else posted there.
void PostToUserInterface(std::function<void()> fn);
// Blocks the UI thread until done() holds, still showing popups that worker threads
// raise meanwhile (a worker blocked in MessagePopup can then finish).
void WaitOnUserInterface(const std::function<bool()> &done);
// Delivers a user action as the view would: the control's callback on the UI thread.
// Must be called on the UI thread.
int FireCtrlEvent(int panel, int control, int event);
int FireMenuItem(int menuBar, int menuItem);
int FirePanelClose(int panel);

// Popup handler: decides what "showing" a popup means. The default shows a message box
// with a view, and prints to standard error headless. Runs on the UI thread.
using PopupHandler = std::function<void(const std::string &title, const std::string &message)>;
void SetPopupHandler(PopupHandler handler);

// Called on the UI thread when SIGINT or SIGTERM arrives.
void SetTerminationHandler(std::function<void()> handler);

// How many calls so far changed a control's value, text or attributes (tests).
unsigned long long UserInterfaceCallCount();

// Panel queries used by tests and the view.
bool IsPanelVisible(int panel);
int GetPanelMenuBar(int panel);
int GetMenuItemCount(int menuBar);
