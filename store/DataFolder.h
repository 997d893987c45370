// Which folder holds the list. A list lying beside the program is used
// wherever the program runs. Without one, a program run from anywhere but the
// folder it was installed to (a build folder, a copied folder) creates its
// list beside itself; an installed program keeps each user's list in that
// user's own data folder, since users cannot write to the installed folder.
#pragma once

#include <string>

namespace store {

class FileSystem;

struct ListFolders {
    std::string program;    // the running executable's folder
    std::string installed;  // the folder the program was installed to
    std::string user;       // the user's own data folder for the program
};

// `folders.program` or `folders.user` by the rule above. Folders are compared
// as spelled, so give them in canonical form; a trailing "/" is ignored.
std::string chooseDataFolder(const FileSystem& files, const ListFolders& folders);

}  // namespace store
