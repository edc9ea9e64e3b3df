#include "platform/vb/unhandled.h"

#include "platform/vb/msgbox.h"

#include <new>

namespace vb {

QString unhandledErrorText(const Error& e) {
    return QStringLiteral("Run-time error '%1':\n\n%2").arg(e.number()).arg(e.description());
}

Error toError(const std::exception& e) {
    if (const auto* err = dynamic_cast<const Error*>(&e)) return *err;
    if (dynamic_cast<const std::bad_alloc*>(&e)) return Error(kOutOfMemory, QString(), runtimeErrorText(kOutOfMemory));
    return Error(kInternalError, QString(), QString::fromLocal8Bit(e.what()));
}

void showUnhandledError(const Error& e) { MsgBox(unhandledErrorText(e), vbOKOnly | vbCritical); }

void showUnhandledError(const std::exception& e) { showUnhandledError(toError(e)); }

bool runGuarded(const std::function<void()>& f) {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        showUnhandledError(e);
    } catch (...) {
        showUnhandledError(Error(kInternalError, QString(), runtimeErrorText(kInternalError)));
    }
    return false;
}

}  // namespace vb
