#pragma once
#include <QString>

namespace rt {

// The folder of the program's executable, without a trailing separator except
// at the root ("/").
QString applicationFolder();

// Joins a folder as applicationFolder() gives it with a file name, with exactly
// one separator between them.
QString joinFolder(const QString& folder, const QString& fileName);

} // namespace rt
