#include "ui/record_edit.h"

#include "platform/userint.h"

int CommitEntry(int page, int control, DataItem &record, Conversion conversion, int event) {
    if (event != EVENT_COMMIT)
        return 0;
    double entry = 0.0;
    switch (conversion) {
    case Conversion::Real:
        GetCtrlVal(page, control, &entry);
        break;
    case Conversion::Integer: {
        int item = -1; // what is stored if the control delivers nothing
        GetCtrlVal(page, control, &item);
        entry = item;
        break;
    }
    case Conversion::Scaled: {
        GetCtrlVal(page, control, &entry);
        entry = entry * static_cast<double>(record.rawScale) /
                static_cast<double>(record.fullScale);
        break;
    }
    case Conversion::Command:
        entry = 1.0;
        break;
    }
    record.value = entry;
    record.writeFlag = 1;
    return 0;
}
