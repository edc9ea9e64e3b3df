#include "platform/forms/error_report.h"

#include "platform/vb/msgbox.h"
#include "platform/vb/unhandled.h"

namespace forms {

QString errorReportText(const vb::Error& e, const QString& tag) {
    return QString::number(e.number()) + u' ' + e.description() + u' ' + e.source() + tag;
}

void reportError(const vb::Error& e, const QString& tag, const QString& title) {
    vb::MsgBox(errorReportText(e, tag), vb::vbOKOnly, title);
}

void reportError(const std::exception& e, const QString& tag, const QString& title) {
    reportError(vb::toError(e), tag, title);
}

bool reportErrors(const QString& tag, const std::function<void()>& f, const QString& title) {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        reportError(e, tag, title);
    } catch (...) {
        reportError(vb::Error(vb::kInternalError, QString(), vb::runtimeErrorText(vb::kInternalError)), tag, title);
    }
    return false;
}

}  // namespace forms
