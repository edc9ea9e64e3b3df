#include "tests/support/error_number.h"
#include "platform/forms/common_dialog.h"

#include "platform/vb/error.h"

#include <QPrinter>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace Qt::StringLiterals;
using forms::DialogAnswer;
using forms::DialogKind;

using testenv::errorOf;

class CommonDialogTest : public ::testing::Test {
protected:
    QWidget window_;
    forms::CommonDialog* dialog_ = new forms::CommonDialog(u"dlgCommonDialog1"_s, &window_);
    forms::DialogScript script_;
};

TEST_F(CommonDialogTest, TheWindowFindsItsDialogByName) {
    EXPECT_EQ(window_.findChild<forms::CommonDialog*>(u"dlgCommonDialog1"_s), dialog_);
}

TEST_F(CommonDialogTest, OpenAsksWithTheSettingsAndReturnsTheChoice) {
    dialog_->setDialogTitle(u"打开"_s);
    dialog_->setFilter(u"Rich Text File (*.rtf)|*.rtf"_s);
    dialog_->setInitDir(u"/tmp"_s);
    script_.answer(DialogAnswer::open(u"/tmp/a.rtf"_s, true));
    dialog_->showOpen();
    ASSERT_EQ(script_.count(), 1);
    EXPECT_EQ(script_.last().kind, DialogKind::Open);
    EXPECT_EQ(script_.last().title, u"打开"_s);
    EXPECT_EQ(script_.last().filter, u"Rich Text File (*.rtf)|*.rtf"_s);
    EXPECT_EQ(script_.last().initDir, u"/tmp"_s);
    EXPECT_EQ(dialog_->fileName(), u"/tmp/a.rtf"_s);
    EXPECT_TRUE(dialog_->flags() & forms::cdlOFNReadOnly);

    script_.answer(DialogAnswer::open(u"/tmp/b.rtf"_s));
    dialog_->showOpen();
    EXPECT_EQ(dialog_->fileName(), u"/tmp/b.rtf"_s);
    EXPECT_FALSE(dialog_->flags() & forms::cdlOFNReadOnly) << "the read-only tick is cleared when not chosen";
}

TEST_F(CommonDialogTest, CancelChangesNothingAndRaisesOnlyWithCancelError) {
    dialog_->setFileName(u"before.rtf"_s);
    dialog_->showOpen();  // nothing queued: Cancel
    EXPECT_EQ(dialog_->fileName(), u"before.rtf"_s);
    dialog_->setCancelError(true);
    try {
        dialog_->showOpen();
        ADD_FAILURE() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), forms::cdlCancel);
        EXPECT_EQ(e.description(), u"Cancel was selected."_s);
    }
    EXPECT_EQ(dialog_->fileName(), u"before.rtf"_s);
}

TEST_F(CommonDialogTest, PrinterReturnsTheSelectionChoiceAndAPrinter) {
    dialog_->setFlags(forms::cdlPDReturnDC | forms::cdlPDNoPageNums | forms::cdlPDSelection);
    script_.answer(DialogAnswer::printer(u"/tmp/out.pdf"_s, false));
    dialog_->showPrinter();
    EXPECT_EQ(script_.last().flags, 265);
    EXPECT_EQ(dialog_->flags(), 264) << "the selection was not chosen";
    EXPECT_EQ(dialog_->printer().outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(dialog_->printer().outputFileName(), u"/tmp/out.pdf"_s);

    script_.answer(DialogAnswer::printer(u"/tmp/out.pdf"_s, true));
    dialog_->showPrinter();
    EXPECT_EQ(dialog_->flags(), 265);
}

TEST_F(CommonDialogTest, FontAndColourResults) {
    script_.answer(DialogAnswer::font(u"宋体"_s, 10.5, true, false, true))
        .answer(DialogAnswer::colour(vb::rgb(1, 2, 3)));
    dialog_->showFont();
    EXPECT_EQ(dialog_->fontName(), u"宋体"_s);
    EXPECT_EQ(dialog_->fontSize(), 10.5);
    EXPECT_TRUE(dialog_->fontBold());
    EXPECT_FALSE(dialog_->fontItalic());
    EXPECT_TRUE(dialog_->fontUnderline());
    dialog_->showColor();
    EXPECT_EQ(dialog_->color(), vb::rgb(1, 2, 3));
}

TEST_F(CommonDialogTest, TheFontAndPrintDialogsKeepTheirOwnTitlesAfterAFileDialog) {
    dialog_->setDialogTitle(u"Import Data From File :"_s);
    script_.answer(DialogAnswer::open(u"/tmp/a.vcl"_s))
        .answer(DialogAnswer::font(u"宋体"_s, 9, false, false, false))
        .answer(DialogAnswer::printer(u"/tmp/out.pdf"_s, false));
    dialog_->showOpen();
    EXPECT_EQ(script_.last().title, u"Import Data From File :"_s);
    dialog_->showFont();
    EXPECT_EQ(script_.last().title, u"字体"_s);
    dialog_->showPrinter();
    EXPECT_EQ(script_.last().title, u"打印"_s);
}

TEST_F(CommonDialogTest, AnAnswerForAnotherDialogIsAnError) {
    script_.answer(DialogAnswer::colour(0));
    EXPECT_EQ(errorOf([&] { dialog_->showOpen(); }), 5);
}

TEST(CommonDialogs, ChooseColorAndScriptsThatNest) {
    forms::DialogScript outer;
    outer.answer(DialogAnswer::colour(vb::rgb(255, 0, 0)));
    {
        forms::DialogScript inner;
        inner.answer(DialogAnswer::cancel());
        EXPECT_EQ(forms::chooseColor(nullptr), std::nullopt);
        EXPECT_EQ(inner.count(), 1);
        EXPECT_EQ(inner.last().kind, DialogKind::Color);
        EXPECT_EQ(inner.last().flags, 0);
    }
    EXPECT_EQ(forms::chooseColor(nullptr), vb::rgb(255, 0, 0));
    EXPECT_EQ(outer.count(), 1);
}

TEST(CommonDialogs, ChooseFolder) {
    forms::DialogScript script;
    script.answer(DialogAnswer::folder(u"/srv/library"_s));
    EXPECT_EQ(forms::chooseFolder(nullptr, u"选择文件夹"_s), u"/srv/library"_s);
    EXPECT_EQ(script.last().title, u"选择文件夹"_s);
    EXPECT_EQ(forms::chooseFolder(nullptr, u"again"_s), QString()) << "cancelled";
}

TEST(CommonDialogs, NameFiltersInQtForm) {
    struct Case {
        QString filter;
        QStringList expected;
    };
    const Case cases[] = {
        {u"Rich Text File (*.rtf)|*.rtf"_s, {u"Rich Text File (*.rtf)"_s}},
        {u"Text|*.txt|All files|*.*"_s, {u"Text (*.txt)"_s, u"All files (*.*)"_s}},
        {u"Pictures|*.bmp;*.jpg"_s, {u"Pictures (*.bmp *.jpg)"_s}},
        {u""_s, {}},
        {u"dangling"_s, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(forms::nameFilters(c.filter), c.expected) << c.filter.toStdString();
}

}  // namespace
