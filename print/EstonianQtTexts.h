// SPDX-License-Identifier: GPL-3.0-or-later
// Qt's own texts in Estonian: the print dialog with its pages, the printer
// properties and the file chooser it opens, the standard buttons and the
// context menus of edit fields. Qt ships no Estonian catalog, so the program
// carries one of its own, built into the executable.
#pragma once

namespace print {

// Installs the catalog on the running application, which must exist. Returns
// false when the catalog cannot be loaded; Qt's texts then stay in English.
// Installing a second time has the effect of installing once.
bool installEstonianQtTexts();

}  // namespace print
