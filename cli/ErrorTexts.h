// The command line's words, in Estonian, for failures of the record store
// and of the system. Each names the file and the reason. (The window keeps
// the store's own English texts, and refuses a lock file in these words.)
#pragma once

#include <string>

#include "store/StoreError.h"

namespace cli {

// The reason for a system error number, e.g. "juurdepääs on keelatud" for
// EACCES; "süsteemi veakood N" for a number without a text of its own.
std::string systemErrorText(int error);

// One sentence for `error`, met while working on `file`; an error of the
// file system names the file it was about itself.
std::string storeErrorText(const store::StoreError& error, const std::string& file);

// Why the data file's lock file `lockFile` cannot serve, for a lock that
// failed with `error` (not because another program holds it).
std::string unusableLockText(const std::string& lockFile, int error);

// "\"<path>\"": how messages show a file's name.
std::string quotedPath(const std::string& path);

}  // namespace cli
