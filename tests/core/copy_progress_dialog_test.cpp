#include "core/copy_progress_dialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(CopyProgressDialogTest, ShowsTheFileAndProgressAndCancelsOnButtonOrEscape) {
    core::CopyProgressDialog dialog;
    EXPECT_EQ(core::CopyProgressDialog::current(), nullptr);
    dialog.start(2, qint64(3) << 30);  // beyond the int range of a bar counting bytes
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(core::CopyProgressDialog::current(), &dialog);
    dialog.startFile(QStringLiteral("/w/GREENNOTE1.rtf"), QStringLiteral("/b/GREENNOTE1.rtf"));
    EXPECT_TRUE(dialog.findChild<QLabel*>(QStringLiteral("lblFile"))->text().contains(QStringLiteral("GREENNOTE1.rtf")));
    dialog.advance(qint64(3) << 29);
    const auto* bar = dialog.findChild<QProgressBar*>(QStringLiteral("barProgress"));
    EXPECT_EQ(bar->value(), bar->maximum() / 2);
    EXPECT_FALSE(dialog.cancelRequested());

    dialog.reject();  // Esc or the close box
    EXPECT_TRUE(dialog.cancelRequested());
    EXPECT_TRUE(dialog.isVisible());  // the copy closes it when it has stopped

    dialog.start(1, 10);
    EXPECT_FALSE(dialog.cancelRequested());
    dialog.cancelButton()->click();
    EXPECT_TRUE(dialog.cancelRequested());
}

}  // namespace
