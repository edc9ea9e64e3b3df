// Qt's own texts in Chinese: the standard buttons of a real message box once the translation the
// program installs at start is loaded.
#include "platform/forms/qt_translation.h"
#include "platform/vb/msgbox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The buttons' texts of the message box `buttons` shows, without their keyboard marks.
QStringList buttonTexts(int buttons) {
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        for (QAbstractButton* b : box->buttons()) {
            QString text = b->text();
            text.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
            texts << text;
        }
        box->reject();
    });
    vb::showMessageBoxDialog(QStringLiteral("标题"), QStringLiteral("内容"), buttons);
    return texts;
}

TEST(QtTranslation, MessageBoxButtonsReadInChinese) {
    ASSERT_TRUE(forms::installQtTranslation()) << "qtbase_zh_CN.qm is missing";
    EXPECT_TRUE(forms::installQtTranslation()) << "a second call keeps the one translation";
    QStringList yesNo = buttonTexts(vb::vbYesNo);
    yesNo.sort();
    EXPECT_EQ(yesNo, (QStringList{QStringLiteral("否"), QStringLiteral("是")}));
    EXPECT_EQ(buttonTexts(vb::vbOKOnly), QStringList{QStringLiteral("确定")});
    QStringList okCancel = buttonTexts(vb::vbOKCancel);
    EXPECT_TRUE(okCancel.contains(QStringLiteral("取消"))) << okCancel.join(u',').toStdString();
}

}  // namespace
