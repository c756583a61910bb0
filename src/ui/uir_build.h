// Small builders that keep the panel descriptions readable.
#pragma once

#include "platform/uir.h"

#include <string>
#include <utility>
#include <vector>

namespace uir {

inline CtrlDesc control(CtrlKind kind, int id, const char *name, const char *label,
                        bool visible = true) {
    CtrlDesc desc;
    desc.kind = kind;
    desc.id = id;
    desc.name = name;
    desc.label = label;
    desc.visible = visible;
    return desc;
}

inline CtrlDesc numeric(int id, const char *name, const char *label, bool visible = true) {
    return control(CtrlKind::Numeric, id, name, label, visible);
}

inline CtrlDesc readout(int id, const char *name, const char *label, bool visible = true) {
    CtrlDesc desc = numeric(id, name, label, visible);
    desc.indicator = true;
    return desc;
}

inline CtrlDesc ring(int id, const char *name, const char *label, std::vector<RingItem> items,
                     int initialItem = 0, bool visible = true) {
    CtrlDesc desc = control(CtrlKind::Ring, id, name, label, visible);
    desc.items = std::move(items);
    desc.initialItem = initialItem;
    return desc;
}

inline CtrlDesc binarySwitch(int id, const char *name, const char *label, const char *onText,
                             const char *offText, bool visible = true) {
    CtrlDesc desc = control(CtrlKind::BinarySwitch, id, name, label, visible);
    desc.onText = onText;
    desc.offText = offText;
    return desc;
}

inline CtrlDesc button(int id, const char *name, const char *storedText, const char *callback,
                       bool visible = true) {
    CtrlDesc desc = control(CtrlKind::CommandButton, id, name, storedText, visible);
    desc.callback = callback;
    return desc;
}

inline CtrlDesc text(int id, const char *name, const char *content, bool visible = true) {
    return control(CtrlKind::TextMsg, id, name, content, visible);
}

inline CtrlDesc led(int id, const char *name, const char *label) {
    return control(CtrlKind::Led, id, name, label);
}

inline CtrlDesc table(int id, const char *name, const char *label, int rows, int cols,
                      std::vector<std::string> cells, bool visible = true) {
    CtrlDesc desc = control(CtrlKind::Table, id, name, label, visible);
    desc.rows = rows;
    desc.cols = cols;
    desc.cells = std::move(cells);
    return desc;
}

inline CtrlDesc timer(int id, const char *name, double interval, bool enabled,
                      const char *callback) {
    CtrlDesc desc = control(CtrlKind::Timer, id, name, "", false);
    desc.interval = interval;
    desc.enabled = enabled;
    desc.callback = callback;
    return desc;
}

inline CtrlDesc picture(int id, const char *name, const char *image) {
    CtrlDesc desc = control(CtrlKind::Picture, id, name, "");
    desc.picture = image;
    return desc;
}

inline CtrlDesc splitter(int id, const char *name) {
    return control(CtrlKind::Splitter, id, name, "");
}

inline CtrlDesc tab(int id, const char *name, const char *callback, std::vector<PageDesc> pages) {
    CtrlDesc desc = control(CtrlKind::Tab, id, name, "");
    desc.callback = callback;
    desc.pages = std::move(pages);
    return desc;
}

inline PageDesc page(const char *name, const char *caption, std::vector<CtrlDesc> controls = {},
                     LayoutItem layout = LayColumn({})) {
    PageDesc desc;
    desc.name = name;
    desc.caption = caption;
    desc.controls = std::move(controls);
    desc.layout = std::move(layout);
    return desc;
}

// One row of a parameter page: label, value control, unit text, "OK" button.
struct ParamRow {
    CtrlDesc value;
    int buttonId = 0;
    const char *buttonName = nullptr;
    const char *callback = nullptr;
    int unitId = 0;
    const char *unitName = nullptr;
    const char *unitText = nullptr;
    bool unitVisible = true;
};

inline ParamRow row(CtrlDesc value, int buttonId, const char *buttonName, const char *callback,
             int unitId = 0, const char *unitName = nullptr, const char *unitText = nullptr,
             bool unitVisible = true) {
    return ParamRow{std::move(value), buttonId, buttonName, callback,
                    unitId,           unitName, unitText,   unitVisible};
}

inline CtrlDesc hidden(CtrlDesc desc) {
    desc.visible = false;
    return desc;
}

inline CtrlDesc enableSwitch(int id, const char *name, const char *label) {
    return binarySwitch(id, name, label, "enable", "disable");
}

// A page whose rows stand top to bottom in the order given; a hidden row hides its
// label, value, unit and button alike.
inline PageDesc paramPage(const char *name, const char *caption, std::vector<ParamRow> rows) {
    PageDesc page;
    page.name = name;
    page.caption = caption;
    std::vector<FormRow> form;
    for (auto &r : rows) {
        bool shown = r.value.visible;
        page.controls.push_back(r.value);
        if (r.unitId)
            page.controls.push_back(text(r.unitId, r.unitName, r.unitText, shown && r.unitVisible));
        if (r.buttonId)
            page.controls.push_back(button(r.buttonId, r.buttonName, "__OK", r.callback, shown));
        form.push_back({r.value.id, {r.unitId, r.buttonId}});
    }
    page.layout = LayColumn({LayForm(form), LayStretch()});
    return page;
}

} // namespace uir
