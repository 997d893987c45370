// SPDX-License-Identifier: GPL-3.0-or-later
// Runs an action on a dialog each time it is shown. Qt builds or resets some
// controls of its print dialog on showing, so what is set once does not last.
#pragma once

#include <functional>

class QDialog;

namespace print {

// The hook belongs to the dialog. A second hook of the same `name` on the
// same dialog is not added.
void onEveryShow(QDialog* dialog, const char* name, std::function<void()> action);

}  // namespace print
