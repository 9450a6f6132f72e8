#pragma once
#include <QString>

namespace Paths {
// Data folder with a trailing "/": $VSSELAIN_DATA_DIR or the per-user
// application data folder; created when missing.
QString dataFolder();
// Folder of the running program with a trailing "/".
QString programFolder();
// Temporary folder with a trailing "/".
QString tempFolder();
}
