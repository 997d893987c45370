// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/DataFile.h"

#include "store/EventRecord.h"
#include "store/FileSystem.h"
#include "store/StoreError.h"

#include <string>

namespace store {

std::string dataFilePath(std::string_view folder) {
    std::string path(folder);
    if (path.empty() || path.back() != '/') path += '/';
    path += kDataFileName;
    return path;
}

DataFileStatus prepareDataFile(FileSystem& files, const std::string& path) {
    if (!files.exists(path)) {
        try {
            files.create(path, std::string(kEmptyPacket) + "\r\n");
        } catch (const WriteError&) {
            // Missing just below, unless another program made the file meanwhile.
        }
    }
    if (!files.exists(path)) return {DataFileStatus::Missing, 0};
    if (files.isReadOnly(path)) {
        try {
            files.clearReadOnly(path);
        } catch (const WriteError& error) {
            return {DataFileStatus::WriteProtected, error.errorNumber()};
        }
    }
    try {
        files.checkFolderWritable(path);
    } catch (const WriteError& error) {
        return {DataFileStatus::FolderUnwritable, error.errorNumber()};
    }
    return {DataFileStatus::Ready, 0};
}

}  // namespace store
