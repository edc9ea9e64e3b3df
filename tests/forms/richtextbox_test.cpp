#include "tests/support/error_number.h"
#include "platform/forms/richtextbox.h"

#include "platform/forms/keycodes.h"
#include "platform/vb/codepage936.h"
#include "platform/vb/error.h"
#include "platform/vb/safe_file_writer.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace Qt::StringLiterals;
using forms::RichTextBox;

using testenv::errorOf;

class RichTextBoxTest : public ::testing::Test {
protected:
    void select(int start, int length) {
        box_.setSelStart(start);
        box_.setSelLength(length);
    }
    void select(const QString& text) {
        select(static_cast<int>(box_.text().indexOf(text)), static_cast<int>(text.size()));
    }

    QTemporaryDir dir_;
    RichTextBox box_{u"txtCode"_s};
};

TEST_F(RichTextBoxTest, PositionsInTextSelectThatText) {
    box_.setText(u"第一段 first\r\n第二段\u00A0second\rthird 😀 end"_s);
    EXPECT_EQ(box_.text(), u"第一段 first\n第二段 second\nthird 😀 end"_s);
    for (const QString& piece : {u"first"_s, u"第二段"_s, u"second\nthird"_s, u"😀 end"_s}) {
        select(piece);
        EXPECT_EQ(box_.selText(), piece);
        EXPECT_EQ(box_.selLength(), piece.size());
    }
    box_.setSelStart(1000);
    EXPECT_EQ(box_.selStart(), box_.text().size()) << "the caret is clamped to the end";
    select(0, 1000);
    EXPECT_EQ(box_.selLength(), box_.text().size());
    EXPECT_EQ(errorOf([&] { box_.setSelLength(-1); }), 380);

    select(u"first"_s);
    box_.setSelText(u"1st\r\nline"_s);
    EXPECT_EQ(box_.text(), u"第一段 1st\nline\n第二段 second\nthird 😀 end"_s);
}

struct StyleProperty {
    const char* name;
    void (RichTextBox::*set)(bool);
    std::optional<bool> (RichTextBox::*get)() const;
};

class RichTextBoxStyles : public RichTextBoxTest, public ::testing::WithParamInterface<StyleProperty> {};

TEST_P(RichTextBoxStyles, TrueFalseOrMixedOverTheSelection) {
    const auto [name, set, get] = GetParam();
    box_.setText(u"plain styled 中文"_s);
    select(u"styled"_s);
    (box_.*set)(true);
    EXPECT_EQ((box_.*get)(), true) << name;
    select(u"plain"_s);
    EXPECT_EQ((box_.*get)(), false) << name;
    select(u"plain styled"_s);
    EXPECT_EQ((box_.*get)(), std::nullopt) << name << " is mixed";

    (box_.*set)(true);  // a mixed selection set wholly
    EXPECT_EQ((box_.*get)(), true) << name;
    (box_.*set)(false);
    EXPECT_EQ((box_.*get)(), false) << name;

    // With nothing selected the caret's format is read and set, and typing uses it.
    box_.setSelStart(static_cast<int>(box_.text().size()));
    (box_.*set)(true);
    EXPECT_EQ((box_.*get)(), true) << name;
    QTest::keyClicks(&box_, "x");
    select(static_cast<int>(box_.text().size()) - 1, 1);
    EXPECT_EQ(box_.selText(), "x");
    EXPECT_EQ((box_.*get)(), true) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Styles, RichTextBoxStyles,
    ::testing::Values(StyleProperty{"bold", &RichTextBox::setSelBold, &RichTextBox::selBold},
                      StyleProperty{"italic", &RichTextBox::setSelItalic, &RichTextBox::selItalic},
                      StyleProperty{"underline", &RichTextBox::setSelUnderline, &RichTextBox::selUnderline},
                      StyleProperty{"strikethru", &RichTextBox::setSelStrikethru, &RichTextBox::selStrikethru}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RichTextBoxTest, FontNameSizeAndColourReadMixedWhenTheyDiffer) {
    box_.setText(u"宋体 text and more"_s);
    select(0, 7);
    box_.setSelFontName(u"宋体"_s);
    box_.setSelFontSize(10.5);
    box_.setSelColor(vb::rgb(255, 0, 0));
    EXPECT_EQ(box_.selFontName(), u"宋体"_s);
    EXPECT_EQ(box_.selFontSize(), 10.5);
    EXPECT_EQ(box_.selColor(), vb::rgb(255, 0, 0));

    select(u"text and more"_s);
    EXPECT_EQ(box_.selFontName(), std::nullopt);
    EXPECT_EQ(box_.selFontSize(), std::nullopt);
    EXPECT_EQ(box_.selColor(), std::nullopt);

    select(u"more"_s);
    EXPECT_EQ(box_.selFontName(), box_.document()->defaultFont().family());
    EXPECT_EQ(box_.selColor(), vb::fromQColor(box_.palette().color(QPalette::Text)));

    box_.setSelFontName(QString());  // an empty name (a font not in the list) keeps the font
    EXPECT_EQ(box_.selFontName(), box_.document()->defaultFont().family());
    for (double bad : {0.0, -3.0, 1639.0}) EXPECT_EQ(errorOf([&] { box_.setSelFontSize(bad); }), 380) << bad;
}

TEST_F(RichTextBoxTest, AlignmentAndBulletsOverTheSelectedParagraphs) {
    box_.setText(u"one\ntwo\nthree"_s);
    select(u"two"_s);
    box_.setSelAlignment(forms::rtfCenter);
    box_.setSelBullet(true);
    EXPECT_EQ(box_.selAlignment(), forms::rtfCenter);
    EXPECT_EQ(box_.selBullet(), true);

    select(u"one\ntwo"_s);
    EXPECT_EQ(box_.selAlignment(), std::nullopt);
    EXPECT_EQ(box_.selBullet(), std::nullopt);
    select(u"three"_s);
    EXPECT_EQ(box_.selAlignment(), forms::rtfLeft);
    EXPECT_EQ(box_.selBullet(), false);

    select(0, static_cast<int>(box_.text().size()));
    box_.setSelAlignment(forms::rtfRight);
    box_.setSelBullet(true);
    EXPECT_EQ(box_.selAlignment(), forms::rtfRight);
    EXPECT_EQ(box_.selBullet(), true);
    EXPECT_EQ(box_.document()->begin().textList(), box_.document()->lastBlock().textList()) << "one list";

    box_.setSelBullet(false);
    EXPECT_EQ(box_.selBullet(), false);
    EXPECT_EQ(box_.selIndent(), 0) << "the text moves back to the margin";
}

// A list marker is drawn in its paragraph's own format: it must have the text's size and colour
// when the bullets are set, and the page must look the same once saved and opened again.
TEST_F(RichTextBoxTest, BulletMarkersMatchTheirTextAndLookTheSameWhenReopened) {
    box_.resize(320, 160);
    box_.setText(u"紫微\n天府"_s);
    select(0, static_cast<int>(box_.text().size()));
    box_.setSelFontSize(20);
    box_.setSelColor(vb::rgb(0, 0, 255));
    box_.setSelBullet(true);
    for (QTextBlock b = box_.document()->begin(); b.isValid(); b = b.next()) {
        EXPECT_EQ(b.charFormat().fontPointSize(), 20) << b.text().toStdString();
        EXPECT_EQ(b.charFormat().foreground().color(), QColor(0, 0, 255)) << b.text().toStdString();
    }
    box_.setSelStart(0);
    const QImage shown = box_.grab().toImage();

    const QString path = dir_.filePath("GREENNOTE8.rtf");
    box_.saveFile(path);
    RichTextBox reopened;
    reopened.resize(box_.size());
    reopened.loadFile(path);
    reopened.setSelStart(0);
    EXPECT_EQ(reopened.grab().toImage(), shown) << "the markers and the text look as they did before the save";
}

TEST_F(RichTextBoxTest, IndentsInTwips) {
    box_.setText(u"one\ntwo"_s);
    select(u"one"_s);
    box_.setSelIndent(720);
    box_.setSelHangingIndent(360);
    box_.setSelRightIndent(150);
    EXPECT_EQ(box_.selIndent(), 720);
    EXPECT_EQ(box_.selHangingIndent(), 360);
    EXPECT_EQ(box_.selRightIndent(), 150);
    EXPECT_EQ(box_.document()->begin().blockFormat().leftMargin(), (720 + 360) / 15.0);
    box_.setSelIndent(0);
    EXPECT_EQ(box_.selIndent(), 0);
    EXPECT_EQ(box_.selHangingIndent(), 360) << "moving the first line keeps the hanging indent";

    select(u"one\ntwo"_s);
    EXPECT_EQ(box_.selHangingIndent(), std::nullopt);
    box_.setSelHangingIndent(0);
    EXPECT_EQ(box_.selHangingIndent(), 0);
    EXPECT_EQ(box_.selIndent(), 0);
}

TEST_F(RichTextBoxTest, TabStopsOfTheSelectedParagraphs) {
    box_.setTextRtf("{\\rtf1\\pard\\tx720\\tx1440 a\\tab b\\par\\pard\\tx720 c\\par}");
    select(u"a"_s);
    EXPECT_EQ(box_.selTabs(), (QList<int>{720, 1440}));
    select(u"b\nc"_s);
    EXPECT_EQ(box_.selTabs(), std::nullopt);
}

TEST_F(RichTextBoxTest, BackColorAndLocked) {
    EXPECT_EQ(box_.backColor(), vb::vbWindowBackground);
    box_.setBackColor(vb::rgb(255, 255, 0));
    EXPECT_EQ(box_.backColor(), vb::rgb(255, 255, 0));
    EXPECT_EQ(box_.palette().color(QPalette::Base), QColor(255, 255, 0));

    box_.setText("fixed");
    box_.setLocked(true);
    EXPECT_TRUE(box_.locked());
    box_.setSelStart(5);
    QTest::keyClicks(&box_, "typed");
    EXPECT_EQ(box_.text(), "fixed") << "the user cannot change a locked box";
    QTest::keyClick(&box_, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(box_.selLength(), 1) << "but can still select";
    box_.setSelText("ED");
    EXPECT_EQ(box_.text(), "fixeED") << "code can";
    box_.setLocked(false);
    QTest::keyClicks(&box_, "!");
    EXPECT_EQ(box_.text(), "fixeED!");
}

TEST_F(RichTextBoxTest, RtfFilesRoundTripTheirFormats) {
    box_.setText(u"粗体 and plain"_s);
    select(u"粗体"_s);
    box_.setSelBold(true);
    box_.setSelFontName(u"宋体"_s);
    box_.setSelColor(vb::rgb(0, 0, 255));
    const QString path = dir_.filePath("GREENNOTE7.rtf");
    box_.saveFile(path);

    RichTextBox other;
    other.loadFile(path);
    EXPECT_EQ(other.fileName(), path);
    EXPECT_EQ(other.text(), u"粗体 and plain"_s);
    EXPECT_EQ(other.selStart(), 0);
    other.setSelStart(0);
    other.setSelLength(2);
    EXPECT_EQ(other.selBold(), true);
    EXPECT_EQ(other.selFontName(), u"宋体"_s);
    EXPECT_EQ(other.selColor(), vb::rgb(0, 0, 255));
    EXPECT_FALSE(other.document()->isUndoAvailable()) << "loading starts a new undo history";
}

TEST_F(RichTextBoxTest, TextFilesInCodePage936OrUtf8) {
    const QString ansiPath = dir_.filePath("kli.txt");
    box_.setText(u"紫微\n第二行"_s);
    box_.saveFile(ansiPath, forms::rtfText);
    QFile f(ansiPath);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), vb::toCp936(u"紫微\r\n第二行"_s));
    f.close();

    const QString utf8Path = dir_.filePath("wide.txt");
    box_.setText(u"한국어 and 中文"_s);  // Hangul has no code in 936: written as UTF-8
    box_.saveFile(utf8Path, forms::rtfText);

    RichTextBox reader;
    reader.loadFile(ansiPath, forms::rtfText);
    EXPECT_EQ(reader.text(), u"紫微\n第二行"_s);
    reader.loadFile(utf8Path, forms::rtfText);
    EXPECT_EQ(reader.text(), u"한국어 and 中文"_s);
    reader.loadFile(ansiPath);  // an RTF load of a text file reads it as text
    EXPECT_EQ(reader.text(), u"紫微\n第二行"_s);
}

TEST_F(RichTextBoxTest, FileErrorsLeaveTheContentAndNameTheFile) {
    box_.setText("keep");
    const QString missing = dir_.filePath("missing.rtf");
    EXPECT_EQ(errorOf([&] { box_.loadFile(missing); }), 53);
    EXPECT_EQ(errorOf([&] { box_.loadFile(dir_.path()); }), 75) << "a folder is no file";
    EXPECT_EQ(box_.text(), "keep");
    EXPECT_EQ(errorOf([&] { box_.saveFile(dir_.filePath("no/such/folder/x.rtf")); }), 76);
    EXPECT_EQ(errorOf([&] { box_.saveFile(dir_.path()); }), 75);
    for (const auto& fail : std::initializer_list<std::function<void()>>{
             [&] { box_.loadFile(missing); }, [&] { box_.loadFile(dir_.path()); }, [&] { box_.saveFile(dir_.path()); }}) {
        try {
            fail();
            ADD_FAILURE();
        } catch (const vb::Error& e) {
            EXPECT_TRUE(e.description().startsWith(vb::runtimeErrorText(e.number()) + ": " + dir_.path()))
                << "the error's own text and the file: " << e.description().toStdString();
        }
    }
}

// Whether the file was read whole, so that saving over it loses nothing.
TEST_F(RichTextBoxTest, LoadTellsWhetherTheFileWasReadWhole) {
    const struct {
        const char* name;
        QByteArray bytes;
        bool whole;
    } cases[] = {
        {"rtf", "{\\rtf1 a\\par b}", true},
        {"empty", "", true},
        {"cut off", "{\\rtf1 a\\par b", false},
        {"text after a stray brace", "{\\rtf1 a}b c", false},
        {"binary past the end", "{\\rtf1 a\\bin99 bc}", false},
        {"plain text", "just text\n", false},
        {"UTF-16", QByteArray("\xFF\xFE" "a\0b\0", 6), false},
    };
    const int tab = 123;
    box_.setTabStopDistance(tab);
    for (const auto& c : cases) {
        QFile f(dir_.filePath("page.rtf"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.bytes);
        f.close();
        box_.loadFile(f.fileName());
        EXPECT_EQ(box_.loadedWhole(), c.whole) << c.name;
        EXPECT_FALSE(box_.document()->isModified()) << c.name;
        EXPECT_EQ(box_.tabStopDistance(), tab) << "the editor's settings stay: " << c.name;
    }
}

TEST_F(RichTextBoxTest, ASavedPageKeepsItsModeAndAFullDiskIsSaidAsSuch) {
    const QString path = dir_.filePath("GREENNOTE3.rtf");
    box_.setText("first");
    box_.saveFile(path);
    const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(path, mode));
    box_.setText("second");
    box_.saveFile(path);
    EXPECT_EQ(QFile::permissions(path) & 0x7077, mode & 0x7077);

    vb::SafeFileWriter::setFaultHook([](const QString&, qint64) { return false; });
    box_.setText("third");
    try {
        box_.saveFile(path);
        ADD_FAILURE() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), 61);
        EXPECT_EQ(e.description(), "Disk full: " + path);
    }
    vb::SafeFileWriter::setFaultHook({});
    RichTextBox reader;
    reader.loadFile(path);
    EXPECT_EQ(reader.text(), "second") << "the page on disk stays whole";
}

int pdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    return static_cast<int>(QString::fromLatin1(f.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

TEST_F(RichTextBoxTest, SelPrintPrintsTheSelectionOrEverything) {
    QStringList paragraphs;
    for (int i = 0; i < 150; ++i) paragraphs << QStringLiteral("paragraph %1 紫微斗数").arg(i);
    box_.setText(paragraphs.join(u'\n'));

    auto print = [&](const QString& name) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir_.filePath(name));
        box_.selPrint(printer);
        return pdfPages(dir_.filePath(name));
    };
    const int all = print("all.pdf");
    EXPECT_GT(all, 1);
    select(u"paragraph 3 紫微斗数"_s);
    EXPECT_EQ(print("selection.pdf"), 1);
    EXPECT_EQ(box_.selText(), u"paragraph 3 紫微斗数"_s) << "printing leaves the selection";

    QPrinter broken;
    broken.setOutputFormat(QPrinter::PdfFormat);
    broken.setOutputFileName(dir_.filePath("no/such/folder/x.pdf"));
    EXPECT_EQ(errorOf([&] { box_.selPrint(broken); }), 482);
}

TEST_F(RichTextBoxTest, PrintedPagesHaveUsualMargins) {
    box_.setText(u"紫微斗数"_s);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir_.filePath("margins.pdf"));
    printer.setPageMargins(QMarginsF(4, 4, 4, 4), QPageLayout::Millimeter);  // a printer's narrow default
    box_.selPrint(printer);
    const QMarginsF m = printer.pageLayout().margins(QPageLayout::Millimeter);
    for (double side : {m.left(), m.top(), m.right(), m.bottom()}) EXPECT_GE(side, 19.9);
}

TEST_F(RichTextBoxTest, KeyAndMouseEventsWithTheirCodes) {
    QSignalSpy down(&box_, &RichTextBox::keyDown);
    QSignalSpy up(&box_, &RichTextBox::keyUp);
    QSignalSpy mouseUp(&box_, &RichTextBox::mouseUp);
    QTest::keyClick(&box_, Qt::Key_Escape);
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down[0][0].toInt(), forms::vbKeyEscape);
    ASSERT_EQ(up.count(), 1);
    EXPECT_EQ(up[0][0].toInt(), forms::vbKeyEscape);

    QTest::mouseClick(box_.viewport(), Qt::LeftButton, Qt::ShiftModifier, QPoint(4, 4));
    ASSERT_EQ(mouseUp.count(), 1);
    const auto args = mouseUp[0][0].value<forms::MouseArgs>();
    EXPECT_EQ(args.button, forms::vbLeftButton);
    EXPECT_EQ(args.shift, forms::vbShiftMask);
    EXPECT_EQ(args.x, 60);

    // A character committed by an input method ends like a key release.
    QInputMethodEvent commit;
    commit.setCommitString(u"中"_s);
    QCoreApplication::sendEvent(&box_, &commit);
    EXPECT_EQ(box_.text(), u"中"_s);
    ASSERT_EQ(up.count(), 2);
    EXPECT_EQ(up[1][0].toInt(), 0);
}

}  // namespace
