// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/LockedDataFile.h"

#include "cli/CliError.h"
#include "cli/InputFile.h"
#include "store/DataFile.h"
#include "store/ErrorTexts.h"
#include "store/Leftovers.h"
#include "store/StoreError.h"

namespace cli {

namespace {

void checkLock(const store::DataFileLock& lock, const std::string& path) {
    if (lock.holds()) return;
    if (lock.heldElsewhere())
        throw CliError("Andmefail " + store::quotedPath(path) +
                       " on aknaprogrammis avatud; sulge programm ja proovi uuesti.");
    throw CliError(store::unusableLockText(store::DataFileLock::lockFileOf(path), lock.error()));
}

void prepare(store::FileSystem& files, const std::string& path) {
    store::removeLeftoverTemporaries(path, files);
    checkInputFile(path, kMostListBytes);
    const store::DataFileStatus status = store::prepareDataFile(files, path);
    switch (status.kind) {
        case store::DataFileStatus::Ready: break;
        case store::DataFileStatus::Missing: throw CliError("Andmefaili " + store::quotedPath(path) + " ei saa luua.");
        case store::DataFileStatus::WriteProtected:
            throw CliError("Andmefaili " + store::quotedPath(path) +
                           " kirjutuskaitset ei saa eemaldada: " + store::systemErrorText(status.error) + ".");
        case store::DataFileStatus::FolderUnwritable:
            throw CliError("Andmefaili " + store::quotedPath(path) +
                           " ei saa salvestada, sest selle kausta ei saa faile luua: " +
                           store::systemErrorText(status.error) + ".");
    }
}

}  // namespace

LockedDataFile::LockedDataFile(store::FileSystem& files, const std::string& path)
    : path_(store::realPathOf(path)), lock_(path_, files), dataSet_(files) {
    checkLock(lock_, path_);
    prepare(files, path_);
    dataSet_.setFileName(path_);
    // Rows are written in the file's order whatever the index: without one,
    // a new row joins the end of the view instead of its place in the
    // index's order, which would move every row after it.
    dataSet_.setIndexName("");
    try {
        dataSet_.open();
    } catch (const store::StoreError& error) {
        throw CliError(store::storeErrorText(error, path_));
    }
}

}  // namespace cli
