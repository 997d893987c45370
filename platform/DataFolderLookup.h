// The list's folder on this machine: store::chooseDataFolder with the folders
// looked up here. The program's folder is given; the installed folder is the
// one the build installs the programs to; the user's folder is Qt's
// AppDataLocation of organisation "Tarvalind" and application "Zerizedozi"
// (on Linux ~/.local/share/Tarvalind/Zerizedozi). Qt's names are set to those
// two first, so every program that uses this shares the user's folder.
#pragma once

#include <QString>

namespace platform {

// The folder the programs are installed to, in canonical form when it exists.
QString installedFolder();

// The folder whose "Vozoraza.xml" is the list. When that is the user's
// folder, it is created with its parents; a failure to create shows later as
// a list that cannot be created.
QString dataFolder(const QString& programFolder);

}  // namespace platform
