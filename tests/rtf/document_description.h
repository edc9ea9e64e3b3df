#pragma once
// A document's text and formats as one comparable text: per paragraph its alignment, indents, tab
// stops and list, then runs of equal formats with the document's defaults filled in. Two documents
// that look the same give the same description, however their formats are stored.
#include <QString>

class QTextDocument;

namespace rtftest {

QString describe(const QTextDocument& document);

}  // namespace rtftest
