// The editor's events: the menus that follow its focus, Esc, the font catch-up of a typed Chinese
// character, the formatting bar showing the selection's formatting, and the tab-stop check.
#include "core/globals.h"
#include "platform/forms/combobox.h"
#include "platform/forms/font_faces.h"
#include "tests/library_menus/menus_fixture.h"

#include <QTest>
#include <QTextBlockFormat>
#include <QTextCursor>

namespace {

using EditorEventsTest = MenusTest;

bool shown(QAction* a) { return a->isVisible(); }

TEST_F(EditorEventsTest, MenusFollowTheEditorsFocus) {
    for (const char* name : {"MnuFormat", "MnuEditRtxt", "mnuInsert", "MnuFD"}) EXPECT_FALSE(shown(entry(QString::fromLatin1(name))));
    focusEditor(true);
    for (const char* name : {"MnuFormat", "MnuEditRtxt", "mnuInsert", "MnuFD"}) EXPECT_TRUE(shown(entry(QString::fromLatin1(name)))) << name;
    EXPECT_TRUE(w().editorHasFocus());
    // A menu opening takes the focus for a moment: the editor keeps its menus and its flag.
    for (Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::MenuBarFocusReason}) {
        focusEditor(false, reason);
        EXPECT_TRUE(shown(entry(QStringLiteral("MnuEditRtxt"))));
        EXPECT_TRUE(w().editorHasFocus());
    }
    focusEditor(false);
    for (const char* name : {"MnuFormat", "MnuEditRtxt", "mnuInsert", "MnuFD"}) EXPECT_FALSE(shown(entry(QString::fromLatin1(name)))) << name;
    EXPECT_FALSE(w().editorHasFocus());
}

TEST_F(EditorEventsTest, FocusWhileEnlargedShowsNoEnlargeEntry) {
    trigger(QStringLiteral("MnuFD"));
    focusEditor(false);
    focusEditor(true);
    EXPECT_TRUE(shown(entry(QStringLiteral("MnuFormat"))));
    EXPECT_FALSE(shown(entry(QStringLiteral("MnuFD"))));
    focusEditor(false);
    EXPECT_FALSE(shown(entry(QStringLiteral("MnuFD"))));
}

TEST_F(EditorEventsTest, EscChangesNeitherTextNorSelection) {
    editor().setText(QStringLiteral("紫微斗数"));
    select(QStringLiteral("斗数"));
    QTest::keyClick(&editor(), Qt::Key_Escape);
    EXPECT_EQ(editor().text(), "紫微斗数");
    EXPECT_EQ(editor().selStart(), 2);
    EXPECT_EQ(editor().selLength(), 2);
}

class FontCatchUpTest : public MenusTest {
protected:
    void SetUp() override {
        MenusTest::SetUp();
        prepare();
    }
    // "ab" with the caret after "a", and a font and a size picked there.
    void prepare() {
        editor().setText(QStringLiteral("ab"));
        editor().setSelStart(1);
        fonts = bar().cboFontCombo();
        sizes = bar().cboSizeCombo();
        pickedFont = fonts->list(fonts->listCount() - 1);
        fonts->setListIndex(fonts->listCount() - 1);  // raises Click, as a pick does
        sizes->setListIndex(20 - 6);                    // " 20"
    }
    QString fontAt(int position) {
        QTextCursor c(editor().document());
        c.setPosition(position + 1);
        return c.charFormat().fontFamilies().toStringList().value(0);
    }
    double sizeAt(int position) {
        QTextCursor c(editor().document());
        c.setPosition(position + 1);
        return c.charFormat().fontPointSize();
    }
    forms::ComboBox* fonts = nullptr;
    forms::ComboBox* sizes = nullptr;
    QString pickedFont;
};

TEST_F(FontCatchUpTest, OneChineseCharacterTakesThePickedFontAndSize) {
    // Typing resets the caret's format the way an input method does on this platform.
    editor().setCurrentCharFormat(QTextCharFormat());
    commit(QStringLiteral("紫"));
    EXPECT_EQ(editor().text(), "a紫b");
    EXPECT_EQ(fontAt(1), pickedFont);
    EXPECT_EQ(sizeAt(1), 20);
    EXPECT_EQ(editor().selStart(), 2);
    EXPECT_EQ(editor().selLength(), 0);
}

TEST_F(FontCatchUpTest, LatinLettersTwoCharactersAndTheStartChangeNothing) {
    editor().setCurrentCharFormat(QTextCharFormat());
    commit(QStringLiteral("x"));
    EXPECT_NE(fontAt(1), pickedFont);

    prepare();
    editor().setCurrentCharFormat(QTextCharFormat());
    commit(QStringLiteral("紫微"));
    EXPECT_NE(fontAt(1), pickedFont);

    editor().setText(QStringLiteral("ab"));
    editor().setSelStart(0);
    fonts->setListIndex(0);
    fonts->setListIndex(fonts->listCount() - 1);
    editor().setCurrentCharFormat(QTextCharFormat());
    commit(QStringLiteral("紫"));
    EXPECT_NE(fontAt(0), pickedFont) << "the caret stands at 1 after the first character";
}

TEST_F(FontCatchUpTest, APickIsForgottenOnceTheCaretMovesAway) {
    editor().setSelStart(0);  // the caret goes elsewhere
    editor().setSelStart(1);  // and comes back: the pick is still forgotten
    editor().setCurrentCharFormat(QTextCharFormat());
    commit(QStringLiteral("紫"));
    EXPECT_NE(fontAt(1), pickedFont);
}

class UpdateTextInfoTest : public MenusTest {
protected:
    void mouseUp() { QTest::mouseClick(editor().viewport(), Qt::LeftButton, {}, QPoint(2, 2)); }
    void selectAllText() {
        editor().setSelStart(0);
        editor().setSelLength(static_cast<int>(editor().text().size()));
    }
    QString fontKey(int i) { return bar().imgFButtons()[i].shownKey(); }
    QString alignKey(int i) { return bar().imgAButtons()[i].shownKey(); }
    QColor comboText(forms::ComboBox* c) { return c->palette().color(QPalette::ButtonText); }
};

TEST_F(UpdateTextInfoTest, StyleAndAlignmentButtonsShowTheSelection) {
    editor().setText(QStringLiteral("一二\n三四"));
    select(QStringLiteral("一二"));
    editor().setSelBold(true);
    editor().setSelAlignment(forms::rtfCenter);
    select(QStringLiteral("一"));
    w().UpdateTextInfo(&w());
    EXPECT_EQ(fontKey(0), "bold_d");
    EXPECT_EQ(fontKey(1), "italic_u");
    EXPECT_EQ(alignKey(0), "left_u");
    EXPECT_EQ(alignKey(1), "center_d");
    EXPECT_EQ(alignKey(2), "right_u");
    // Partly bold, and one centred and one left paragraph: everything released.
    selectAllText();
    w().UpdateTextInfo(&w());
    EXPECT_EQ(fontKey(0), "bold_u");
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(alignKey(i).endsWith("_u")) << i;
    select(QStringLiteral("四"));
    editor().setSelAlignment(forms::rtfRight);
    w().UpdateTextInfo(&w());
    EXPECT_EQ(alignKey(2), "right_d");
}

TEST_F(UpdateTextInfoTest, TheBoxesShowTheSelectionAndWriteNothingBack) {
    forms::ComboBox* fonts = bar().cboFontCombo();
    forms::ComboBox* sizes = bar().cboSizeCombo();
    const QString listed = fonts->list(0);
    editor().setText(QStringLiteral("甲乙丙"));
    select(QStringLiteral("甲"));
    editor().setSelFontName(listed);
    editor().setSelFontSize(10.5);
    select(QStringLiteral("乙"));
    editor().setSelFontName(QStringLiteral("没有这个字体"));
    editor().setSelFontSize(72);
    select(QStringLiteral("丙"));
    editor().setSelFontSize(6);

    editor().setSelStart(1);  // inside 甲
    mouseUp();
    select(QStringLiteral("甲"));
    w().UpdateTextInfo(&w());
    EXPECT_EQ(fonts->text(), listed);
    EXPECT_EQ(sizes->listIndex(), 4) << "10.5 shows as 10";
    EXPECT_EQ(comboText(fonts), QColor(Qt::black));
    EXPECT_EQ(editor().selFontSize().value_or(0), 10.5) << "showing the size does not round the text's size";

    select(QStringLiteral("乙"));
    w().UpdateTextInfo(&w());
    EXPECT_EQ(fonts->listIndex(), -1);
    EXPECT_EQ(sizes->listIndex(), -1);
    EXPECT_EQ(editor().selFontName().value_or(QString()), "没有这个字体") << "an unlisted font stays on the text";

    select(QStringLiteral("丙"));
    w().UpdateTextInfo(&w());
    EXPECT_EQ(sizes->listIndex(), 0);
    EXPECT_EQ(sizes->text(), " 6");

    // Two fonts: the font box's text turns white and the text keeps both fonts.
    select(QStringLiteral("甲乙"));
    w().UpdateTextInfo(&w());
    EXPECT_EQ(comboText(fonts), QColor(Qt::white));
    EXPECT_EQ(comboText(sizes), QColor(Qt::white));
    EXPECT_FALSE(editor().selFontName().has_value());
    select(QStringLiteral("甲"));
    w().UpdateTextInfo(&w());
    EXPECT_EQ(comboText(fonts), QColor(Qt::black));
}

TEST_F(UpdateTextInfoTest, OnAnEmptyPageTheCaretTakesTheBoxesChoice) {
    editor().setText(QString());
    bar().cboSizeCombo()->setListIndex(20 - 6);
    editor().setCurrentCharFormat(QTextCharFormat());
    mouseUp();
    commit(QStringLiteral("a"));
    select(QStringLiteral("a"));
    EXPECT_EQ(editor().selFontSize(), std::optional<double>(20));
}

TEST_F(UpdateTextInfoTest, TabsChangedReportsOnlyAChange) {
    editor().setText(QStringLiteral("a\tb"));
    QTextCursor c(editor().document());
    QTextBlockFormat f;
    f.setTabPositions({QTextOption::Tab(40, QTextOption::LeftTab), QTextOption::Tab(80, QTextOption::LeftTab),
                       QTextOption::Tab(120, QTextOption::LeftTab)});
    c.mergeBlockFormat(f);
    core::gTabStops = {1, 2};
    EXPECT_TRUE(w().TabsChanged());
    EXPECT_EQ(core::gTabStops.size(), 3);
    EXPECT_FALSE(w().TabsChanged());
    core::gTabStops.clear();
    editor().selectAll();
    editor().textCursor().setBlockFormat(QTextBlockFormat());
    EXPECT_FALSE(w().TabsChanged()) << "no stops and none stored";
}

}  // namespace
