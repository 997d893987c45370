// Estonian captions on Qt's own print dialog. Controls are found by the
// object names Qt gives them; any that is missing (another Qt version, a
// native dialog) is skipped and the others are still captioned.
//
// In Qt's dialog the radio "Pages from [n] to [m]" is the from/to choice, so
// it reads "&alates [n] &kuni [m]" (the "to" label gets the "to" field as its
// buddy for the mnemonic), and the separate "Pages [1-3,5]" radio is "&Lehed".
// Qt has no status or comment label, so those captions have no place.
#pragma once

#include <QString>

class QPrintDialog;

namespace print {

// Sets the captions now. Call on every showing: Qt may build or reset
// controls when the dialog is shown.
void PrintDialog1Show(QPrintDialog* dialog);

// Makes the dialog call PrintDialog1Show() on itself each time it is shown.
// Installing twice on one dialog has the effect of installing once.
void installEstonianCaptions(QPrintDialog* dialog);

// Shown instead of the dialog when no printer can be used.
QString noPrinterMessage();

}  // namespace print
