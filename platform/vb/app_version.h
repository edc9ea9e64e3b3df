#pragma once
// App.Major, App.Minor and App.Revision: the program's version, set once in the build.
#include <QString>

namespace vb {

inline constexpr int kAppMajor = VEYRA_VERSION_MAJOR;
inline constexpr int kAppMinor = VEYRA_VERSION_MINOR;
inline constexpr int kAppRevision = VEYRA_VERSION_REVISION;

// "1.0.0": Major & "." & Minor & "." & Revision.
inline QString appVersionText() {
    return QStringLiteral("%1.%2.%3").arg(kAppMajor).arg(kAppMinor).arg(kAppRevision);
}

}  // namespace vb
