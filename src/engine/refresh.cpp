#include "engine/refresh.h"

#include "platform/userint.h"
#include "registers/dataitem.h"
#include "ui/panels.h"

#include <initializer_list>

namespace {

enum class Form { Real, Scaled, Integer };

// One control a record is drawn on.
struct Target {
    const int *page; // a page handle global
    int control;
};

struct Binding {
    int record;
    Form form;
    Target first;
    Target second; // control 0: none
};

// The integer part, truncated toward zero, kept within the integer range.
int truncated(double value) {
    if (!(value > -2147483648.0))
        return value != value ? 0 : -2147483647 - 1;
    if (!(value < 2147483647.0))
        return 2147483647;
    return static_cast<int>(value);
}

double scaled(const DataItem &record, double value) {
    return value * static_cast<double>(record.fullScale) / static_cast<double>(record.rawScale);
}

void draw(const Target &target, Form form, const DataItem &record, double value) {
    if (target.control == 0)
        return;
    switch (form) {
    case Form::Real:
        SetCtrlVal(*target.page, target.control, value);
        break;
    case Form::Scaled:
        SetCtrlVal(*target.page, target.control, scaled(record, value));
        break;
    case Form::Integer:
        SetCtrlVal(*target.page, target.control, truncated(value));
        break;
    }
}

// The flag is cleared before value is read: a reply landing meanwhile raises it again and
// is drawn on the next pass.
void refreshTable(DataItem *table, std::initializer_list<Binding> bindings) {
    for (const Binding &b : bindings) {
        DataItem &record = table[b.record];
        if (record.refreshFlag == 0)
            continue;
        record.refreshFlag = 0;
        double value = record.value;
        draw(b.first, b.form, record, value);
        draw(b.second, b.form, record, value);
    }
}

const int *page(int index) { return &panel_set_tab[index]; }
const int *debugPage(int index) { return &panel_debug_tab[index]; }

} // namespace

void refreshTABPANEL_1() {
    using namespace TabPanel1;
    const int *p = page(0);
    refreshTable(dataItem1, {
                                {0, Form::Real, {p, TAB1_NUMERIC_SET_1}, {}},
                                {1, Form::Real, {p, TAB1_NUMERIC_SET_2}, {}},
                                {2, Form::Real, {p, TAB1_NUMERIC_SET_3}, {}},
                                {3, Form::Real, {p, TAB1_NUMERIC_SET_4}, {}},
                                {4, Form::Real, {p, TAB1_NUMERIC_SET_5}, {}},
                                {5, Form::Real, {p, TAB1_NUMERIC_SET_6}, {}},
                                {6, Form::Real, {p, TAB1_NUMERIC_SET_7}, {}},
                                {7, Form::Real, {p, TAB1_NUMERIC_SET_8}, {}},
                                {8, Form::Real, {p, TAB1_NUMERIC_SET_9}, {}},
                                {9, Form::Real, {p, TAB1_NUMERIC_SET_10}, {}},
                                {10, Form::Real, {p, TAB1_NUMERIC_SET_11}, {}},
                                {11, Form::Real, {p, TAB1_NUMERIC_SET_12}, {}},
                                {12, Form::Real, {p, TAB1_NUMERIC_SET_13}, {}},
                                {13, Form::Real, {p, TAB1_NUMERIC_SET_14}, {}},
                                {14, Form::Real, {p, TAB1_NUMERIC_SET_15}, {}},
                            });
}

void refreshTABPANEL_2() {
    using namespace TabPanel2;
    const int *p = page(1);
    refreshTable(dataItem2, {
                                {0, Form::Real, {p, TAB2_NUMERIC_SET_1}, {}},
                                {1, Form::Real, {p, TAB2_NUMERIC_SET_2}, {}},
                                {2, Form::Real, {p, TAB2_NUMERIC_SET_3}, {}},
                                {3, Form::Real, {p, TAB2_NUMERIC_SET_4}, {}},
                                {4, Form::Real, {p, TAB2_NUMERIC_SET_7}, {}},
                                {5, Form::Real, {p, TAB2_NUMERIC_SET_6}, {}},
                                {6, Form::Integer, {p, TAB2_BINARYSWITCH_5}, {}},
                            });
}

void refreshTABPANEL_3() {
    using namespace TabPanel3;
    const int *p = page(2);
    refreshTable(dataItem3, {
                                {0, Form::Integer, {p, TAB3_BINARYSWITCH_1}, {}},
                                {1, Form::Integer, {p, TAB3_BINARYSWITCH_2}, {}},
                                {2, Form::Integer, {p, TAB3_BINARYSWITCH_3}, {}},
                                {3, Form::Integer, {p, TAB3_RING_2}, {}},
                                {4, Form::Integer, {p, TAB3_RING_1}, {}},
                                {5, Form::Integer, {p, TAB3_BINARYSWITCH_6}, {}},
                                {6, Form::Integer, {p, TAB3_BINARYSWITCH_7}, {}},
                                {7, Form::Integer, {p, TAB3_BINARYSWITCH_8}, {}},
                                {8, Form::Real, {p, TAB3_NUMERIC_SET_9}, {}},
                                {9, Form::Integer, {p, TAB3_BINARYSWITCH_10}, {}},
                                {10, Form::Real, {p, TAB3_NUMERIC_SET_11}, {}},
                                {11, Form::Real, {p, TAB3_NUMERIC_SET_12}, {}},
                                {12, Form::Integer, {p, TAB3_BINARYSWITCH_13}, {}},
                                {13, Form::Real, {p, TAB3_NUMERIC_SET_14}, {}},
                                {14, Form::Real, {p, TAB3_NUMERIC_SET_15}, {}},
                                {15, Form::Scaled, {p, TAB3_NUMERIC_SET_16}, {}},
                            });
}

void refreshTABPANEL_4() {
    using namespace TabPanel4;
    const int *p = page(3);
    refreshTable(dataItem4, {
                                {0, Form::Scaled, {p, TAB4_NUMERIC_SET_1}, {}},
                                {1, Form::Scaled, {p, TAB4_NUMERIC_SET_2}, {}},
                                {2, Form::Real, {p, TAB4_NUMERIC_SET_3}, {}},
                                {3, Form::Real, {p, TAB4_NUMERIC_SET_4}, {}},
                                {4, Form::Scaled, {p, TAB4_NUMERIC_SET_5}, {}},
                                {5, Form::Real, {p, TAB4_NUMERIC_SET_6}, {}},
                            });
}

void refreshTABPANEL_5() {
    using namespace TabPanel5;
    const int *p = page(4);
    refreshTable(dataItem5, {
                                {0, Form::Real, {p, TAB5_NUMERIC_SET_1}, {}},
                                {1, Form::Real, {p, TAB5_NUMERIC_SET_2}, {}},
                                {2, Form::Real, {p, TAB5_NUMERIC_SET_3}, {}},
                                {3, Form::Real, {p, TAB5_NUMERIC_SET_4}, {}},
                                {4, Form::Real, {p, TAB5_NUMERIC_SET_5}, {}},
                                {5, Form::Real, {p, TAB5_NUMERIC_SET_6}, {}},
                                {6, Form::Real, {p, TAB5_NUMERIC_SET_7}, {}},
                                {7, Form::Integer, {p, TAB5_RING_8}, {}},
                                {8, Form::Real, {p, TAB5_NUMERIC_SET_9}, {}},
                                {9, Form::Real, {p, TAB5_NUMERIC_SET_10}, {}},
                                {10, Form::Real, {p, TAB5_NUMERIC_SET_11}, {}},
                            });
}

// The parameter page's control first, then the debug panel's.
void refreshTABPANEL_6() {
    using namespace TabPanel6;
    const int *p = page(5);
    const int *d1 = debugPage(0);
    const int *d2 = debugPage(1);
    refreshTable(dataItem6,
                 {
                     {0, Form::Real, {p, TAB6_NUMERIC_SET_1}, {d1, DbgTab1::NUMERIC_SET_1}},
                     {1, Form::Real, {p, TAB6_NUMERIC_SET_2}, {d1, DbgTab1::NUMERIC_SET_2}},
                     {2, Form::Integer, {p, TAB6_BINARYSWITCH_3}, {d2, DbgTab2::BINARYSWITCH_3}},
                     {3, Form::Integer, {p, TAB6_RING_4}, {d2, DbgTab2::RING_4}},
                     {4, Form::Scaled, {p, TAB6_NUMERIC_SET_5}, {d2, DbgTab2::NUMERIC_SET_5}},
                     {5, Form::Real, {p, TAB6_NUMERIC_SET_6}, {d1, DbgTab1::NUMERIC_SET_6}},
                     {6, Form::Integer, {p, TAB6_BINARYSWITCH_7}, {d1, DbgTab1::BINARYSWITCH_7}},
                     {7, Form::Integer, {p, TAB6_BINARYSWITCH_8}, {d1, DbgTab1::BINARYSWITCH_8}},
                     {8, Form::Scaled, {d2, DbgTab2::NUMERIC_SET_9}, {}},
                     {9, Form::Scaled, {d2, DbgTab2::NUMERIC_SET_10}, {}},
                     {10, Form::Integer, {d2, DbgTab2::RING_11}, {}},
                     {11, Form::Scaled, {d2, DbgTab2::NUMERIC_SET_12}, {}},
                     {12, Form::Scaled, {d2, DbgTab2::NUMERIC_SET_13}, {}},
                     {13, Form::Scaled, {d2, DbgTab2::NUMERIC_SET_14}, {}},
                     {14, Form::Integer, {d1, DbgTab1::BINARYSWITCH_15}, {}},
                 });
}

// ---- Main window ----

const int queryItemID[26] = {
    PanelMain::RING_QUERY_0,      PanelMain::NUMERIC_QUERY_1,  PanelMain::NUMERIC_QUERY_2,
    PanelMain::NUMERIC_QUERY_3,   PanelMain::NUMERIC_QUERY_4,  PanelMain::NUMERIC_QUERY_5,
    PanelMain::NUMERIC_QUERY_6,   PanelMain::NUMERIC_QUERY_7,  PanelMain::NUMERIC_QUERY_8,
    PanelMain::NUMERIC_QUERY_9,   PanelMain::NUMERIC_QUERY_10, PanelMain::NUMERIC_QUERY_11,
    PanelMain::TABLE_2,           PanelMain::TABLE_3,          PanelMain::TABLE_1,
    PanelMain::TABLE_1,           PanelMain::TABLE_1,          PanelMain::NUMERIC_QUERY_17,
    PanelMain::RING_QUERY_18,     PanelMain::NUMERIC_QUERY_19, PanelMain::NUMERIC_QUERY_20,
    PanelMain::NUMERIC_QUERY_21,  PanelMain::NUMERIC_QUERY_22, PanelMain::NUMERIC_QUERY_23,
    PanelMain::NUMERIC_QUERY_24,  PanelMain::RING_QUERY_25,
};

int inputIOstatue = 0;
int outputIOstatue = 0;
int err1statue = 0;
int err2statue = 0;
int err3statue = 0;

void ResetDrawnStatusWords() {
    inputIOstatue = outputIOstatue = err1statue = err2statue = err3statue = 0;
}

namespace {

bool bit(int word, int b) { return (static_cast<unsigned>(word) >> b) & 1u; }

// A status table's value column, redrawn only when its word changes. The flag stays up:
// the word is compared on every pass.
void drawStatusWord(double value, int &saved, int control, int bits, const char *set,
                    const char *clear) {
    if (value == static_cast<double>(saved))
        return;
    saved = truncated(value);
    for (int b = 0; b < bits; ++b)
        SetTableCellVal(panelMain, control, MakePoint(2, b + 1), bit(saved, b) ? set : clear);
}

// Sixteen rows of the fault list: red while the bit is set, black while it is clear.
void drawFaultWord(double value, int &saved, int group) {
    if (value == static_cast<double>(saved))
        return;
    saved = truncated(value);
    for (int b = 0; b < 16; ++b)
        SetTableCellAttribute(panelMain, PanelMain::TABLE_1, MakePoint(1, b + 1 + 16 * group),
                              ATTR_TEXT_COLOR, bit(saved, b) ? 0xFF0000 : 0x000000);
}

} // namespace

void refreshQUERY() {
    using namespace PanelMain;
    for (int i = 0; i < DATAITEM_OR_NUM; ++i) {
        DataItem &record = dataItemOR[i];
        if (record.refreshFlag == 0)
            continue;
        double value = record.value;
        switch (i) {
        case 0:
        case 18:
        case 25: // a status code without an item leaves its ring as it was
            SetCtrlVal(panelMain, queryItemID[i], truncated(value));
            record.refreshFlag = 0;
            break;
        case 12:
            drawStatusWord(value, inputIOstatue, TABLE_2, 8, "HIGH", "LOW");
            break;
        case 13:
            drawStatusWord(value, outputIOstatue, TABLE_3, 4, "高", "低");
            break;
        case 14:
            drawFaultWord(value, err1statue, 0);
            break;
        case 15:
            drawFaultWord(value, err2statue, 1);
            break;
        case 16:
            drawFaultWord(value, err3statue, 2);
            break;
        default:
            SetCtrlVal(panelMain, queryItemID[i], scaled(record, value));
            record.refreshFlag = 0; // after drawing: a reply meanwhile waits for the next one
            break;
        }
    }
}
