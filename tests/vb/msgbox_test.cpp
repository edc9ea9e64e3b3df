// The message-box service under a script: answers, records, defaults, and unhandled errors.
#include "platform/vb/error.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/unhandled.h"

#include <QApplication>
#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include "tests/vb/print.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace vb;

namespace {

// Closes a box that a test failed to answer, so that a failing test does not hang.
void armSafetyTimer() {
    QTimer::singleShot(5000, [] {
        if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
}

TEST(VbMsgBoxScript, QueuedAnswersAreReturnedAndEveryBoxIsRecorded) {
    MsgBoxScript script;
    script.answer(vbNo).answer(vbCancel);
    EXPECT_EQ(MsgBox(QStringLiteral("保存修改吗？"), vbYesNo | vbQuestion, QStringLiteral("确认")), vbNo);
    EXPECT_EQ(MsgBox(QStringLiteral("继续？"), vbYesNoCancel), vbCancel);
    ASSERT_EQ(script.count(), 2);
    EXPECT_EQ(script.shown()[0].title, QStringLiteral("确认"));
    EXPECT_EQ(script.shown()[0].text, QStringLiteral("保存修改吗？"));
    EXPECT_EQ(script.shown()[0].buttons, vbYesNo | vbQuestion);
    EXPECT_EQ(script.shown()[0].answer, vbNo);
    EXPECT_EQ(script.last().answer, vbCancel);
    EXPECT_EQ(script.pendingAnswers(), 0);
}

TEST(VbMsgBoxScript, WithoutQueuedAnswersABoxTakesItsDefaultButton) {
    struct Case {
        int buttons;
        int expected;
    };
    const Case cases[] = {
        {vbOKOnly, vbOK},
        {vbOKOnly | vbCritical, vbOK},
        {vbOKCancel, vbOK},
        {vbOKCancel | vbDefaultButton2, vbCancel},
        {vbYesNo, vbYes},
        {vbYesNo | vbDefaultButton2 | vbExclamation, vbNo},
        {vbYesNoCancel | vbDefaultButton3, vbCancel},
        {vbYesNo | vbDefaultButton3, vbYes},  // no third button: the first
        {vbAbortRetryIgnore | vbDefaultButton2, vbRetry},
        {vbRetryCancel, vbRetry},
    };
    MsgBoxScript script;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.buttons);
        EXPECT_EQ(MsgBox(QStringLiteral("x"), c.buttons), c.expected);
    }
}

TEST(VbMsgBoxScript, AnAnswerTheBoxDoesNotOfferIsAnError) {
    MsgBoxScript script;
    script.answer(vbYes);
    try {
        MsgBox(QStringLiteral("文件不全"));
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), kInvalidProcedureCall);
    }
}

TEST(VbMsgBoxScript, AnEmptyTitleIsTheApplicationsTitle) {
    MsgBoxScript script;
    MsgBox(QStringLiteral("No Related Code !"));
    EXPECT_EQ(script.last().title, appTitle());
    EXPECT_FALSE(script.last().title.isEmpty());
}

TEST(VbMsgBoxScript, ScriptsNestAndTheInnerOneAnswers) {
    MsgBoxScript outer;
    {
        MsgBoxScript inner;
        inner.answer(vbNo);
        EXPECT_EQ(MsgBox(QStringLiteral("a"), vbYesNo), vbNo);
        EXPECT_EQ(outer.count(), 0);
    }
    MsgBox(QStringLiteral("b"));
    EXPECT_EQ(outer.count(), 1);
}

TEST(VbMsgBoxButtons, StylesOfferTheirButtonsInOrder) {
    EXPECT_EQ(msgBoxButtons(vbOKOnly), QList<int>({vbOK}));
    EXPECT_EQ(msgBoxButtons(vbOKCancel | vbInformation), QList<int>({vbOK, vbCancel}));
    EXPECT_EQ(msgBoxButtons(vbYesNoCancel | vbQuestion | vbDefaultButton2), QList<int>({vbYes, vbNo, vbCancel}));
    EXPECT_EQ(msgBoxButtons(vbYesNo), QList<int>({vbYes, vbNo}));
}

// The real box: shown modal, with the icon and buttons of the style; a click ends it.
TEST(VbMsgBoxReal, ShowsAQMessageBoxAndReturnsTheClickedButton) {
    QString seenTitle, seenText;
    QMessageBox::Icon seenIcon = QMessageBox::NoIcon;
    int buttonCount = 0;
    armSafetyTimer();
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;  // the safety timer ends the box and the expectations fail
        seenTitle = box->windowTitle();
        seenText = box->text();
        seenIcon = box->icon();
        buttonCount = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(showMessageBoxDialog(QStringLiteral("确认"), QStringLiteral("删除吗？"), vbYesNoCancel | vbQuestion), vbNo);
    EXPECT_EQ(seenTitle, QStringLiteral("确认"));
    EXPECT_EQ(seenText, QStringLiteral("删除吗？"));
    EXPECT_EQ(seenIcon, QMessageBox::Question);
    EXPECT_EQ(buttonCount, 3);
}

TEST(VbMsgBoxReal, EscapeIsCancelWhereThereIsOne) {
    armSafetyTimer();
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->reject();
    });
    EXPECT_EQ(showMessageBoxDialog(QStringLiteral("t"), QStringLiteral("x"), vbYesNoCancel), vbCancel);
    armSafetyTimer();
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->reject();
    });
    EXPECT_EQ(showMessageBoxDialog(QStringLiteral("t"), QStringLiteral("x"), vbYesNo | vbDefaultButton2), vbNo);
}

TEST(VbMsgBoxReal, AnUnscriptedBoxOnAHeadlessDisplayTakesItsDefaultAndDoesNotWait) {
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    EXPECT_EQ(MsgBox(QStringLiteral("x"), vbYesNo | vbDefaultButton2), vbNo);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(VbUnhandledError, IsShownWithNumberAndTextAndTheProgramGoesOn) {
    MsgBoxScript script;
    const bool ok = runGuarded([] { raise(kFileNotFound, QStringLiteral("frmCodeLib::Form_Load")); });
    EXPECT_FALSE(ok);
    ASSERT_EQ(script.count(), 1);
    EXPECT_EQ(script.last().text, QStringLiteral("Run-time error '53':\n\nFile not found"));
    EXPECT_EQ(script.last().buttons, vbOKOnly | vbCritical);
    EXPECT_TRUE(runGuarded([] {}));
    EXPECT_EQ(script.count(), 1);
}

TEST(VbUnhandledError, OtherExceptionsAreShownAsInternalErrors) {
    MsgBoxScript script;
    EXPECT_FALSE(runGuarded([] { throw std::runtime_error("bad state"); }));
    EXPECT_EQ(script.last().text, QStringLiteral("Run-time error '51':\n\nbad state"));
    EXPECT_FALSE(runGuarded([] { throw 42; }));
    EXPECT_EQ(script.last().text, QStringLiteral("Run-time error '51':\n\nInternal error"));
    EXPECT_EQ(toError(std::bad_alloc()).number(), kOutOfMemory);
}

}  // namespace
