#pragma once
// The program's folders. Paths use "/" and have no trailing "/".
#include <QString>

namespace vb {

// App.Path: the folder of the executable, where the shipped files lie (read only). A test may point
// it elsewhere with setProgramFolder; an empty path restores the executable's folder.
QString programFolder();
void setProgramFolder(const QString& path);

// The user's data folder, $XDG_DATA_HOME/veyra (~/.local/share/veyra when XDG_DATA_HOME is unset or
// not absolute): everything the program writes. Created when missing; raises 75 when it cannot be.
QString dataFolder();

// The user's configuration folder, $XDG_CONFIG_HOME/veyra (~/.config/veyra by default), for settings.
// Created when missing; raises 75 when it cannot be.
QString configFolder();

// `folder` + "/" + `name`, with exactly one "/" between them.
QString joinPath(const QString& folder, const QString& name);

}  // namespace vb
