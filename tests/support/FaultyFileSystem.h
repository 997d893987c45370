// SPDX-License-Identifier: GPL-3.0-or-later
// The real file system with failures on demand, for tests of what the
// program does when the disk says no.
#pragma once

#include "store/FileSystem.h"
#include "store/StoreError.h"

#include <cerrno>
#include <new>

class FaultyFileSystem : public store::PosixFileSystem {
public:
    int replaceFailures = 0;  // how many coming replace() calls fail (ENOSPC)
    int replaceCalls = 0;
    bool replaceRunsOutOfMemory = false;  // replace() fails with std::bad_alloc
    mutable int readCalls = 0;
    bool createFails = false;
    int clearReadOnlyError = 0;  // non-zero: clearReadOnly() fails with it

    void create(const std::string& path, std::string_view content) override {
        if (createFails) throw store::WriteError(path, EACCES);
        PosixFileSystem::create(path, content);
    }
    std::string read(const std::string& path) const override {
        ++readCalls;
        return PosixFileSystem::read(path);
    }
    std::unique_ptr<store::FileReader> openToRead(const std::string& path) const override {
        ++readCalls;
        return PosixFileSystem::openToRead(path);
    }
    void replace(const std::string& path, std::string_view content) override {
        ++replaceCalls;
        if (replaceFailures > 0) {
            --replaceFailures;
            throw store::WriteError(path, ENOSPC);
        }
        if (replaceRunsOutOfMemory) throw std::bad_alloc();
        PosixFileSystem::replace(path, content);
    }
    void clearReadOnly(const std::string& path) override {
        if (clearReadOnlyError != 0) throw store::WriteError(path, clearReadOnlyError);
        PosixFileSystem::clearReadOnly(path);
    }
};
