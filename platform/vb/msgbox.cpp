#include "platform/vb/msgbox.h"

#include "platform/vb/error.h"
#include "platform/vb/unattended_end.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include <array>
#include <cstdio>

namespace vb {

namespace {

MsgBoxScript* gScript = nullptr;

struct ButtonSet {
    int style;
    std::array<int, 3> results;  // 0 ends the list
};
constexpr std::array kButtonSets{
    ButtonSet{vbOKOnly, {vbOK, 0, 0}},
    ButtonSet{vbOKCancel, {vbOK, vbCancel, 0}},
    ButtonSet{vbAbortRetryIgnore, {vbAbort, vbRetry, vbIgnore}},
    ButtonSet{vbYesNoCancel, {vbYes, vbNo, vbCancel}},
    ButtonSet{vbYesNo, {vbYes, vbNo, 0}},
    ButtonSet{vbRetryCancel, {vbRetry, vbCancel, 0}},
};

struct ButtonLook {
    int result;
    QMessageBox::StandardButton button;
};
constexpr std::array kButtonLooks{
    ButtonLook{vbOK, QMessageBox::Ok},       ButtonLook{vbCancel, QMessageBox::Cancel},
    ButtonLook{vbAbort, QMessageBox::Abort}, ButtonLook{vbRetry, QMessageBox::Retry},
    ButtonLook{vbIgnore, QMessageBox::Ignore}, ButtonLook{vbYes, QMessageBox::Yes},
    ButtonLook{vbNo, QMessageBox::No},
};

QMessageBox::StandardButton standardButton(int result) {
    for (const auto& b : kButtonLooks)
        if (b.result == result) return b.button;
    return QMessageBox::Ok;
}

int resultOf(QMessageBox::StandardButton button) {
    for (const auto& b : kButtonLooks)
        if (b.button == button) return b.result;
    return 0;
}

QMessageBox::Icon iconOf(int buttons) {
    switch (buttons & 0x70) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// The answer when the user closes the box by its frame or Esc.
int escapeAnswer(const QList<int>& offered, int defaultAnswer) {
    if (offered.contains(vbCancel)) return vbCancel;
    if (offered.size() == 1) return offered.front();
    return defaultAnswer;
}

bool headlessDisplay() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

}  // namespace

int showMessageBoxDialog(const QString& title, const QString& text, int buttons) {
    const QList<int> offered = msgBoxButtons(buttons);
    const int defaultAnswer = msgBoxDefaultButton(buttons);
    QMessageBox box(iconOf(buttons), title, text, QMessageBox::NoButton, QApplication::activeWindow());
    for (int r : offered) box.addButton(standardButton(r));
    box.setDefaultButton(standardButton(defaultAnswer));
    box.setEscapeButton(box.button(standardButton(escapeAnswer(offered, defaultAnswer))));
    box.exec();
    const int r = resultOf(box.standardButton(box.clickedButton()));
    return r != 0 ? r : escapeAnswer(offered, defaultAnswer);
}

QString appTitle() {
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QCoreApplication::applicationName() : name;
}

QList<int> msgBoxButtons(int buttons) {
    const int style = buttons & 0x0F;
    for (const auto& set : kButtonSets)
        if (set.style == style) {
            QList<int> out;
            for (int r : set.results)
                if (r != 0) out.append(r);
            return out;
        }
    return {vbOK};
}

int msgBoxDefaultButton(int buttons) {
    const QList<int> offered = msgBoxButtons(buttons);
    const int which = (buttons & 0x300) >> 8;  // 0, 1 or 2
    return which < offered.size() ? offered[which] : offered.front();
}

int MsgBox(const QString& prompt, int buttons, const QString& title) {
    const QString shownTitle = title.isEmpty() ? appTitle() : title;
    if (unattendedEnd()) {
        // No one is there to answer: the text goes where it can be read later.
        const int answer = msgBoxDefaultButton(buttons);
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(shownTitle), qUtf8Printable(prompt));
        std::fflush(stderr);
        addUnattendedNote(prompt);
        return answer;
    }
    if (gScript) return gScript->take(shownTitle, prompt, buttons);
    if (headlessDisplay()) {
        const int answer = msgBoxDefaultButton(buttons);
        qWarning("Message box on a headless display, answered %d: [%s] %s", answer, qUtf8Printable(shownTitle),
                 qUtf8Printable(prompt));
        return answer;
    }
    return showMessageBoxDialog(shownTitle, prompt, buttons);
}

MsgBoxScript::MsgBoxScript() : previous_(gScript) { gScript = this; }

MsgBoxScript::~MsgBoxScript() { gScript = previous_; }

MsgBoxScript& MsgBoxScript::answer(int result) {
    answers_.append(result);
    return *this;
}

int MsgBoxScript::take(const QString& title, const QString& text, int buttons) {
    int result = msgBoxDefaultButton(buttons);
    if (!answers_.isEmpty()) {
        result = answers_.takeFirst();
        if (!msgBoxButtons(buttons).contains(result))
            raise(kInvalidProcedureCall, QStringLiteral("MsgBox"),
                  QStringLiteral("Scripted answer %1 is not a button of the box \"%2\"").arg(result).arg(text));
    }
    shown_.append(MsgBoxRecord{title, text, buttons, result});
    return result;
}

}  // namespace vb
