// Control store internals shared between the store and its Qt view.
#pragma once

#include "platform/uir.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {

// A copy of one control's state, taken under the store lock.
struct ControlState {
    const CtrlDesc *desc = nullptr;
    unsigned long long seq = 0;
    double number = 0.0;
    int integer = 0;
    std::string text;
    bool visible = true;
    int onColor = 0;
    int offColor = 0;
    double interval = 0.0;
    bool enabled = false;
    std::vector<std::string> cells;
    std::vector<int> cellColors;
    std::vector<int> pageHandles;
    std::vector<RingItem> items;
};

struct PanelInfo {
    int handle = 0;
    int parent = 0;
    std::string name;
    std::string title;
    int width = 0;
    int height = 0;
    bool visible = false;
    bool isPage = false;
    const LayoutItem *layout = nullptr;
    std::vector<int> controlIds; // in description order
    int menuBar = 0;
    const MenuBarDesc *menuDesc = nullptr;
};

// One change of a control, as the view applies it. Value changes carry their value, so
// the screen passes through them in the order they were made; Resync redraws the
// control from the store's current state (attributes).
struct ControlUpdate {
    enum class Kind { Number, Integer, Text, CellText, CellColor, Resync };
    Kind kind = Kind::Resync;
    int panel = 0;
    int control = 0;
    unsigned long long seq = 0; // the control's change counter after this change
    double number = 0.0;
    int integer = 0;
    std::string text;
    int cell = 0; // row-major cell index
};

// What a view does for the store. Every member but controlChanged and post is called
// on the UI thread.
class ViewBackend {
  public:
    virtual ~ViewBackend() = default;
    virtual void panelLoaded(int panel) = 0;
    virtual void panelDiscarded(int panel) = 0;
    virtual void panelVisibilityChanged(int panel) = 0;
    // Any thread, called with the store locked: queue the update for the UI thread.
    virtual void controlUpdated(const ControlUpdate &update) = 0;
    // Any thread. Runs fn on the UI thread, in posting order.
    virtual void post(std::function<void()> fn) = 0;
    virtual int run() = 0;
    virtual void quit() = 0;
    virtual void showPopup(const std::string &title, const std::string &message) = 0;
};

bool GetPanelInfo(int panel, PanelInfo *info);
bool GetControlState(int panel, int control, ControlState *state);

// Values the user changed on screen: stored without telling the view back. They return
// the control's change counter, so the view can skip updates made before the edit.
unsigned long long StoreUserNumber(int panel, int control, double value);
unsigned long long StoreUserInteger(int panel, int control, int value);

// Qt view factory (view_qt.cpp). Returns nullptr when no display can be opened.
ViewBackend *CreateQtBackend(int argc, char **argv);

} // namespace platform
