#include "platform/vb/error.h"

#include <array>
#include <utility>

namespace vb {

Error::Error(int number, QString source, QString description)
    : number_(number), source_(std::move(source)), description_(std::move(description)) {
    what_ = QStringLiteral("Error %1: %2").arg(number_).arg(description_).toStdString();
}

namespace {
struct ErrorText {
    int number;
    const char* text;
};
constexpr std::array kRuntimeErrors{
    ErrorText{3, "Return without GoSub"},
    ErrorText{5, "Invalid procedure call or argument"},
    ErrorText{6, "Overflow"},
    ErrorText{7, "Out of memory"},
    ErrorText{9, "Subscript out of range"},
    ErrorText{11, "Division by zero"},
    ErrorText{13, "Type mismatch"},
    ErrorText{51, "Internal error"},
    ErrorText{52, "Bad file name or number"},
    ErrorText{53, "File not found"},
    ErrorText{55, "File already open"},
    ErrorText{57, "Device I/O error"},
    ErrorText{58, "File already exists"},
    ErrorText{61, "Disk full"},
    ErrorText{62, "Input past end of file"},
    ErrorText{70, "Permission denied"},
    ErrorText{75, "Path/File access error"},
    ErrorText{76, "Path not found"},
    ErrorText{91, "Object variable or With block variable not set"},
    ErrorText{94, "Invalid use of Null"},
    ErrorText{380, "Invalid property value"},
    ErrorText{438, "Object doesn't support this property or method"},
    ErrorText{482, "Printer error"},
};
}  // namespace

QString runtimeErrorText(int number) {
    for (const auto& e : kRuntimeErrors)
        if (e.number == number) return QString::fromLatin1(e.text);
    return QStringLiteral("Application-defined or object-defined error");
}

void raise(int number, const QString& source, const QString& description) {
    throw Error(number, source, description.isEmpty() ? runtimeErrorText(number) : description);
}

}  // namespace vb
