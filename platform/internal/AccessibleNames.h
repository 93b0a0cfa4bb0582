#pragma once

// Private to the framework: the names a screen reader reads for the controls
// of a dialog template, worked out from the template alone.

#include "ResourceScript.h"

#include <string>
#include <vector>

// How far, in dialog units, a label may stand from the control it names.
namespace label_reach {
// A label on the control's row starts at most this far above its top...
inline constexpr int kRowAbove = 4;
// ...or this far below it.
inline constexpr int kRowBelow = 6;
// A label left of the control may run into it by this much...
inline constexpr int kLeftOverlap = 2;
// ...or end at most this far before it.
inline constexpr int kLeftGap = 40;
// A label above the control ends at most this far above its top.
inline constexpr int kAboveGap = 16;
// A group box frames a control that it holds down to this far below the
// control's top (or the control's whole height, when less).
inline constexpr int kGroupDepth = 14;
}  // namespace label_reach

struct AccessibleName {
    int controlId = 0;
    // The label that gives the name, as an index into the template's
    // controls; -1 when the control is named by its own text or its group.
    int labelIndex = -1;
    std::string name;  // ANSI, without the '&' that marks a mnemonic
};

// A control that has an id is named by its own text, except an edit box,
// combo box or list view: it takes the nearest label just left of it on its
// row, else the nearest unclaimed label just above it, else the title of
// the group box that frames it; a label names one control only. Controls
// left without a name are not listed.
std::vector<AccessibleName> AccessibleNames(const DialogTemplate& tmpl);
