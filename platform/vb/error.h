#pragma once
// The one error type of the program: a runtime or engine error with its number, the procedure that
// raised or passed it on (source) and its text.
#include <QString>

#include <exception>
#include <string>

namespace vb {

// Runtime error numbers used across the program.
enum ErrorNumber : int {
    kInvalidProcedureCall = 5,
    kOverflow = 6,
    kOutOfMemory = 7,
    kSubscriptOutOfRange = 9,
    kDivisionByZero = 11,
    kTypeMismatch = 13,
    kInternalError = 51,
    kBadFileNameOrNumber = 52,
    kFileNotFound = 53,
    kFileAlreadyOpen = 55,
    kPermissionDenied = 70,
    kPathFileAccessError = 75,
    kPathNotFound = 76,
    kObjectNotSet = 91,
    kInvalidUseOfNull = 94,
    kInvalidPropertyValue = 380,
    kObjectDoesNotSupport = 438,
};

// Errors raised by objects are numbered from this base (513, 514, 515 ... above it).
inline constexpr int kObjectErrorBase = -2147221504;  // 0x80040000

class Error : public std::exception {
public:
    Error(int number, QString source, QString description);

    int number() const noexcept { return number_; }
    const QString& source() const noexcept { return source_; }
    const QString& description() const noexcept { return description_; }
    const char* what() const noexcept override { return what_.c_str(); }

    // The same error passed on under another procedure's name.
    Error withSource(const QString& source) const { return Error(number_, source, description_); }

private:
    int number_;
    QString source_;
    QString description_;
    std::string what_;
};

// The standard text of a runtime error number ("Overflow", "Type mismatch" ...).
QString runtimeErrorText(int number);

// Raises a runtime error; an empty description takes the standard text of the number.
[[noreturn]] void raise(int number, const QString& source = QString(), const QString& description = QString());

}  // namespace vb
