// SPDX-License-Identifier: GPL-3.0-or-later
// The report always prints whole, so the choices of Qt's print dialog that
// would print less stay disabled: a page range ("Pages from … to" and
// "Pages"), the current page and the selection, with "all pages" chosen.
// The selection stays in sight, greyed, as the classic dialog shows it.
// The printer, the copies and printing to a PDF file remain the user's.
#pragma once

class QPrintDialog;

namespace print {

// Disables those choices now.
void disableIgnoredChoices(QPrintDialog* dialog);

// Disables them on every showing and again after each change of printer,
// since Qt enables the page range for printers that can print one.
void keepIgnoredChoicesDisabled(QPrintDialog* dialog);

}  // namespace print
