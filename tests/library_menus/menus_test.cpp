// The library window's menu entries: their states, the editing commands, enlarging the editor, the
// font dialog and the windows the menus open.
#include "calculator/frm_ji_suan_qi.h"
#include "core/globals.h"
#include "library/frm_about.h"
#include "library/frm_find.h"
#include "library/frm_help.h"
#include "library/frm_library_folder.h"
#include "platform/forms/combobox.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/date.h"
#include "platform/vb/format.h"
#include "tests/library_menus/menus_fixture.h"
#include "windows/frm_bzzs.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QTreeWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>

namespace {

using MenuCommandsTest = MenusTest;

TEST_F(MenuCommandsTest, TheTreeHasItsSubmenusAndStates) {
    for (const char* name : {"mnuInsertDate", "mnuInsertTime"}) {
        QMenu* sub = entry(QString::fromLatin1(name))->menu();
        ASSERT_NE(sub, nullptr) << name;
        QStringList captions;
        for (QAction* a : sub->actions()) captions << a->text();
        EXPECT_EQ(captions, (QStringList{"&Short", "&Medium", "&Long"})) << name;
    }
    EXPECT_TRUE(entry(QStringLiteral("MnuBZZS"))->isVisible());
    EXPECT_FALSE(entry(QStringLiteral("MnuFD"))->isVisible());
    EXPECT_FALSE(entry(QStringLiteral("mnuHuanyuan"))->isVisible());
    EXPECT_TRUE(entry(QStringLiteral("mnuViewBookMarks"))->isChecked());
}

TEST_F(MenuCommandsTest, CopyCutAndPasteActOnlyWhileTheEditorHasTheFocus) {
    QApplication::clipboard()->setText(QStringLiteral("原有"));
    editor().setText(QStringLiteral("紫微斗数"));
    select(QStringLiteral("紫微"));
    trigger(QStringLiteral("MnuCopy"));
    trigger(QStringLiteral("MnuCut"));
    EXPECT_EQ(QApplication::clipboard()->text(), "原有");
    EXPECT_EQ(editor().text(), "紫微斗数");

    focusEditor(true);
    focusEditor(false, Qt::PopupFocusReason);  // the menu opening
    trigger(QStringLiteral("MnuCopy"));
    EXPECT_EQ(QApplication::clipboard()->text(), "紫微");
    trigger(QStringLiteral("MnuCut"));
    EXPECT_EQ(editor().text(), "斗数");
    editor().setSelStart(2);
    trigger(QStringLiteral("MnuPaste"));
    EXPECT_EQ(editor().text(), "斗数紫微");
}

TEST_F(MenuCommandsTest, OpeningAMenuKeepsTheEditorsCommands) {
    w().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    editor().setText(QStringLiteral("紫微斗数"));
    editor().setFocus();
    ASSERT_TRUE(w().editorHasFocus());
    select(QStringLiteral("斗数"));
    QMenu* edit = entry(QStringLiteral("MnuEditRtxt"))->menu();
    edit->popup(w().mapToGlobal(QPoint(10, 10)));
    QCoreApplication::processEvents();
    EXPECT_TRUE(entry(QStringLiteral("MnuEditRtxt"))->isVisible());
    EXPECT_TRUE(w().editorHasFocus());
    entry(QStringLiteral("MnuCopy"))->trigger();
    edit->hide();
    EXPECT_EQ(QApplication::clipboard()->text(), "斗数");
}

TEST_F(MenuCommandsTest, ClearSelectAllAndInsertions) {
    editor().setText(QStringLiteral("紫微斗数"));
    select(QStringLiteral("斗"));
    trigger(QStringLiteral("MnuClear"));
    EXPECT_EQ(editor().text(), "紫微数");
    trigger(QStringLiteral("mnueditselectall"));
    EXPECT_EQ(editor().selStart(), 0);
    EXPECT_EQ(editor().selLength(), 3);

    editor().setText(QString());
    trigger(QStringLiteral("mnuInsertDateShort"));
    EXPECT_EQ(editor().text(), vb::format(vb::Variant(vb::Date::today()), QStringLiteral("Short Date")));
    editor().setText(QString());
    trigger(QStringLiteral("mnuInsertDateLong"));
    EXPECT_EQ(editor().text(), vb::format(vb::Variant(vb::Date::today()), QStringLiteral("Long Date")));
    editor().setText(QString());
    trigger(QStringLiteral("mnuInsertTimeLong"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(editor().text()).hasMatch()) << editor().text().toStdString();
    editor().setText(QStringLiteral("[]"));
    editor().setSelStart(1);
    core::gCurrentRtfFile = QStringLiteral("/data/GREENNOTE3.rtf");
    trigger(QStringLiteral("mnuInsertPathAndFile"));
    EXPECT_EQ(editor().text(), "[/data/GREENNOTE3.rtf]");
}

TEST_F(MenuCommandsTest, AlignmentAndColourEntries) {
    editor().setText(QStringLiteral("一段"));
    for (auto [name, alignment] : {std::pair{"MnuCenter", forms::rtfCenter}, std::pair{"MnuRight", forms::rtfRight},
                                   std::pair{"MnuLeft", forms::rtfLeft}}) {
        trigger(QString::fromLatin1(name));
        EXPECT_EQ(editor().selAlignment(), std::optional<forms::RtfAlignment>(alignment)) << name;
    }
    select(QStringLiteral("一"));
    dialogs_.answer(forms::DialogAnswer::colour(0x008000));
    trigger(QStringLiteral("MnuFcolor"));
    EXPECT_EQ(editor().selColor(), std::optional<vb::OleColor>(0x008000));
    dialogs_.answer(forms::DialogAnswer::cancel());
    trigger(QStringLiteral("mnuBbolor"));
    const vb::OleColor back = editor().backColor();
    dialogs_.answer(forms::DialogAnswer::colour(0xFFFFFF));
    trigger(QStringLiteral("mnuBbolor"));
    EXPECT_NE(back, 0xFFFFFFu);
    EXPECT_EQ(editor().backColor(), 0xFFFFFFu);
}

TEST_F(MenuCommandsTest, TheFontDialogStartsFromTheBoxesAndSetsTheSelection) {
    editor().setText(QStringLiteral("紫微斗数"));
    select(QStringLiteral("斗数"));
    const QString font = bar().cboFontCombo()->list(0);
    const QString preset = bar().cboFontCombo()->text();
    dialogs_.answer(forms::DialogAnswer::font(font, 16, true, false, true));
    trigger(QStringLiteral("mnuformatfont"));
    EXPECT_EQ(dialogs_.last().fontName, preset);
    EXPECT_EQ(dialogs_.last().fontSize, 12) << "preset from the size box";
    EXPECT_EQ(editor().selFontName(), std::optional<QString>(font));
    EXPECT_EQ(editor().selFontSize(), std::optional<double>(16));
    EXPECT_EQ(editor().selBold(), std::optional<bool>(true));
    EXPECT_EQ(editor().selUnderline(), std::optional<bool>(true));
    EXPECT_EQ(bar().imgFButtons()[0].shownKey(), "bold_d");
    EXPECT_EQ(bar().imgFButtons()[1].shownKey(), "italic_u");
    EXPECT_EQ(bar().cboSizeCombo()->text(), " 16");

    dialogs_.answer(forms::DialogAnswer::cancel());
    trigger(QStringLiteral("mnuformatfont"));
    EXPECT_EQ(boxes_.count(), 0) << "cancel is no error";
    EXPECT_EQ(editor().selFontSize(), std::optional<double>(16));
}

TEST_F(MenuCommandsTest, EnlargeFillsTheWindowOnceAndRestoreBringsItBack) {
    w().resize(900, 640);
    QCoreApplication::processEvents();
    const QRect home = forms::twipsGeometry(&editor());
    QWidget* homeParent = editor().parentWidget();
    trigger(QStringLiteral("MnuFD"));
    EXPECT_TRUE(w().editorEnlarged());
    EXPECT_EQ(editor().parentWidget(), w().client());
    EXPECT_EQ(editor().geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(editor().width(), w().client()->width());
    EXPECT_EQ(editor().geometry().bottom() + 1, w().client()->height() - w().StatusBar1()->sizeHint().height());
    for (const char* name : {"mnuNewDatabase", "mnuOpenDatabase", "MNUBAK", "mnuViewBookMarks"})
        EXPECT_FALSE(entry(QString::fromLatin1(name))->isEnabled()) << name;
    for (const char* name : {"mnuHuanyuan", "MnuFormat", "MnuEditRtxt", "mnuInsert"})
        EXPECT_TRUE(entry(QString::fromLatin1(name))->isVisible()) << name;
    EXPECT_FALSE(entry(QStringLiteral("MnuFD"))->isVisible());
    EXPECT_EQ(core::gTxtCodeWidth, home.width());

    // A second enlarge keeps the geometry to restore.
    click(&bar().imgButtons()[10]);
    EXPECT_EQ(core::gTxtCodeWidth, home.width());
    EXPECT_EQ(core::gTxtCodeHeight, home.height());

    // The enlarged editor follows the window.
    w().resize(1000, 700);
    QCoreApplication::processEvents();
    EXPECT_EQ(editor().width(), w().client()->width());

    trigger(QStringLiteral("mnuHuanyuan"));
    EXPECT_FALSE(w().editorEnlarged());
    EXPECT_EQ(editor().parentWidget(), homeParent);
    for (const char* name : {"mnuNewDatabase", "mnuOpenDatabase", "MNUBAK", "mnuViewBookMarks"})
        EXPECT_TRUE(entry(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_FALSE(entry(QStringLiteral("mnuHuanyuan"))->isVisible());
    EXPECT_TRUE(entry(QStringLiteral("MnuFD"))->isVisible());
}

TEST_F(MenuCommandsTest, WhileEnlargedNothingChangesTheItemTheEditorShows) {
    ASSERT_TRUE(w().ShowItemDetails(QStringLiteral("1")));
    selectNode(QStringLiteral("紫微斗数入门"));
    // A library dialog opened before the editor is enlarged.
    trigger(QStringLiteral("mnuNewDatabase"));
    library::FrmNew& newLibrary = forms::defaultInstance<library::FrmNew>();
    trigger(QStringLiteral("MnuFD"));
    editor().setFocus();
    type(&editor(), QStringLiteral("放大时写下的字"));

    const char* const itemCommands[] = {"OPENDB", "NEW", "DELETE", "PREVIOUS", "NEXT", "VIEWBOOKMARKS"};
    for (const char* tag : itemCommands) {
        QAction* button = w().tbTools()->findChild<QAction*>(QString::fromLatin1(tag));
        ASSERT_TRUE(button) << tag;
        EXPECT_FALSE(button->isEnabled()) << tag;
        button->trigger();
    }
    EXPECT_FALSE(w().tvCodeItems()->isEnabled());
    EXPECT_FALSE(w().ctlBookMarkList()->isEnabled());
    EXPECT_TRUE(w().editorEnlarged());
    EXPECT_EQ(w().shownKey(), "C1");
    EXPECT_TRUE(editor().text().contains(QStringLiteral("放大时写下的字")));

    // Opening a library (what "导入备份" does) keeps the enlarged editor's commands away.
    w().EnableLibraryCommands(true);
    for (const char* name : {"mnuNewDatabase", "mnuOpenDatabase", "MNUBAK", "mnuViewBookMarks"})
        EXPECT_FALSE(entry(QString::fromLatin1(name))->isEnabled()) << name;
    EXPECT_FALSE(w().tvCodeItems()->isEnabled());

    const QString work = core::gWorkPath;
    newLibrary.txtPath()->setText(dataPath(QStringLiteral("放大时的新库")));
    boxes_.clear();
    QTest::mouseClick(newLibrary.cmdok(), Qt::LeftButton);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.contains(QStringLiteral("请先还原")));
    EXPECT_EQ(core::gWorkPath, work);
    EXPECT_FALSE(QFileInfo::exists(dataPath(QStringLiteral("放大时的新库"))));
    EXPECT_TRUE(w().editorEnlarged());

    trigger(QStringLiteral("mnuHuanyuan"));
    for (const char* tag : itemCommands)
        EXPECT_TRUE(w().tbTools()->findChild<QAction*>(QString::fromLatin1(tag))->isEnabled()) << tag;
    EXPECT_TRUE(w().tvCodeItems()->isEnabled());
    EXPECT_TRUE(w().ctlBookMarkList()->isEnabled());
    EXPECT_TRUE(entry(QStringLiteral("MNUBAK"))->isEnabled());
    EXPECT_EQ(w().shownKey(), "C1");
}

TEST_F(MenuCommandsTest, MenusOpenTheirWindows) {
    trigger(QStringLiteral("MnuJiSuan"));
    auto* calculator = forms::loadedInstance<calculator::FrmJiSuanQi>();
    ASSERT_NE(calculator, nullptr);
    EXPECT_TRUE(calculator->isVisible());

    core::gFindPos = 7;
    trigger(QStringLiteral("mnuFind"));
    EXPECT_EQ(core::gFindPos, 0);
    EXPECT_TRUE(forms::defaultInstance<library::FrmFind>().isVisible());

    trigger(QStringLiteral("mnuNewDatabase"));
    EXPECT_TRUE(forms::defaultInstance<library::FrmNew>().isVisible());
    trigger(QStringLiteral("MNUBAK"));
    EXPECT_TRUE(forms::defaultInstance<library::FrmBak>().isVisible());

    trigger(QStringLiteral("MnuHeLp"));
    EXPECT_TRUE(forms::defaultInstance<library::FrmHelp>().isVisible());

    trigger(QStringLiteral("MnuBZZS"));
    auto* knowledge = forms::loadedInstance<windows::FrmBZzs>();
    ASSERT_NE(knowledge, nullptr);
    EXPECT_TRUE(knowledge->isVisible());

    whenShown<library::FrmAbout>([](library::FrmAbout& about) { about.Unload(); });
    trigger(QStringLiteral("mnuAbout"));
    EXPECT_EQ(boxes_.count(), 0);
}

}  // namespace
