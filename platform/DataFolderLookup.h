// SPDX-License-Identifier: GPL-3.0-or-later
// Where the list lives on this machine: store::chooseDataFolder with what is
// found here. The program counts as installed when an install's layout lies
// around its executable (the program's desktop entry in the share folder
// beside the bin folder), wherever that install was put; a build folder or a
// copied program has none. The user's folder is Qt's AppDataLocation (on
// Linux ~/.local/share/Tarvalind/Zerizedozi), never a relative one, so the
// list does not depend on the current directory.
// REQUIRES: Qt's organisation and application names are "Tarvalind" and
// "Zerizedozi" (each program's main sets them), so that both programs share
// the user's folder.
#pragma once

#include <QString>

namespace platform {

// The list's file for a program whose executable lies in `programFolder`;
// an empty folder (the executable could not be told) counts as installed.
// Nothing is created.
QString dataFileFor(const QString& programFolder);

// The list's file in the user's own folder, where an installed program keeps
// it. Nothing is created.
QString usersDataFile();

// The list's file for the running program.
QString programDataFile();

// Makes the folder of `dataFile` with its parents, for a program that is
// about to write the list; a failure shows later as a list that cannot be
// created.
void makeDataFileFolder(const QString& dataFile);

}  // namespace platform
