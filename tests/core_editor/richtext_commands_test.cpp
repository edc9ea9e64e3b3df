#include "core/richtext_commands.h"

#include "platform/vb/error.h"
#include "tests/core_editor/editor_fixture.h"
#include "tests/support/test_env.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTreeWidget>

#include <functional>

namespace {

using namespace Qt::StringLiterals;
using core::ButtonBar;
using editortest::EditorTest;
using forms::DialogAnswer;

// --- Alignment ---------------------------------------------------------------------------------

struct AlignmentCase {
    int16_t argument;
    std::optional<forms::RtfAlignment> alignment;  // none: nothing changes
    QStringList pictures;                          // left, centre, right
};

class SetAlignmentTest : public EditorTest, public ::testing::WithParamInterface<AlignmentCase> {};

TEST_P(SetAlignmentTest, ShowsTheButtonsAndAlignsTheSelectedParagraphs) {
    const AlignmentCase& c = GetParam();
    box().setText(u"one\ntwo\nthree"_s);
    select(u"one\ntwo"_s);
    QWidget anyWindow;  // the window argument is not used
    core::SetAlignment(&anyWindow, c.argument);
    if (!c.alignment) {
        EXPECT_TRUE(main_.pictureLog().isEmpty());
        EXPECT_EQ(box().selAlignment(), forms::rtfLeft);
        return;
    }
    EXPECT_EQ(main_.pictureLog(), (QStringList{"A 0 " + c.pictures[0], "A 1 " + c.pictures[1], "A 2 " + c.pictures[2]}))
        << "left, centre, right in this order";
    EXPECT_EQ(box().selAlignment(), c.alignment);
    select(u"three"_s);
    EXPECT_EQ(box().selAlignment(), forms::rtfLeft);
}

INSTANTIATE_TEST_SUITE_P(Arguments, SetAlignmentTest,
                         ::testing::Values(AlignmentCase{0, forms::rtfLeft, {"left_d", "center_u", "right_u"}},
                                           AlignmentCase{1, forms::rtfCenter, {"left_u", "center_d", "right_u"}},
                                           AlignmentCase{2, forms::rtfRight, {"left_u", "center_u", "right_d"}},
                                           AlignmentCase{3, std::nullopt, {}}, AlignmentCase{-1, std::nullopt, {}}));

// --- Bold, italic, underline -------------------------------------------------------------------

struct StyleCase {
    const char* name;
    void (*toggle)(QWidget*, const vb::Variant&);
    std::optional<bool> (forms::RichTextBox::*get)() const;
    void (forms::RichTextBox::*set)(bool);
    int button;
};

class ToggleStyleTest : public EditorTest, public ::testing::WithParamInterface<StyleCase> {};

TEST_P(ToggleStyleTest, MixedBecomesWhollyOnThenOff) {
    const StyleCase& c = GetParam();
    const QString pressed = QString::fromLatin1(c.name) + "_d";
    const QString released = QString::fromLatin1(c.name) + "_u";
    box().setText(u"partly styled text"_s);
    select(u"styled"_s);
    (box().*c.set)(true);
    select(u"partly styled"_s);
    ASSERT_EQ((box().*c.get)(), std::nullopt);

    c.toggle(nullptr, {});
    EXPECT_EQ((box().*c.get)(), true);
    EXPECT_EQ(main_.shown(ButtonBar::FontStyle, c.button), pressed);
    c.toggle(nullptr, {});
    EXPECT_EQ((box().*c.get)(), false);
    EXPECT_EQ(main_.shown(ButtonBar::FontStyle, c.button), released);
    c.toggle(nullptr, vb::Variant::null());  // Null counts as no force
    EXPECT_EQ((box().*c.get)(), true);
}

TEST_P(ToggleStyleTest, ForceKeepsItOn) {
    const StyleCase& c = GetParam();
    box().setText(u"all styled"_s);
    select(u"all styled"_s);
    (box().*c.set)(true);
    c.toggle(nullptr, true);
    EXPECT_EQ((box().*c.get)(), true);
    EXPECT_EQ(main_.shown(ButtonBar::FontStyle, c.button), QString::fromLatin1(c.name) + "_d");
    c.toggle(nullptr, false);  // a false force toggles as none does
    EXPECT_EQ((box().*c.get)(), false);
}

INSTANTIATE_TEST_SUITE_P(Styles, ToggleStyleTest,
                         ::testing::Values(StyleCase{"bold", core::ToggleBold, &forms::RichTextBox::selBold,
                                                     &forms::RichTextBox::setSelBold, 0},
                                           StyleCase{"italic", core::ToggleItalic, &forms::RichTextBox::selItalic,
                                                     &forms::RichTextBox::setSelItalic, 1},
                                           StyleCase{"underline", core::ToggleUnderline,
                                                     &forms::RichTextBox::selUnderline,
                                                     &forms::RichTextBox::setSelUnderline, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Bullets -----------------------------------------------------------------------------------

TEST_F(EditorTest, BulletsOnForMixedParagraphsAndOffToPlainOnes) {
    // A page as WordPad writes bullets: hanging from 720 twips.
    box().setTextRtf(
        "{\\rtf1\\pard{\\pntext\\'b7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'b7}}\\fi-720\\li720 one\\par"
        "\\pard two\\par three\\par}");
    select(u"one\ntwo"_s);
    ASSERT_EQ(box().selBullet(), std::nullopt);
    core::ToggleBullet(nullptr);
    EXPECT_EQ(box().selBullet(), true);
    EXPECT_TRUE(main_.pictureLog().isEmpty()) << "no button changes";

    core::ToggleBullet(nullptr);
    EXPECT_EQ(box().selBullet(), false);
    EXPECT_EQ(box().selHangingIndent(), 0);
    EXPECT_EQ(box().selIndent(), std::nullopt) << "each paragraph keeps its own indent";
    select(u"two"_s);
    EXPECT_EQ(box().selIndent(), 0);
    select(u"three"_s);
    EXPECT_EQ(box().selBullet(), false) << "untouched";
}

// --- Colours -----------------------------------------------------------------------------------

TEST_F(EditorTest, ColourDialogSetsTextOrBackgroundAndCancelChangesNothing) {
    box().setText(u"红色 text"_s);
    select(u"红色"_s);
    dialogs_.answer(DialogAnswer::colour(vb::rgb(255, 0, 0))).answer(DialogAnswer::cancel());
    core::ChooseTextColor();
    EXPECT_EQ(box().selColor(), vb::rgb(255, 0, 0));
    core::ChooseTextColor();
    EXPECT_EQ(box().selColor(), vb::rgb(255, 0, 0));
    ASSERT_EQ(dialogs_.count(), 2);
    EXPECT_EQ(dialogs_.last().kind, forms::DialogKind::Color);
    EXPECT_EQ(dialogs_.last().flags, 0) << "no initial colour, basic view";

    dialogs_.answer(DialogAnswer::colour(vb::rgb(255, 255, 224)));
    core::ChooseBackColor();
    EXPECT_EQ(box().backColor(), vb::rgb(255, 255, 224));
    EXPECT_EQ(box().selColor(), vb::rgb(255, 0, 0)) << "the text keeps its colour";
    core::ChooseBackColor();  // cancelled
    EXPECT_EQ(box().backColor(), vb::rgb(255, 255, 224));
}

// --- Opening a file ----------------------------------------------------------------------------

class OpenRtfFileTest : public EditorTest {
protected:
    QString write(const QString& name, const QByteArray& content) {
        QFile f(dir_.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return f.fileName();
    }
    void SetUp() override { box().setText(u"previous page"_s); }
};

TEST_F(OpenRtfFileTest, RtfNamesInAnyCaseLoadWithoutAQuestion) {
    for (const QString& name : {u"NOTES.Rtf"_s, u"notes.rtf"_s}) {
        const QString path = write(name, "{\\rtf1 loaded \\b " + name.toUtf8() + "}");
        dialogs_.answer(DialogAnswer::open(path));
        core::OpenRtfFile();
        EXPECT_EQ(box().text(), "loaded " + name);
        EXPECT_EQ(boxes_.count(), 0);
        EXPECT_FALSE(box().isHidden());
        EXPECT_FALSE(box().locked());
    }
    EXPECT_EQ(dialogs_.last().filter, u"Rich Text File (*.rtf)|*.rtf"_s);
}

TEST_F(OpenRtfFileTest, OtherNamesAskFirst) {
    const QString path = write(u"notes.txt"_s, "plain notes");
    dialogs_.answer(DialogAnswer::open(path)).answer(DialogAnswer::open(path));
    boxes_.answer(vb::vbNo).answer(vb::vbYes);
    core::OpenRtfFile();
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, u"Do you want to open the file anyway?"_s);
    EXPECT_EQ(boxes_.last().title, u"This May Not Be A Rich Text File"_s);
    EXPECT_EQ(boxes_.last().buttons & 7, vb::vbYesNo);
    EXPECT_EQ(box().text(), u"previous page"_s) << "No leaves the editor untouched";

    core::OpenRtfFile();
    EXPECT_EQ(box().text(), u"plain notes"_s);
}

TEST_F(OpenRtfFileTest, ReadOnlyChoiceLocksTheEditorAndOtherwiseLeavesItsState) {
    const QString path = write(u"a.rtf"_s, "{\\rtf1 locked}");
    dialogs_.answer(DialogAnswer::open(path, true)).answer(DialogAnswer::open(path, false));
    core::OpenRtfFile();
    EXPECT_TRUE(box().locked());
    core::OpenRtfFile();
    EXPECT_TRUE(box().locked()) << "a file opened without the option leaves the state as it was";
}

TEST_F(OpenRtfFileTest, CancelOrAFailedLoadKeepsThePageAndShowsTheEditor) {
    main_.dlgCommonDialog1().setDialogTitle(u"earlier title"_s);
    core::OpenRtfFile();  // nothing queued: cancelled
    EXPECT_EQ(box().text(), u"previous page"_s);
    EXPECT_EQ(dialogs_.last().title, u"earlier title"_s) << "the shared control keeps its title";

    dialogs_.answer(DialogAnswer::open(dir_.filePath("gone.rtf")));
    core::OpenRtfFile();
    EXPECT_EQ(box().text(), u"previous page"_s);
    EXPECT_FALSE(box().isHidden());
    EXPECT_EQ(boxes_.count(), 0) << "no message";
}

// --- Printing ----------------------------------------------------------------------------------

int pdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return 0;
    return static_cast<int>(QString::fromLatin1(f.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

class PrintRichTextTest : public EditorTest {
protected:
    void SetUp() override {
        QStringList lines;
        for (int i = 0; i < 150; ++i) lines << QStringLiteral("line %1 命宫").arg(i);
        box().setText(lines.join(u'\n'));
    }
    QString pdf(const char* name) { return dir_.filePath(QString::fromLatin1(name)); }
};

TEST_F(PrintRichTextTest, WithASelectionTheChoiceIsPresetAndPrintsIt) {
    select(u"line 7 命宫"_s);
    dialogs_.answer(DialogAnswer::printer(pdf("sel.pdf"), true));
    core::PrintRichText(main_.window(), &box());
    EXPECT_EQ(dialogs_.last().kind, forms::DialogKind::Printer);
    EXPECT_EQ(dialogs_.last().flags, 265);
    EXPECT_EQ(pdfPages(pdf("sel.pdf")), 1);
    EXPECT_EQ(boxes_.count(), 0);
}

TEST_F(PrintRichTextTest, PrintingEverythingClearsTheSelectionFirst) {
    select(u"line 7 命宫"_s);
    const int start = box().selStart();
    dialogs_.answer(DialogAnswer::printer(pdf("all.pdf"), false));
    core::PrintRichText(main_.window(), &box());
    EXPECT_GT(pdfPages(pdf("all.pdf")), 1);
    EXPECT_EQ(box().selLength(), 0);
    EXPECT_EQ(box().selStart(), start) << "the caret stays where the selection began";
}

TEST_F(PrintRichTextTest, WithoutASelectionTheChoiceIsNotOffered) {
    box().setSelStart(0);
    dialogs_.answer(DialogAnswer::printer(pdf("none.pdf"), true));
    core::PrintRichText(main_.window(), &box());
    EXPECT_EQ(dialogs_.last().flags, 264 | forms::cdlPDNoSelection);
    EXPECT_FALSE(QFile::exists(pdf("none.pdf"))) << "a selection choice without a selection prints nothing";
}

TEST_F(PrintRichTextTest, CancelIsSilentAndOtherFailuresAreReported) {
    core::PrintRichText(main_.window(), &box());  // cancelled
    EXPECT_EQ(boxes_.count(), 0);

    dialogs_.answer(DialogAnswer::printer(dir_.filePath("no/such/folder/x.pdf")));
    core::PrintRichText(main_.window(), &box());
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().title, u"CodeModule::PrintRichText"_s);
    EXPECT_TRUE(boxes_.last().text.startsWith(u"482 Printer error"_s)) << boxes_.last().text.toStdString();

    QWidget bare;  // a window without the dialog control
    core::PrintRichText(&bare, &box());
    ASSERT_EQ(boxes_.count(), 2);
    EXPECT_TRUE(boxes_.last().text.startsWith(u"730 "_s)) << boxes_.last().text.toStdString();
}

TEST_F(PrintRichTextTest, OtherWindowsPrintWithTheirOwnDialogControl) {
    QWidget enlarged;
    new forms::CommonDialog(u"dlgCommonDialog1"_s, &enlarged);
    auto* txtFd = new forms::RichTextBox(u"TxtFd"_s, &enlarged);
    txtFd->setText(u"放大的文字"_s);
    dialogs_.answer(DialogAnswer::printer(pdf("fd.pdf")));
    core::PrintRichText(&enlarged, txtFd);
    EXPECT_EQ(pdfPages(pdf("fd.pdf")), 1);
    EXPECT_EQ(main_.dlgCommonDialog1().flags(), 0) << "the main window's control is not used";
}

// --- Font boxes --------------------------------------------------------------------------------

TEST_F(EditorTest, SyncFontCombosSelectsTheNameAndTheSize) {
    struct Case {
        QString size;
        int index;
    };
    const Case cases[] = {{"6", 0},   {"12", 6},   {"10.5", 4}, {"11.5", 6},  {"70", 64},
                          {"72", -1}, {"5.9", -1}, {"abc", -1}, {" 9 pt", 3}, {"", -1}};
    QSignalSpy sizeClicks(&main_.cboSizeCombo(), &forms::ComboBox::clicked);
    for (const auto& c : cases) {
        main_.cboSizeCombo().setListIndex(30);
        sizeClicks.clear();
        core::SyncFontCombos(u"宋体"_s, c.size);
        EXPECT_EQ(main_.cboSizeCombo().listIndex(), c.index) << c.size.toStdString();
        EXPECT_EQ(sizeClicks.count(), c.index == 30 ? 0 : 1) << "the box's selection handler runs";
    }
    EXPECT_EQ(main_.cboFontCombo().text(), u"宋体"_s);
    core::SyncFontCombos(u"simsun"_s, u"12"_s);
    EXPECT_EQ(main_.cboFontCombo().text(), u"宋体"_s) << "a name differing in case is not found";
    core::SyncFontCombos(u"SimSun"_s, u"12"_s);
    EXPECT_EQ(main_.cboFontCombo().text(), u"SimSun"_s);
}

// --- Clipboard ---------------------------------------------------------------------------------

class ClipboardTest : public EditorTest {
protected:
    void SetUp() override {
        main_.window()->show();
        QApplication::setActiveWindow(main_.window());
    }
};

TEST_F(ClipboardTest, CommandsActInTheFocusedEditorAfterReturning) {
    box().setText(u"cut me here"_s);
    box().setFocus();
    ASSERT_EQ(QApplication::focusWidget(), &box());
    select(u"cut me "_s);
    core::EditCut();
    EXPECT_EQ(box().text(), u"cut me here"_s) << "queued: nothing happens before the editor's events";
    QCoreApplication::processEvents();
    EXPECT_EQ(box().text(), u"here"_s);
    EXPECT_EQ(QApplication::clipboard()->text(), u"cut me "_s);

    box().setSelStart(static_cast<int>(box().text().size()));
    core::EditPaste();
    QCoreApplication::processEvents();
    EXPECT_EQ(box().text(), u"herecut me "_s);

    select(u"here"_s);
    core::EditCopy();
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::clipboard()->text(), u"here"_s);
}

// Counts the keys a widget receives.
class KeyCounter : public QObject {
public:
    int keys = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress || e->type() == QEvent::ShortcutOverride) ++keys;
        return false;
    }
};

TEST_F(ClipboardTest, ATreeWithTheFocusNeverSeesTheCut) {
    auto* tree = new QTreeWidget(main_.window());
    new QTreeWidgetItem(tree, {u"item"_s});
    tree->show();
    tree->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), tree);
    KeyCounter counter;
    tree->installEventFilter(&counter);
    QApplication::clipboard()->setText(u"kept"_s);
    core::EditCut();
    core::EditCopy();
    core::EditPaste();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.keys, 0);
    EXPECT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(QApplication::clipboard()->text(), u"kept"_s);
}

// --- The main window and its pictures ------------------------------------------------------------

TEST(EditorCommands, WithoutAMainWindowTheyRaise91) {
    const std::function<void()> commands[] = {
        [] { core::SetAlignment(nullptr, 0); },
        [] { core::ToggleBold(nullptr); },
        [] { core::ToggleBullet(nullptr); },
        [] { core::ChooseTextColor(); },
        [] { core::OpenRtfFile(); },
        [] { core::SyncFontCombos("a", "9"); },
    };
    for (const auto& command : commands) {
        try {
            command();
            ADD_FAILURE() << "no error";
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number(), 91);
        }
    }
}

TEST(ButtonPictures, TwelvePicturesPressedAndReleased) {
    for (const auto& keys : core::kButtonPictureKeys) {
        const QImage pressed(testenv::sourceDir() + "/data/pictures/" + keys.pressed + ".png");
        const QImage released(testenv::sourceDir() + "/data/pictures/" + keys.released + ".png");
        ASSERT_FALSE(pressed.isNull()) << keys.pressed;
        ASSERT_FALSE(released.isNull()) << keys.released;
        EXPECT_EQ(pressed.size(), QSize(22, 21)) << keys.pressed;
        EXPECT_EQ(released.size(), QSize(22, 21)) << keys.released;
        EXPECT_LE(pressed.colorCount(), 16) << keys.pressed;
        EXPECT_NE(pressed, released) << keys.pressed;
    }
}

}  // namespace
