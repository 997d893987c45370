// SPDX-License-Identifier: GPL-3.0-or-later
// Which folder holds the list. A list lying beside the program is used
// wherever the program runs. Without one, a program that is not installed (a
// build folder, a copied folder) creates its list beside itself; an installed
// program keeps each user's list in that user's own data folder, since users
// cannot write to the installed folder.
#pragma once

#include <string>

namespace store {

class FileSystem;

struct ListFolders {
    std::string program;  // the running executable's folder; empty when unknown
    bool installed;       // whether the program lies where an install put it
    std::string user;     // the user's own data folder for the program
};

// `folders.program` or `folders.user` by the rule above. A program whose
// folder is unknown keeps its list in the user's folder.
std::string chooseDataFolder(const FileSystem& files, const ListFolders& folders);

}  // namespace store
