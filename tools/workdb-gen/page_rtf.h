#pragma once
// A plain page as rich text, the way the item editor stores pages: code page 936 with the Chinese
// characters as \'xx bytes, the first line as a bold title.
#include <QByteArray>
#include <QStringList>

namespace workdbgen {

QByteArray pageRtf(const QStringList& lines);

}  // namespace workdbgen
