// Each "OK" of a parameter page stores its row's entry in the page's table (the page
// handle, not the panel it is called with, names where the control is) and raises the
// record's write flag; the communication thread sends it.
#include "app/parameter_edit.h"

#include "platform/uir.h"
#include "platform/userint.h"
#include "ui/panels.h"

#define QEN_DEFINE_EDIT(name, page, control, table, record, conversion)                          \
    int name(int, int, int event, void *, int, int) {                                          \
        return CommitEntry(panel_set_tab[page], control, table[record], Conversion::conversion, \
                           event);                                                             \
    }
QEN_PARAMETER_EDITS(QEN_DEFINE_EDIT)

void RegisterParameterEditCallbacks() {
#define QEN_REGISTER_EDIT(name, page, control, table, record, conversion)                        \
    RegisterCtrlCallback(#name, name);
    QEN_PARAMETER_EDITS(QEN_REGISTER_EDIT)
}
