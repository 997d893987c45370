#include "store/DataFile.h"

#include <string>

#include "store/EventRecord.h"
#include "store/FileSystem.h"

namespace store {

std::string dataFilePath(std::string_view folder) {
    std::string path(folder);
    if (path.empty() || path.back() != '/') path += '/';
    path += kDataFileName;
    return path;
}

DataFileStatus prepareDataFile(FileSystem& files, const std::string& path) {
    if (!files.exists(path)) files.create(path, std::string(kEmptyPacket) + "\r\n");
    if (!files.exists(path)) return {DataFileStatus::Missing, 0};
    if (files.isReadOnly(path)) {
        if (const int error = files.clearReadOnly(path); error != 0)
            return {DataFileStatus::WriteProtected, error};
    }
    return {DataFileStatus::Ready, 0};
}

}  // namespace store
