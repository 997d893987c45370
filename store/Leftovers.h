// SPDX-License-Identifier: GPL-3.0-or-later
// Temporary files that saves of a data file left behind when the program
// died ("<data file>.tmp-XXXXXX" beside it).
#pragma once

#include "store/FileSystem.h"

#include <string>

namespace store {

// Removes the temporary files of `dataFile` from its folder and returns how
// many went. Only a writer holding the data file's lock makes such files, so
// while the caller holds it none of them belongs to a living save.
// REQUIRES: the caller holds the DataFileLock of `dataFile`.
int removeLeftoverTemporaries(const std::string& dataFile, FileSystem& files = PosixFileSystem::instance());

}  // namespace store
