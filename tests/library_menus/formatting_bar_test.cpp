// The formatting bar: its pictures, the pressed look while the left button is down, what each button
// does, and the two boxes.
#include "core/globals.h"
#include "platform/forms/combobox.h"
#include "platform/forms/font_faces.h"
#include "library/frm_find.h"
#include "tests/library_menus/menus_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QFontDatabase>
#include <QTemporaryDir>
#include <QTest>

namespace {

using FormattingBarTest = MenusTest;

TEST_F(FormattingBarTest, EveryButtonShowsItsDrawnPicture) {
    const forms::ImageList& images = bar().ilsImageList1();
    EXPECT_EQ(images.count(), 48);  // with the item-detail strip's and the page pictures
    for (const char* name : {"bold", "color", "bullet", "center", "copy", "find", "italic", "left", "new", "open",
                             "paste", "print", "right", "underline", "cut", "save", "bigsmall", "bookmark", "mark"})
        for (const char* state : {"_d", "_u"}) EXPECT_TRUE(images.contains(QString::fromLatin1(name) + QLatin1String(state))) << name << state;
    EXPECT_FALSE(bar().imgButtons().contains(2));
    EXPECT_EQ(bar().imgButtons().count(), 14);
    for (int index : bar().imgButtons().indexes()) {
        forms::ImageButton& b = bar().imgButtons()[index];
        EXPECT_TRUE(b.shownKey().endsWith("_u")) << index;
        EXPECT_FALSE(b.pixmap().isNull()) << index;
    }
    EXPECT_EQ(bar().imgButtons()[10].shownKey(), "bigsmall_u");
    EXPECT_EQ(bar().imgAButtons()[1].shownKey(), "center_u");
    EXPECT_EQ(bar().imgFButtons()[2].shownKey(), "underline_u");
}

TEST_F(FormattingBarTest, EveryButtonNamesItsActionAndKeepsItsPictureKey) {
    const struct {
        int index;
        const char* picture;
        const char* tip;
    } expected[] = {{0, "new", "文字颜色"}, {1, "open", "全选"}, {3, "print", "打印"}, {9, "bullet", "项目符号"},
                    {10, "bigsmall", "放大编辑区"}, {12, "mark", "添加书签"}};
    for (const auto& e : expected) {
        EXPECT_EQ(bar().imgButtons().at(e.index)->pictureName(), QString::fromUtf8(e.picture));
        EXPECT_EQ(bar().imgButtons().at(e.index)->toolTip(), QString::fromUtf8(e.tip));
    }
    for (const auto* array : {&bar().imgButtons(), &bar().imgAButtons(), &bar().imgFButtons()})
        for (int index : array->indexes()) EXPECT_FALSE(array->at(index)->toolTip().isEmpty()) << index;
    EXPECT_EQ(bar().imgAButtons().at(1)->toolTip(), "居中");
    EXPECT_EQ(bar().imgFButtons().at(0)->toolTip(), "粗体");
}

TEST_F(FormattingBarTest, TheLeftButtonPressesARightPressDoesNot) {
    forms::ImageButton& find = bar().imgButtons()[4];
    QTest::mousePress(&find, Qt::RightButton);
    EXPECT_EQ(find.shownKey(), "find_u");
    QTest::mouseRelease(&find, Qt::RightButton);
    QTest::mousePress(&find, Qt::LeftButton);
    EXPECT_EQ(find.shownKey(), "find_d");
    QTest::mouseRelease(&find, Qt::LeftButton);
    EXPECT_EQ(find.shownKey(), "find_u");
    EXPECT_NE(forms::loadedInstance<library::FrmFind>(), nullptr) << "the click came after the release";
}

TEST_F(FormattingBarTest, EditingButtonsActOnTheEditor) {
    editor().setText(QStringLiteral("紫微斗数"));
    select(QStringLiteral("紫微"));
    click(&bar().imgFButtons()[0]);
    EXPECT_EQ(editor().selBold(), std::optional<bool>(true));
    EXPECT_EQ(bar().imgFButtons()[0].shownKey(), "bold_d");
    click(&bar().imgFButtons()[1]);
    EXPECT_EQ(editor().selItalic(), std::optional<bool>(true));
    click(&bar().imgFButtons()[2]);
    EXPECT_EQ(editor().selUnderline(), std::optional<bool>(true));
    click(&bar().imgAButtons()[2]);
    EXPECT_EQ(editor().selAlignment(), std::optional<forms::RtfAlignment>(forms::rtfRight));
    EXPECT_EQ(bar().imgAButtons()[0].shownKey(), "left_u");
    click(&bar().imgButtons()[9]);
    EXPECT_EQ(editor().selBullet(), std::optional<bool>(true));

    dialogs_.answer(forms::DialogAnswer::colour(0x0000FF));
    click(&bar().imgButtons()[0]);
    EXPECT_EQ(editor().selColor(), std::optional<vb::OleColor>(0x0000FF));
    dialogs_.answer(forms::DialogAnswer::colour(0x00FFFF));
    click(&bar().imgButtons()[8]);
    EXPECT_EQ(editor().backColor(), 0x00FFFFu);

    click(&bar().imgButtons()[1]);
    EXPECT_EQ(editor().selLength(), 4) << "select all";
}

TEST_F(FormattingBarTest, ClipboardButtonsUseTheFocusedEditor) {
    w().activateWindow();
    (void)QTest::qWaitForWindowActive(&w());
    editor().setFocus();
    if (QApplication::focusWidget() != &editor()) GTEST_SKIP() << "the platform gives no keyboard focus";
    editor().setText(QStringLiteral("紫微斗数"));
    select(QStringLiteral("斗数"));
    click(&bar().imgButtons()[6]);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::clipboard()->text(), "斗数");
    click(&bar().imgButtons()[5]);
    QCoreApplication::processEvents();
    EXPECT_EQ(editor().text(), "紫微");
    click(&bar().imgButtons()[7]);
    QCoreApplication::processEvents();
    EXPECT_EQ(editor().text(), "紫微斗数");
}

TEST_F(FormattingBarTest, PrintEnlargeAndBookmarkButtons) {
    editor().setText(QStringLiteral("打印这一页"));
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    dialogs_.answer(forms::DialogAnswer::printer(pdf));
    click(&bar().imgButtons()[3]);
    EXPECT_TRUE(QFileInfo(pdf).size() > 0);

    click(&bar().imgButtons()[10]);
    EXPECT_TRUE(w().editorEnlarged());
    trigger(QStringLiteral("mnuHuanyuan"));

    const bool pane = w().viewBookMarks();
    click(&bar().imgButtons()[11]);
    EXPECT_EQ(w().viewBookMarks(), !pane);
    click(&bar().imgButtons()[14]);
    EXPECT_EQ(w().viewBookMarks(), pane);
}

TEST_F(FormattingBarTest, FontListIsTheSystemsWithSongTiChosen) {
    forms::ComboBox* fonts = bar().cboFontCombo();
    const QStringList families = QFontDatabase::families();
    ASSERT_EQ(fonts->listCount(), families.size());
    for (int i = 0; i < families.size(); ++i) EXPECT_EQ(fonts->list(i), families[i]);
    const QString songTi = families.contains(QStringLiteral("宋体")) ? QStringLiteral("宋体")
                                                                      : forms::installedFamily(QStringLiteral("宋体"));
    if (families.contains(songTi)) EXPECT_EQ(fonts->text(), songTi);
    else EXPECT_EQ(fonts->listIndex(), -1);

    forms::ComboBox* sizes = bar().cboSizeCombo();
    ASSERT_EQ(sizes->listCount(), 65);
    EXPECT_EQ(sizes->list(0), " 6");
    EXPECT_EQ(sizes->list(64), " 70");
    EXPECT_EQ(sizes->text(), " 12");
}

TEST_F(FormattingBarTest, PickingASizeSetsTheSelectionAndKeepsTheCaret) {
    editor().setText(QStringLiteral("紫微斗数"));
    select(QStringLiteral("斗"));
    bar().cboSizeCombo()->setListIndex(30 - 6);
    EXPECT_EQ(editor().selFontSize(), std::optional<double>(30));
    EXPECT_EQ(editor().selStart(), 2);
    bar().cboFontCombo()->setListIndex(0);
    EXPECT_EQ(editor().selFontName(), std::optional<QString>(bar().cboFontCombo()->list(0)));
}

}  // namespace
