// Control store, headless event loop, popups and the user-interface operations.
#include "platform/store.h"
#include "platform/userint.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <csignal>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace platform {
namespace {

struct Control {
    const CtrlDesc *desc = nullptr;
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
    CtrlCallbackPtr callback = nullptr;
    void *callbackData = nullptr;
    std::chrono::steady_clock::time_point nextTick{}; // headless timers
    unsigned long long seq = 0;                        // change counter
};

struct Panel {
    PanelInfo info;
    std::map<int, Control> controls;
    PanelCallbackPtr callback = nullptr;
    void *callbackData = nullptr;
    std::vector<int> children; // child panels and tab pages
};

struct MenuBar {
    int handle = 0;
    int panel = 0;
    const MenuBarDesc *desc = nullptr;
    std::map<int, MenuCallbackPtr> callbacks; // by item id
};

struct Popup {
    std::string title;
    std::string message;
    bool done = false;
};

struct ResourceKey {
    std::string file;
    int number;
    bool operator<(const ResourceKey &other) const {
        return file != other.file ? file < other.file : number < other.number;
    }
};

std::mutex storeMutex; // guards panels, menuBars, nextHandle
std::map<int, Panel> panels;
std::map<int, MenuBar> menuBars;
int nextHandle = 1;

std::mutex resourceMutex; // guards resources and the callback names
std::map<ResourceKey, const PanelDesc *> resources;
std::map<std::string, CtrlCallbackPtr> ctrlCallbacks;
std::map<std::string, MenuCallbackPtr> menuCallbacks;

// Not destroyed at process exit (ErrorCheck ends the program while threads still run):
// only CloseRunTime releases it.
ViewBackend *backend = nullptr;
std::atomic<unsigned long long> setCalls{0}; // calls that change a control, for tests
std::atomic<bool> initialised{false};
std::thread::id uiThread;

std::mutex popupMutex;
std::condition_variable popupDone;
std::deque<Popup *> popupQueue;
PopupHandler popupHandler;

std::function<void()> terminationHandler;
int signalPipe[2] = {-1, -1};
std::thread *signalWatcher = nullptr; // never destroyed at exit while it runs

bool isUiThread() { return initialised && std::this_thread::get_id() == uiThread; }

// Headless run-time: a queue of posted calls and timer ticks served by RunUserInterface.
class HeadlessBackend : public ViewBackend {
  public:
    void panelLoaded(int) override {}
    void panelDiscarded(int) override {}
    void panelVisibilityChanged(int) override {}
    void controlUpdated(const ControlUpdate &) override {}
    void post(std::function<void()> fn) override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            queue_.push_back(std::move(fn));
        }
        wake_.notify_one();
    }
    int run() override;
    void quit() override {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            quit_ = true;
        }
        wake_.notify_one();
    }
    void showPopup(const std::string &title, const std::string &message) override {
        std::fprintf(stderr, "[%s] %s\n", title.c_str(), message.c_str());
    }

  private:
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;
    bool quit_ = false;
};

// Fires the timers that are due and returns when the next one falls due.
std::chrono::steady_clock::time_point tickHeadlessTimers() {
    using clock = std::chrono::steady_clock;
    auto now = clock::now();
    auto next = now + std::chrono::milliseconds(50);
    std::vector<std::pair<int, int>> due;
    {
        std::lock_guard<std::mutex> lock(storeMutex);
        for (auto &[handle, panel] : panels) {
            for (auto &[id, ctrl] : panel.controls) {
                if (ctrl.desc->kind != CtrlKind::Timer || !ctrl.enabled || ctrl.interval <= 0)
                    continue;
                auto period = std::chrono::duration_cast<clock::duration>(
                    std::chrono::duration<double>(ctrl.interval));
                if (ctrl.nextTick == clock::time_point{})
                    ctrl.nextTick = now + period;
                if (ctrl.nextTick <= now) {
                    due.emplace_back(handle, id);
                    ctrl.nextTick = now + period;
                }
                next = std::min(next, ctrl.nextTick);
            }
        }
    }
    for (auto [panel, id] : due)
        FireCtrlEvent(panel, id, EVENT_TIMER_TICK);
    return next;
}

int HeadlessBackend::run() {
    for (;;) {
        auto next = tickHeadlessTimers();
        std::unique_lock<std::mutex> lock(mutex_);
        wake_.wait_until(lock, next, [&] { return quit_ || !queue_.empty(); });
        if (quit_) {
            quit_ = false;
            return 0;
        }
        while (!queue_.empty()) {
            auto fn = std::move(queue_.front());
            queue_.pop_front();
            lock.unlock();
            fn();
            lock.lock();
            if (quit_)
                break;
        }
    }
}

void servePopups() {
    for (;;) {
        Popup *popup = nullptr;
        {
            std::lock_guard<std::mutex> lock(popupMutex);
            if (popupQueue.empty())
                return;
            popup = popupQueue.front();
            popupQueue.pop_front();
        }
        if (popupHandler)
            popupHandler(popup->title, popup->message);
        else if (backend)
            backend->showPopup(popup->title, popup->message);
        {
            std::lock_guard<std::mutex> lock(popupMutex);
            popup->done = true;
        }
        popupDone.notify_all();
    }
}

// Called with the store locked, so updates are queued in the order they were made.
void publish(Control &ctrl, int panel, int control, ControlUpdate::Kind kind,
             double number = 0.0, int integer = 0, const std::string &text = {}, int cell = 0) {
    ++ctrl.seq;
    if (!backend)
        return;
    ControlUpdate update;
    update.kind = kind;
    update.panel = panel;
    update.control = control;
    update.seq = ctrl.seq;
    update.number = number;
    update.integer = integer;
    update.text = text;
    update.cell = cell;
    backend->controlUpdated(update);
}

Control *findControl(int panel, int control, int *status) {
    auto p = panels.find(panel);
    if (p == panels.end()) {
        *status = UIE_BAD_PANEL;
        return nullptr;
    }
    auto c = p->second.controls.find(control);
    if (c == p->second.controls.end()) {
        *status = UIE_BAD_CONTROL;
        return nullptr;
    }
    *status = UIE_OK;
    return &c->second;
}

CtrlCallbackPtr resolveCtrlCallback(const std::string &name) {
    if (name.empty())
        return nullptr;
    std::lock_guard<std::mutex> lock(resourceMutex);
    auto it = ctrlCallbacks.find(name);
    return it == ctrlCallbacks.end() ? nullptr : it->second;
}

MenuCallbackPtr resolveMenuCallback(const std::string &name) {
    if (name.empty())
        return nullptr;
    std::lock_guard<std::mutex> lock(resourceMutex);
    auto it = menuCallbacks.find(name);
    return it == menuCallbacks.end() ? nullptr : it->second;
}

int truncateToInt(double value) {
    if (!(value > -2147483649.0))
        return value != value ? 0 : -2147483647 - 1;
    if (!(value < 2147483648.0))
        return 2147483647;
    return static_cast<int>(value);
}

// A numeric with a range takes the nearest value inside it.
double coerce(const Control *ctrl, double value) {
    return std::clamp(value, ctrl->desc->minValue, ctrl->desc->maxValue);
}

bool ringHolds(const Control *ctrl, int value) {
    for (const auto &item : ctrl->items)
        if (item.value == value)
            return true;
    return false;
}

void initControl(Control &ctrl, const CtrlDesc &desc) {
    ctrl.desc = &desc;
    ctrl.visible = desc.visible;
    ctrl.callback = resolveCtrlCallback(desc.callback);
    switch (desc.kind) {
    case CtrlKind::Ring:
        ctrl.items = desc.items;
        if (!desc.items.empty() && desc.initialItem >= 0 &&
            desc.initialItem < static_cast<int>(desc.items.size()))
            ctrl.integer = desc.items[desc.initialItem].value;
        break;
    case CtrlKind::TextMsg:
    case CtrlKind::CommandButton:
        ctrl.text = desc.label;
        break;
    case CtrlKind::Led:
        ctrl.onColor = desc.onColor;
        ctrl.offColor = desc.offColor;
        break;
    case CtrlKind::Table:
        ctrl.cells.assign(static_cast<size_t>(desc.rows * desc.cols), std::string());
        for (size_t i = 0; i < desc.cells.size() && i < ctrl.cells.size(); ++i)
            ctrl.cells[i] = desc.cells[i];
        ctrl.cellColors.assign(ctrl.cells.size(), 0x000000);
        break;
    case CtrlKind::Timer:
        ctrl.interval = desc.interval;
        ctrl.enabled = desc.enabled;
        break;
    default:
        break;
    }
}

int createPanel(int parent, const std::string &name, const std::string &title, int width,
                int height, const std::vector<CtrlDesc> &controls, const LayoutItem *layout,
                bool isPage);

// Tab pages are panels of their own, children of the panel holding the tab control.
void createPages(int panel, Control &tab) {
    for (const auto &page : tab.desc->pages) {
        int handle = createPanel(panel, page.name, page.caption, 0, 0, page.controls,
                                 &page.layout, true);
        tab.pageHandles.push_back(handle);
    }
}

int createPanel(int parent, const std::string &name, const std::string &title, int width,
                int height, const std::vector<CtrlDesc> &controls, const LayoutItem *layout,
                bool isPage) {
    int handle = nextHandle++;
    Panel &panel = panels[handle];
    panel.info.handle = handle;
    panel.info.parent = parent;
    panel.info.name = name;
    panel.info.title = title;
    panel.info.width = width;
    panel.info.height = height;
    panel.info.isPage = isPage;
    panel.info.layout = layout;
    for (const auto &desc : controls) {
        panel.info.controlIds.push_back(desc.id);
        initControl(panel.controls[desc.id], desc);
    }
    if (parent != 0)
        panels[parent].children.push_back(handle);
    for (auto &[id, ctrl] : panels[handle].controls)
        if (ctrl.desc->kind == CtrlKind::Tab)
            createPages(handle, ctrl);
    return handle;
}

void collectSubtree(int panel, std::vector<int> &out) {
    out.push_back(panel);
    auto it = panels.find(panel);
    if (it == panels.end())
        return;
    for (int child : it->second.children)
        collectSubtree(child, out);
}

} // namespace

bool GetPanelInfo(int panel, PanelInfo *info) {
    std::lock_guard<std::mutex> lock(storeMutex);
    auto it = panels.find(panel);
    if (it == panels.end())
        return false;
    *info = it->second.info;
    return true;
}

bool GetControlState(int panel, int control, ControlState *state) {
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return false;
    state->desc = ctrl->desc;
    state->seq = ctrl->seq;
    state->number = ctrl->number;
    state->integer = ctrl->integer;
    state->text = ctrl->text;
    state->visible = ctrl->visible;
    state->onColor = ctrl->onColor;
    state->offColor = ctrl->offColor;
    state->interval = ctrl->interval;
    state->enabled = ctrl->enabled;
    state->cells = ctrl->cells;
    state->cellColors = ctrl->cellColors;
    state->pageHandles = ctrl->pageHandles;
    state->items = ctrl->items;
    return true;
}

unsigned long long StoreUserNumber(int panel, int control, double value) {
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return 0;
    ctrl->number = coerce(ctrl, value);
    return ++ctrl->seq;
}

unsigned long long StoreUserInteger(int panel, int control, int value) {
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return 0;
    ctrl->integer = value;
    return ++ctrl->seq;
}

} // namespace platform

using namespace platform;

void RegisterPanelResource(const std::string &fileName, int panelNumber, const PanelDesc *desc) {
    std::lock_guard<std::mutex> lock(resourceMutex);
    if (desc)
        resources[ResourceKey{fileName, panelNumber}] = desc;
    else
        resources.erase(ResourceKey{fileName, panelNumber});
}

void RegisterCtrlCallback(const std::string &name, CtrlCallbackPtr callback) {
    std::lock_guard<std::mutex> lock(resourceMutex);
    ctrlCallbacks[name] = callback;
}

void RegisterMenuCallback(const std::string &name, MenuCallbackPtr callback) {
    std::lock_guard<std::mutex> lock(resourceMutex);
    menuCallbacks[name] = callback;
}

std::string StripShortcutMarker(const std::string &stored) {
    std::string shown = stored;
    auto pos = shown.find("__");
    if (pos != std::string::npos)
        shown.erase(pos, 2);
    return shown;
}

namespace {

void onSignal(int) {
    char byte = 1;
    // Only async-signal-safe work here; the watcher thread does the rest.
    ssize_t ignored = write(signalPipe[1], &byte, 1);
    (void)ignored;
}

void watchSignals() {
    for (;;) {
        char byte;
        ssize_t n = read(signalPipe[0], &byte, 1);
        if (n <= 0 || byte == 0)
            return; // pipe closed or shutdown byte
        PostToUserInterface([] {
            if (terminationHandler)
                terminationHandler();
        });
    }
}

void installSignalHandlers() {
    if (signalPipe[0] >= 0)
        return;
    if (pipe(signalPipe) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    signalWatcher = new std::thread(watchSignals);
}

void removeSignalHandlers() {
    if (signalPipe[0] < 0)
        return;
    signal(SIGINT, SIG_DFL);
    signal(SIGTERM, SIG_DFL);
    char stop = 0;
    ssize_t ignored = write(signalPipe[1], &stop, 1);
    (void)ignored;
    signalWatcher->join();
    delete signalWatcher;
    signalWatcher = nullptr;
    close(signalPipe[0]);
    close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

} // namespace

int InitRunTime(int argc, char **argv, bool withView) {
    if (initialised)
        return 1;
    ViewBackend *view = nullptr;
    if (withView) {
        view = CreateQtBackend(argc, argv);
        if (!view)
            return 0;
    } else {
        view = new HeadlessBackend();
    }
    backend = view;
    uiThread = std::this_thread::get_id();
    initialised = true;
    installSignalHandlers();
    return 1;
}

bool RunTimeHasView() {
    return initialised && dynamic_cast<HeadlessBackend *>(backend) == nullptr;
}

void CloseRunTime() {
    if (!initialised)
        return;
    std::vector<int> roots;
    {
        std::lock_guard<std::mutex> lock(storeMutex);
        for (auto &[handle, panel] : panels)
            if (panel.info.parent == 0)
                roots.push_back(handle);
    }
    for (int handle : roots)
        DiscardPanel(handle);
    removeSignalHandlers();
    servePopups();
    initialised = false;
    delete backend;
    backend = nullptr;
    popupHandler = nullptr;
    terminationHandler = nullptr;
}

int LoadPanel(int parentPanel, const char *fileName, int panelResourceId) {
    if (!initialised)
        return UIE_NOT_INITIALISED;
    if (!isUiThread())
        return UIE_WRONG_THREAD;
    const PanelDesc *desc = nullptr;
    {
        std::lock_guard<std::mutex> lock(resourceMutex);
        auto it = resources.find(ResourceKey{fileName ? fileName : "", panelResourceId});
        if (it != resources.end())
            desc = it->second;
    }
    if (!desc)
        return UIE_NO_RESOURCE;
    int handle;
    {
        std::lock_guard<std::mutex> lock(storeMutex);
        if (parentPanel != 0 && panels.find(parentPanel) == panels.end())
            return UIE_BAD_PANEL;
        handle = createPanel(parentPanel, desc->name, desc->title, desc->width, desc->height,
                             desc->controls, &desc->layout, false);
        if (desc->hasMenuBar) {
            int bar = nextHandle++;
            MenuBar &menu = menuBars[bar];
            menu.handle = bar;
            menu.panel = handle;
            menu.desc = &desc->menuBar;
            for (const auto &item : desc->menuBar.items)
                menu.callbacks[item.id] = resolveMenuCallback(item.callback);
            panels[handle].info.menuBar = bar;
            panels[handle].info.menuDesc = &desc->menuBar;
        }
    }
    backend->panelLoaded(handle);
    return handle;
}

int GetPanelHandleFromTabPage(int panel, int tabControl, int pageIndex, int *tabPanelHandle) {
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, tabControl, &status);
    if (!ctrl)
        return status;
    if (ctrl->desc->kind != CtrlKind::Tab || pageIndex < 0 ||
        pageIndex >= static_cast<int>(ctrl->pageHandles.size()))
        return UIE_BAD_VALUE;
    if (tabPanelHandle)
        *tabPanelHandle = ctrl->pageHandles[pageIndex];
    return UIE_OK;
}

namespace {
int setPanelVisible(int panel, bool visible) {
    if (!initialised)
        return UIE_NOT_INITIALISED;
    {
        std::lock_guard<std::mutex> lock(storeMutex);
        auto it = panels.find(panel);
        if (it == panels.end())
            return UIE_BAD_PANEL;
        it->second.info.visible = visible;
    }
    if (isUiThread())
        backend->panelVisibilityChanged(panel);
    else
        backend->post([panel] { backend->panelVisibilityChanged(panel); });
    return UIE_OK;
}
} // namespace

int DisplayPanel(int panel) { return setPanelVisible(panel, true); }
int HidePanel(int panel) { return setPanelVisible(panel, false); }

int DiscardPanel(int panel) {
    if (!initialised)
        return UIE_NOT_INITIALISED;
    if (!isUiThread())
        return UIE_WRONG_THREAD;
    std::vector<int> doomed;
    {
        std::lock_guard<std::mutex> lock(storeMutex);
        auto it = panels.find(panel);
        if (it == panels.end())
            return UIE_BAD_PANEL;
        if (it->second.info.isPage)
            return UIE_BAD_PANEL; // pages go with their panel
        collectSubtree(panel, doomed);
    }
    backend->panelDiscarded(panel);
    std::lock_guard<std::mutex> lock(storeMutex);
    int parent = panels[panel].info.parent;
    if (parent != 0 && panels.count(parent)) {
        auto &siblings = panels[parent].children;
        std::erase(siblings, panel);
    }
    for (int handle : doomed) {
        int bar = panels[handle].info.menuBar;
        if (bar)
            menuBars.erase(bar);
        panels.erase(handle);
    }
    return UIE_OK;
}

int SetPanelCallback(int panel, PanelCallbackPtr callback, void *callbackData) {
    std::lock_guard<std::mutex> lock(storeMutex);
    auto it = panels.find(panel);
    if (it == panels.end())
        return UIE_BAD_PANEL;
    it->second.callback = callback;
    it->second.callbackData = callbackData;
    return UIE_OK;
}

int RunUserInterface() {
    if (!initialised)
        return UIE_NOT_INITIALISED;
    return backend->run();
}

int QuitUserInterface(int) {
    if (!initialised)
        return UIE_NOT_INITIALISED;
    backend->quit();
    return UIE_OK;
}

int GetCtrlVal(int panel, int control, double *value) {
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return status;
    switch (ctrl->desc->kind) {
    case CtrlKind::Numeric:
        *value = ctrl->number;
        return UIE_OK;
    case CtrlKind::Ring:
    case CtrlKind::BinarySwitch:
    case CtrlKind::Led:
    case CtrlKind::Tab:
        *value = ctrl->integer;
        return UIE_OK;
    default:
        return UIE_BAD_CONTROL;
    }
}

int GetCtrlVal(int panel, int control, int *value) {
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return status;
    switch (ctrl->desc->kind) {
    case CtrlKind::Numeric:
        *value = truncateToInt(ctrl->number);
        return UIE_OK;
    case CtrlKind::Ring:
    case CtrlKind::BinarySwitch:
    case CtrlKind::Led:
    case CtrlKind::Tab:
        *value = ctrl->integer;
        return UIE_OK;
    default:
        return UIE_BAD_CONTROL;
    }
}

int GetCtrlVal(int panel, int control, std::string *value) {
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return status;
    if (ctrl->desc->kind == CtrlKind::Ring) {
        for (const auto &item : ctrl->items)
            if (item.value == ctrl->integer)
                *value = item.text;
        return UIE_OK;
    }
    *value = ctrl->text;
    return UIE_OK;
}

namespace {
using UK = ControlUpdate::Kind;

int setInteger(int panel, int control, int value) {
    ++setCalls;
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return status;
    switch (ctrl->desc->kind) {
    case CtrlKind::Numeric:
        ctrl->number = coerce(ctrl, value);
        publish(*ctrl, panel, control, UK::Number, ctrl->number);
        return UIE_OK;
    case CtrlKind::Ring:
        if (!ringHolds(ctrl, value))
            return UIE_BAD_VALUE; // the ring keeps its item
        break;
    case CtrlKind::BinarySwitch:
        if (value != 0 && value != 1)
            return UIE_BAD_VALUE;
        break;
    case CtrlKind::Led:
        value = value != 0 ? 1 : 0;
        break;
    case CtrlKind::Tab:
        if (value < 0 || value >= static_cast<int>(ctrl->pageHandles.size()))
            return UIE_BAD_VALUE;
        break;
    default:
        return UIE_BAD_CONTROL;
    }
    ctrl->integer = value;
    publish(*ctrl, panel, control, UK::Integer, 0.0, value);
    return UIE_OK;
}
} // namespace

int SetCtrlVal(int panel, int control, int value) { return setInteger(panel, control, value); }

int SetCtrlVal(int panel, int control, double value) {
    ++setCalls;
    {
        std::lock_guard<std::mutex> lock(storeMutex);
        int status;
        Control *ctrl = findControl(panel, control, &status);
        if (!ctrl)
            return status;
        if (ctrl->desc->kind == CtrlKind::Numeric) {
            if (value != value)
                return UIE_BAD_VALUE; // NaN is no number to show
            ctrl->number = coerce(ctrl, value);
            publish(*ctrl, panel, control, UK::Number, ctrl->number);
            return UIE_OK;
        }
    }
    // Integer-valued controls take the integer part, truncated toward zero.
    if (!(value > -2147483649.0 && value < 2147483648.0))
        return UIE_BAD_VALUE; // NaN or outside the integer range
    return setInteger(panel, control, static_cast<int>(value));
}

int SetCtrlVal(int panel, int control, const char *value) {
    ++setCalls;
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return status;
    if (ctrl->desc->kind != CtrlKind::TextMsg && ctrl->desc->kind != CtrlKind::CommandButton)
        return UIE_BAD_CONTROL;
    ctrl->text = value ? value : "";
    publish(*ctrl, panel, control, UK::Text, 0.0, 0, ctrl->text);
    return UIE_OK;
}

int SetCtrlAttribute(int panel, int control, int attribute, int value) {
    ++setCalls;
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return status;
    CtrlKind kind = ctrl->desc->kind;
    switch (attribute) {
    case ATTR_ON_COLOR:
    case ATTR_OFF_COLOR:
        if (kind != CtrlKind::Led)
            return UIE_BAD_ATTRIBUTE;
        (attribute == ATTR_ON_COLOR ? ctrl->onColor : ctrl->offColor) = value & 0xFFFFFF;
        break;
    case ATTR_ENABLED:
        if (kind != CtrlKind::Timer)
            return UIE_BAD_ATTRIBUTE;
        ctrl->enabled = value != 0;
        ctrl->nextTick = {};
        break;
    case ATTR_INTERVAL:
        if (kind != CtrlKind::Timer)
            return UIE_BAD_ATTRIBUTE;
        if (value <= 0)
            return UIE_BAD_VALUE;
        ctrl->interval = value;
        ctrl->nextTick = {};
        break;
    case ATTR_VISIBLE:
        ctrl->visible = value != 0;
        break;
    default:
        return UIE_BAD_ATTRIBUTE;
    }
    publish(*ctrl, panel, control, UK::Resync);
    return UIE_OK;
}

int SetCtrlAttribute(int panel, int control, int attribute, double value) {
    if (attribute != ATTR_INTERVAL) {
        if (!(value > -2147483649.0 && value < 2147483648.0))
            return UIE_BAD_VALUE;
        return SetCtrlAttribute(panel, control, attribute, static_cast<int>(value));
    }
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return status;
    if (ctrl->desc->kind != CtrlKind::Timer)
        return UIE_BAD_ATTRIBUTE;
    if (!(value > 0) || value > 1e6)
        return UIE_BAD_VALUE;
    ctrl->interval = value;
    ctrl->nextTick = {};
    publish(*ctrl, panel, control, UK::Resync);
    return UIE_OK;
}

int GetCtrlAttribute(int panel, int control, int attribute, int *value) {
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return status;
    switch (attribute) {
    case ATTR_ON_COLOR:
        *value = ctrl->onColor;
        return UIE_OK;
    case ATTR_OFF_COLOR:
        *value = ctrl->offColor;
        return UIE_OK;
    case ATTR_ENABLED:
        *value = ctrl->enabled ? 1 : 0;
        return UIE_OK;
    case ATTR_VISIBLE:
        *value = ctrl->visible ? 1 : 0;
        return UIE_OK;
    default:
        return UIE_BAD_ATTRIBUTE;
    }
}

int GetCtrlAttribute(int panel, int control, int attribute, double *value) {
    if (attribute != ATTR_INTERVAL) {
        int v = 0;
        int status = GetCtrlAttribute(panel, control, attribute, &v);
        *value = v;
        return status;
    }
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return status;
    *value = ctrl->interval;
    return UIE_OK;
}

int GetActiveTabPage(int panel, int tabControl, int *pageIndex) {
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, tabControl, &status);
    if (!ctrl)
        return status;
    if (ctrl->desc->kind != CtrlKind::Tab)
        return UIE_BAD_CONTROL;
    *pageIndex = ctrl->integer;
    return UIE_OK;
}

int SetActiveTabPage(int panel, int tabControl, int pageIndex) {
    return setInteger(panel, tabControl, pageIndex);
}

int ClearListCtrl(int panel, int control) {
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return status;
    if (ctrl->desc->kind != CtrlKind::Ring)
        return UIE_BAD_CONTROL;
    ctrl->items.clear();
    publish(*ctrl, panel, control, UK::Resync);
    return UIE_OK;
}

int InsertListItem(int panel, int control, int index, const char *text, int value) {
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return status;
    if (ctrl->desc->kind != CtrlKind::Ring)
        return UIE_BAD_CONTROL;
    int size = static_cast<int>(ctrl->items.size());
    if (index < -1 || index > size)
        return UIE_BAD_VALUE;
    RingItem item{text ? text : "", value};
    ctrl->items.insert(index < 0 ? ctrl->items.end() : ctrl->items.begin() + index, item);
    if (!ringHolds(ctrl, ctrl->integer))
        ctrl->integer = ctrl->items.front().value;
    publish(*ctrl, panel, control, UK::Resync);
    return UIE_OK;
}

int GetNumListItems(int panel, int control, int *count) {
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return status;
    *count = static_cast<int>(ctrl->items.size());
    return UIE_OK;
}

namespace {
int cellIndex(const Control *ctrl, Point cell) {
    const CtrlDesc *desc = ctrl->desc;
    if (desc->kind != CtrlKind::Table || cell.x < 1 || cell.x > desc->cols || cell.y < 1 ||
        cell.y > desc->rows)
        return -1;
    return (cell.y - 1) * desc->cols + (cell.x - 1);
}
} // namespace

int SetTableCellVal(int panel, int control, Point cell, const char *text) {
    ++setCalls;
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return status;
    int index = cellIndex(ctrl, cell);
    if (index < 0)
        return UIE_BAD_VALUE;
    ctrl->cells[index] = text ? text : "";
    publish(*ctrl, panel, control, UK::CellText, 0.0, 0, ctrl->cells[index], index);
    return UIE_OK;
}

int GetTableCellVal(int panel, int control, Point cell, std::string *text) {
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return status;
    int index = cellIndex(ctrl, cell);
    if (index < 0)
        return UIE_BAD_VALUE;
    *text = ctrl->cells[index];
    return UIE_OK;
}

int SetTableCellAttribute(int panel, int control, Point cell, int attribute, int value) {
    ++setCalls;
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return status;
    if (attribute != ATTR_TEXT_COLOR)
        return UIE_BAD_ATTRIBUTE;
    int index = cellIndex(ctrl, cell);
    if (index < 0)
        return UIE_BAD_VALUE;
    ctrl->cellColors[index] = value & 0xFFFFFF;
    publish(*ctrl, panel, control, UK::CellColor, 0.0, ctrl->cellColors[index], {}, index);
    return UIE_OK;
}

int GetTableCellAttribute(int panel, int control, Point cell, int attribute, int *value) {
    std::lock_guard<std::mutex> lock(storeMutex);
    int status;
    Control *ctrl = findControl(panel, control, &status);
    if (!ctrl)
        return status;
    if (attribute != ATTR_TEXT_COLOR)
        return UIE_BAD_ATTRIBUTE;
    int index = cellIndex(ctrl, cell);
    if (index < 0)
        return UIE_BAD_VALUE;
    *value = ctrl->cellColors[index];
    return UIE_OK;
}

int MessagePopup(const char *title, const char *message) {
    std::string t = title ? title : "";
    std::string m = message ? message : "";
    if (!initialised) {
        std::fprintf(stderr, "[%s] %s\n", t.c_str(), m.c_str());
        return UIE_NOT_INITIALISED;
    }
    Popup popup{t, m, false};
    {
        std::lock_guard<std::mutex> lock(popupMutex);
        popupQueue.push_back(&popup);
    }
    if (isUiThread()) {
        servePopups();
        return UIE_OK;
    }
    backend->post(servePopups);
    std::unique_lock<std::mutex> lock(popupMutex);
    popupDone.wait(lock, [&] { return popup.done; });
    return UIE_OK;
}

bool IsUserInterfaceThread() { return isUiThread(); }

void PostToUserInterface(std::function<void()> fn) {
    if (initialised)
        backend->post(std::move(fn));
}

void WaitOnUserInterface(const std::function<bool()> &done) {
    while (!done()) {
        servePopups();
        std::unique_lock<std::mutex> lock(popupMutex);
        popupDone.wait_for(lock, std::chrono::milliseconds(5));
    }
}

int FireCtrlEvent(int panel, int control, int event) {
    if (!isUiThread())
        return UIE_WRONG_THREAD;
    CtrlCallbackPtr callback;
    void *data;
    {
        std::lock_guard<std::mutex> lock(storeMutex);
        int status;
        Control *ctrl = findControl(panel, control, &status);
        if (!ctrl)
            return status;
        callback = ctrl->callback;
        data = ctrl->callbackData;
    }
    if (callback)
        callback(panel, control, event, data, 0, 0);
    return UIE_OK;
}

int FireMenuItem(int menuBar, int menuItem) {
    if (!isUiThread())
        return UIE_WRONG_THREAD;
    MenuCallbackPtr callback = nullptr;
    int panel = 0;
    {
        std::lock_guard<std::mutex> lock(storeMutex);
        auto it = menuBars.find(menuBar);
        if (it == menuBars.end())
            return UIE_BAD_PANEL;
        panel = it->second.panel;
        bool found = false;
        for (const auto &item : it->second.desc->items)
            if (item.id == menuItem) {
                if (item.dimmed)
                    return UIE_OK; // a dimmed entry cannot be chosen
                callback = it->second.callbacks[item.id];
                found = true;
            }
        if (!found)
            return UIE_BAD_CONTROL;
    }
    if (callback)
        callback(menuBar, menuItem, nullptr, panel);
    return UIE_OK;
}

int FirePanelClose(int panel) {
    if (!isUiThread())
        return UIE_WRONG_THREAD;
    PanelCallbackPtr callback;
    void *data;
    {
        std::lock_guard<std::mutex> lock(storeMutex);
        auto it = panels.find(panel);
        if (it == panels.end())
            return UIE_BAD_PANEL;
        callback = it->second.callback;
        data = it->second.callbackData;
    }
    if (callback)
        callback(panel, EVENT_CLOSE, data, 0, 0);
    return UIE_OK;
}

void SetPopupHandler(PopupHandler handler) { popupHandler = std::move(handler); }

void SetTerminationHandler(std::function<void()> handler) {
    terminationHandler = std::move(handler);
}

unsigned long long UserInterfaceCallCount() { return setCalls; }

bool IsPanelVisible(int panel) {
    std::lock_guard<std::mutex> lock(storeMutex);
    auto it = panels.find(panel);
    return it != panels.end() && it->second.info.visible;
}

int GetPanelMenuBar(int panel) {
    std::lock_guard<std::mutex> lock(storeMutex);
    auto it = panels.find(panel);
    return it == panels.end() ? 0 : it->second.info.menuBar;
}

int GetMenuItemCount(int menuBar) {
    std::lock_guard<std::mutex> lock(storeMutex);
    auto it = menuBars.find(menuBar);
    return it == menuBars.end() ? 0 : static_cast<int>(it->second.desc->items.size());
}
