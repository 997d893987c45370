// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Vdir.h"

#include "cli/CliError.h"
#include "store/ErrorTexts.h"
#include "store/FileSystem.h"
#include "store/StoreError.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace cli {

namespace {

constexpr std::string_view kExtension = ".ics";
// What a killed replace() leaves beside the file it was writing.
constexpr std::string_view kTemporaryMark = ".ics.tmp-";

struct FolderCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

void makeFolders(const std::string& folder) {
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            throw CliError("Kausta " + store::quotedPath(part) + " ei saa luua: " + store::systemErrorText(errno) +
                           ".");
        if (slash == std::string::npos) return;
    }
}

}  // namespace

std::uint64_t contentHash(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::vector<VdirFile> readVdir(const std::string& folder) {
    std::unique_ptr<DIR, FolderCloser> dir(::opendir(folder.c_str()));
    if (!dir) {
        if (errno == ENOENT) return {};
        throw CliError("Kausta " + store::quotedPath(folder) + " ei saa lugeda: " + store::systemErrorText(errno) +
                       ".");
    }
    std::vector<VdirFile> files;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        std::string path = folder;
        path += '/';
        path += name;
        if (name.find(kTemporaryMark) != std::string::npos) {
            ::unlink(path.c_str());
            continue;
        }
        if (!endsWith(name, kExtension) || name.size() == kExtension.size()) continue;
        try {
            std::string text = store::PosixFileSystem::instance().read(path);
            const std::uint64_t hash = contentHash(text);
            files.push_back({name, std::move(text), hash});
        } catch (const store::StoreError& error) {
            throw CliError(store::storeErrorText(error, path));
        }
    }
    std::sort(files.begin(), files.end(), [](const VdirFile& a, const VdirFile& b) { return a.name < b.name; });
    return files;
}

void writeVdirFile(const std::string& folder, const std::string& name, std::string_view text) {
    makeFolders(folder);
    const std::string path = folder + "/" + name;
    try {
        store::PosixFileSystem::instance().replace(path, text);
    } catch (const store::StoreError& error) {
        throw CliError(store::storeErrorText(error, path));
    }
}

void removeVdirFile(const std::string& folder, const std::string& name) {
    const std::string path = folder + "/" + name;
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        throw CliError("Faili " + store::quotedPath(path) + " ei saa kustutada: " + store::systemErrorText(errno) +
                       ".");
}

std::string vdirFileName(const std::string& uid) {
    std::string name = uid;
    for (char& c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '_' || c == '.' || c == '@';
        if (!plain) c = '_';
    }
    return name + std::string(kExtension);
}

}  // namespace cli
