// SPDX-License-Identifier: GPL-3.0-or-later
// Where the list lives on this machine: store::chooseDataFolder with what is
// found here. The program counts as installed when an install's layout lies
// around its executable (the program's desktop entry in the share folder
// beside the bin folder), wherever that install was put; a build folder or a
// copied program has none. The user's folder is the XDG data folder's
// Tarvalind/Zerizedozi ($XDG_DATA_HOME, else ~/.local/share; a relative
// $XDG_DATA_HOME is ignored, as the XDG rules say), so the list does not
// depend on the current directory. Needs no Qt, so that the command line
// starts without it.
#pragma once

#include <string>

namespace platform {

// The XDG base folder that `variable` (XDG_DATA_HOME, XDG_CONFIG_HOME) names
// when it is an absolute path, else `underHome` (".local/share", ".config")
// in $HOME (an unset or relative $HOME counts as /); no "/" at its end.
std::string xdgFolder(const char* variable, const char* underHome);

// The program's own folder in the user's data folder, where an installed
// program keeps the list: Tarvalind/Zerizedozi in XDG_DATA_HOME.
std::string usersFolder();

// The list's file for a program whose executable lies in `programFolder`;
// an empty folder (the executable could not be told) counts as installed.
// Nothing is created.
std::string dataFileFor(const std::string& programFolder);

// The list's file in the user's own folder, where an installed program keeps
// it. Nothing is created.
std::string usersDataFile();

// The list's file for the running program.
std::string programDataFile();

// Makes the folder of `dataFile` with its parents, for a program that is
// about to write the list; a failure shows later as a list that cannot be
// created.
void makeDataFileFolder(const std::string& dataFile);

}  // namespace platform
