#pragma once
// The item pages' files in the work folder: a page that was not read whole keeps its original
// beside it before it is first written over.
#include <QString>

namespace core {

// Copies the page file beside itself before it is written over: "GREENNOTE1.rtf.orig", or
// ".orig2", ".orig3" … when an earlier copy has that name. Returns the copy's path; raises 75 naming
// the page when no copy could be made.
QString keepOriginalPage(const QString& path);

}  // namespace core
