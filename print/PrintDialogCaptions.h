// SPDX-License-Identifier: GPL-3.0-or-later
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

// A control of the dialog: `name` inside the group box `group`, or anywhere
// in the dialog when `group` is null. A label whose mnemonic has no buddy in
// Qt gets the control `buddy` of the same group, so the "&" takes effect.
struct Caption {
    const char* group;
    const char* name;
    const char* text;
    const char* buddy = nullptr;
};

// Every caption the dialog gets, but those of its OK and Cancel buttons.
inline constexpr Caption kCaptions[] = {
    {nullptr, "printerGroup", "&Printer"},
    {"printerGroup", "label", "&Nimi:"},
    {"printerGroup", "label_2", "Port:"},
    {"printerGroup", "label_3", "Tüüp:"},
    {"printerGroup", "properties", "&Omadused"},
    {nullptr, "gbPrintRange", "&Prindi"},
    {"gbPrintRange", "printAll", "&Kõik"},
    {"gbPrintRange", "printRange", "&alates"},
    {"gbPrintRange", "label_3", "&kuni", "to"},
    {"gbPrintRange", "pagesRadioButton", "&Lehed"},
    {"gbPrintRange", "printSelection", "&Selekteering"},
    {nullptr, "groupBox", "&Paber"},
    {"groupBox", "label", "&Koopiate arv:"},
    {"groupBox", "collate", "&"},
};

// Sets the captions now. Call on every showing: Qt may build or reset
// controls when the dialog is shown.
void PrintDialog1Show(QPrintDialog* dialog);

// Makes the dialog call PrintDialog1Show() on itself each time it is shown.
// Installing twice on one dialog has the effect of installing once.
void installEstonianCaptions(QPrintDialog* dialog);

// Shown instead of the dialog when no printer can be used.
QString noPrinterMessage();

}  // namespace print
