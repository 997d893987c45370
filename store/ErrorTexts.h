// SPDX-License-Identifier: GPL-3.0-or-later
// The programs' words, in Estonian, for failures of the record store and of
// the system. Each names the file and the reason. The command line words
// every error with them; the window gives a failed save's reason with them,
// keeps the store's own English texts in its error box, and refuses a lock
// file in these words.
#pragma once

#include "store/StoreError.h"

#include <string>

namespace store {

// The reason for a system error number, e.g. "juurdepääs on keelatud" for
// EACCES; "süsteemi veakood N" for a number without a text of its own.
std::string systemErrorText(int error);

// One sentence for `error`, met while working on `file`; an error of the
// file system names the file it was about itself.
std::string storeErrorText(const StoreError& error, const std::string& file);

// Why the data file's lock file `lockFile` cannot serve, for a lock that
// failed with `error` (not because another program holds it).
std::string unusableLockText(const std::string& lockFile, int error);

// "\"<path>\"": how messages show a file's name.
std::string quotedPath(const std::string& path);

}  // namespace store
