// DataFolder: where the program finds the picture files it reads while it
// runs (the five schematics). A file is looked for in the current folder
// first, as the program always has, then in the data folder: the folder the
// program's package installs them to, or the one named by the environment
// variable KYT_DATA_DIR. KYT_DATA_DIR set but empty means the current
// folder only.
#pragma once

#include <QString>

namespace kyt {

// The folder the pictures are installed to, fixed when the program is built.
QString installedDataFolder();

// Reads KYT_DATA_DIR; the application object does so when it starts.
void readDataFolderSetting();

// The folder searched after the current one; empty when there is none.
QString dataFolder();

// The name to open for a data file: the name itself when the current folder
// holds it, its path in the data folder when only that folder holds it, and
// the name itself again when neither does (so that the error reported names
// the file as the program has always named it).
QString dataFilePath(const QString& name);

// The folder of the guided exercises: "exercises" in the data folder (or in
// the current folder when KYT_DATA_DIR is set but empty); a program run
// from its build, with KYT_DATA_DIR unset, reads the source tree's ones.
QString exercisesFolder();

} // namespace kyt
