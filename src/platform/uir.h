// Panel resource descriptions: what a panel holds and how it is laid out.
// The panels themselves are described in src/ui/ and compiled into the program;
// LoadPanel finds them by file name and panel number.
#pragma once

#include "platform/userint.h"

#include <limits>
#include <string>
#include <vector>

enum class CtrlKind {
    Numeric,
    Ring,
    BinarySwitch,
    CommandButton,
    TextMsg,
    Led,
    Table,
    Picture,
    Splitter,
    Timer,
    Tab,
};

struct RingItem {
    std::string text;
    int value;
};

struct PageDesc;

// Form rows put a control's label in the first column, the control in the second and
// any extras (unit texts, buttons; 0 = empty cell) after it. A text message as the
// field stands in the label column as a caption.
struct FormRow {
    int field = 0;
    std::vector<int> extras;
};

struct LayoutItem {
    enum class Type { Control, Row, Column, Form, Stretch };
    Type type = Type::Column;
    int control = 0;
    int stretch = 0; // stretch factor of this item inside its parent box
    std::vector<LayoutItem> children;
    std::vector<FormRow> rows;
};

inline LayoutItem LayCtrl(int id, int stretch = 0) {
    LayoutItem item;
    item.type = LayoutItem::Type::Control;
    item.control = id;
    item.stretch = stretch;
    return item;
}
inline LayoutItem LayRow(std::vector<LayoutItem> children, int stretch = 0) {
    LayoutItem item;
    item.type = LayoutItem::Type::Row;
    item.children = std::move(children);
    item.stretch = stretch;
    return item;
}
inline LayoutItem LayColumn(std::vector<LayoutItem> children, int stretch = 0) {
    LayoutItem item;
    item.type = LayoutItem::Type::Column;
    item.children = std::move(children);
    item.stretch = stretch;
    return item;
}
inline LayoutItem LayForm(std::vector<FormRow> rows, int stretch = 0) {
    LayoutItem item;
    item.type = LayoutItem::Type::Form;
    item.rows = std::move(rows);
    item.stretch = stretch;
    return item;
}
inline LayoutItem LayStretch(int stretch = 1) {
    LayoutItem item;
    item.type = LayoutItem::Type::Stretch;
    item.stretch = stretch;
    return item;
}

struct CtrlDesc {
    int id = 0;
    std::string name;  // constant name; the view's object name
    CtrlKind kind = CtrlKind::TextMsg;
    std::string label; // label; for buttons the stored text ("__" marks the shortcut letter);
                       // for text messages their text
    bool visible = true;
    bool indicator = false; // shows values only; the user cannot change it
    std::string callback;   // name of the callback, resolved when the panel is loaded

    // ring
    std::vector<RingItem> items;
    int initialItem = 0; // index into items
    // binary switch
    std::string onText = "On";
    std::string offText = "Off";
    // numeric
    double minValue = -std::numeric_limits<double>::infinity();
    double maxValue = std::numeric_limits<double>::infinity();
    // table (row-major cell texts, rows x cols; missing cells are empty)
    int rows = 0;
    int cols = 0;
    std::vector<std::string> cells;
    // timer
    double interval = 1.0;
    bool enabled = true;
    // picture: the name of an image the platform draws
    std::string picture;
    // LED
    int onColor = 0xFF0000;
    int offColor = 0x000000;
    // tab control
    std::vector<PageDesc> pages;
};

struct PageDesc {
    std::string name;    // constant name of the page
    std::string caption; // tab caption
    std::vector<CtrlDesc> controls;
    LayoutItem layout;
};

struct MenuItemDesc {
    int id = 0;
    std::string name;
    std::string text;
    std::string callback; // name, resolved when the panel is loaded
    bool dimmed = false;
};

struct MenuBarDesc {
    int id = 0;
    std::string name;
    std::vector<MenuItemDesc> items;
};

struct PanelDesc {
    std::string name;  // constant name of the panel
    std::string title;
    int width = 400;
    int height = 300;
    std::vector<CtrlDesc> controls;
    LayoutItem layout;
    bool hasMenuBar = false;
    MenuBarDesc menuBar;
};

// Registers a panel description under (file name, panel number). The description must
// outlive every panel loaded from it. Registering again replaces; nullptr removes.
void RegisterPanelResource(const std::string &fileName, int panelNumber, const PanelDesc *desc);

// Callbacks by the names the panel descriptions use.
void RegisterCtrlCallback(const std::string &name, CtrlCallbackPtr callback);
void RegisterMenuCallback(const std::string &name, MenuCallbackPtr callback);

// Shortcut marker handling: "__QUIT" is shown as "QUIT" with Q as the shortcut letter.
std::string StripShortcutMarker(const std::string &stored);
