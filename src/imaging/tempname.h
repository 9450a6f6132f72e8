#pragma once
// Unique names for the prepared pictures (`rndfilename`): prefix + a random
// 0..29999 + another random 0..29999 + suffix, drawn again while a file of
// that name exists. The name is claimed by creating the empty file, so two
// pictures prepared at the same time can never get the same one.
#include <QString>

namespace TempName {
// The created file's path; empty when no name could be claimed.
QString rndfilename(const QString &prefix, const QString &suffix);
}
