#pragma once
// Readable test output for Qt values.
#include <QString>

#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
// So that a QString can follow a failed expectation: EXPECT_TRUE(ok) << path.
inline std::ostream& operator<<(std::ostream& os, const QString& s) { return os << s.toStdString(); }
