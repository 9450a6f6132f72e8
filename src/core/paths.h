#pragma once
#include <QString>

namespace Paths {
// Data folder with a trailing "/": $VSSELAIN_DATA_DIR or the per-user
// application data folder. It holds the user's private state (the settings
// with the picture-host password, seller lists, ledgers), so it is created
// owner-only (0700) when missing; the per-user folder is also tightened when
// an earlier run left it open to others.
QString dataFolder();
// True when the path lies inside the data folder (nothing is created).
bool isInDataFolder(const QString &path);
// Folder of the running program with a trailing "/".
QString programFolder();
// Folder of the shipped data files (the category catalogue) with a trailing
// "/": beside the program in a build, "../share/vsselain/" from an installed
// program's "bin/" folder.
QString shippedDataFolder();
// Temporary folder with a trailing "/".
QString tempFolder();
}
