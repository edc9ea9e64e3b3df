#pragma once
// The item pages' files in the work folder, as they are written: never through a link to a file
// elsewhere, and never over a page that was not read whole without keeping its original first.
#include <QString>

namespace core {

// Makes `path`, a page of the work folder `folder`, safe to write: a symbolic link there that leads
// out of the folder (or to nothing) is removed, so the write puts a file of its own in its place and
// no file elsewhere changes. A link to a file inside the folder is left as it is.
void unlinkPageLeadingOut(const QString& path, const QString& folder);

// Copies the page file beside itself before it is written over: "GREENNOTE1.rtf.orig", or
// ".orig2", ".orig3" … when an earlier copy has that name. Returns the copy's path; raises 75 naming
// the page when no copy could be made.
QString keepOriginalPage(const QString& path);

}  // namespace core
