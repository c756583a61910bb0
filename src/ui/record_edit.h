// Committing an entry from a value control into its register record.
#pragma once

#include "registers/dataitem.h"

enum class Conversion {
    Real,    // the numeric control's double as it is
    Integer, // a switch's or ring's integer
    Scaled,  // the double times rawScale divided by fullScale
    Command, // no control: the command value 1
};

// On the commit event: reads the control (page, control), converts the entry, stores it
// in record.value and only then raises record.writeFlag. Any other event does nothing.
// Returns 0.
int CommitEntry(int page, int control, DataItem &record, Conversion conversion, int event);
