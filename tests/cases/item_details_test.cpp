// The item-detail tabs: the reading panel without an item, the pages of an item in the editor, the
// tab switch, the save button and its pictures, and the page on screen saved before anything
// replaces it.
#include "core/code_item.h"
#include "core/globals.h"
#include "platform/forms/error_report.h"
#include "platform/forms/label.h"
#include "platform/forms/listview.h"
#include "platform/forms/richtextbox.h"
#include "tests/cases/case_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

namespace {

using ItemDetailsTest = CaseWindowTest;

void typeAtEnd(forms::RichTextBox& box, const QString& text) {
    box.setFocus();
    box.setSelStart(box.text().size());
    QTest::keyClicks(&box, text);
}

TEST_F(ItemDetailsTest, WithoutAnItemTheReadingPanelTakesTheArea) {
    EXPECT_TRUE(panel().isVisible());
    EXPECT_TRUE(panel().Timer1()->isActive());
    EXPECT_FALSE(details().tbsTabs()->isVisible());
    EXPECT_FALSE(details().picPicture1()->isVisible());
    EXPECT_FALSE(details().picPicture2()->isVisible());
    EXPECT_FALSE(files().isVisible());
    EXPECT_EQ(details().Label1()->caption(), "");
    EXPECT_TRUE(panel().txtScroll()->text().contains(QStringLiteral("紫微")));
}

TEST_F(ItemDetailsTest, TheTabsAndAnItemsNotebookPage) {
    QTabBar* tabs = details().tbsTabs();
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "笔记本");
    EXPECT_EQ(tabs->tabData(0).toString(), "CODE");
    EXPECT_EQ(tabs->tabToolTip(0), "笔记");
    EXPECT_EQ(tabs->tabText(1), "紫微斗数");
    EXPECT_EQ(tabs->tabData(1).toString(), "FILES");
    EXPECT_EQ(tabs->tabToolTip(1), "紫微斗数");

    QSignalSpy views(&details(), &library::CtlCodeDetails::ViewChanged);
    ASSERT_TRUE(window_->ShowItemDetails(QStringLiteral("2")));
    EXPECT_FALSE(panel().isVisible());
    EXPECT_FALSE(panel().Timer1()->isActive());  // a hidden panel does not tick
    EXPECT_TRUE(tabs->isVisible());
    EXPECT_TRUE(txtCode().isVisible());
    EXPECT_TRUE(details().picPicture1()->isVisible());
    EXPECT_FALSE(details().picPicture2()->isVisible());
    EXPECT_EQ(core::gCurrentRtfFile, workFile("GREENNOTE2.rtf"));
    EXPECT_FALSE(txtCode().text().trimmed().isEmpty());
    EXPECT_EQ(details().imgLabelKey(), "CODE");
    EXPECT_FALSE(details().imgLabel()->pixmap().isNull());
    EXPECT_FALSE(details().imgButtons()[2].pixmap().isNull());
    ASSERT_EQ(views.count(), 1);
    EXPECT_EQ(views[0][0].toInt(), 1);
    EXPECT_EQ(details().CurrentView(), 1);
}

TEST_F(ItemDetailsTest, ANewItemsFirstViewCreatesAnEmptyPage) {
    core::CCodeItem item;
    item.Initialise(core::gWorkDB, QString());
    item.setDescription(QStringLiteral("新条目"));
    item.Commit();
    const QString page = workFile(QStringLiteral("GREENNOTE%1.rtf").arg(item.Key()));
    ASSERT_FALSE(QFile::exists(page));
    ASSERT_TRUE(window_->ShowItemDetails(item.Key()));
    EXPECT_TRUE(QFile::exists(page));
    EXPECT_EQ(txtCode().text(), "");
}

TEST_F(ItemDetailsTest, AnEditSurvivesTheCaseListTabAndBack) {
    ASSERT_TRUE(window_->ShowItemDetails(QStringLiteral("2")));
    typeAtEnd(txtCode(), QStringLiteral("Tab round trip"));
    clickTab(1);
    EXPECT_EQ(details().selectedKey(), "FILES");
    EXPECT_FALSE(txtCode().isVisible());
    EXPECT_TRUE(files().isVisible());
    EXPECT_FALSE(details().picPicture1()->isVisible());
    EXPECT_TRUE(details().picPicture2()->isVisible());
    EXPECT_EQ(details().imgLabelKey(), "FILES");
    EXPECT_TRUE(details().TimerLeft()->isActive());
    clickTab(0);
    EXPECT_TRUE(txtCode().isVisible());
    EXPECT_TRUE(txtCode().isEnabled());
    EXPECT_TRUE(txtCode().text().contains(QStringLiteral("Tab round trip")));
    QFile file(workFile("GREENNOTE2.rtf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("Tab round trip"));
}

TEST_F(ItemDetailsTest, AnEditIsSavedWhenAnotherItemOrNoneIsShown) {
    ASSERT_TRUE(window_->ShowItemDetails(QStringLiteral("2")));
    typeAtEnd(txtCode(), QStringLiteral("Kept on item change"));
    ASSERT_TRUE(window_->ShowItemDetails(QStringLiteral("3")));
    EXPECT_EQ(core::gCurrentRtfFile, workFile("GREENNOTE3.rtf"));
    EXPECT_FALSE(txtCode().text().contains(QStringLiteral("Kept on item change")));
    typeAtEnd(txtCode(), QStringLiteral("Kept on no item"));
    ASSERT_TRUE(window_->ShowItemDetails(QString()));
    for (const char* page : {"GREENNOTE2.rtf", "GREENNOTE3.rtf"}) {
        QFile file(workFile(QString::fromLatin1(page)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().contains(page[9] == '2' ? "Kept on item change" : "Kept on no item")) << page;
    }
    // Without an item nothing the editor holds is saved anywhere.
    EXPECT_EQ(details().shownPagePath(), "");
}

TEST_F(ItemDetailsTest, AFailedSaveIsReportedAndKeepsThePageOnScreen) {
    ASSERT_TRUE(window_->ShowItemDetails(QStringLiteral("2")));
    typeAtEnd(txtCode(), QStringLiteral("Not lost"));
    // The page's file can no longer be replaced: a folder stands in its place.
    const QString page = workFile("GREENNOTE2.rtf");
    ASSERT_TRUE(QFile::remove(page));
    ASSERT_TRUE(QDir().mkdir(page));

    boxes_.clear();
    EXPECT_FALSE(window_->ShowItemDetails(QStringLiteral("3")));
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.contains(QStringLiteral("ctlCodeDetails::SaveCurrentPage")));
    EXPECT_EQ(details().item()->Key(), "2");
    EXPECT_TRUE(txtCode().text().contains(QStringLiteral("Not lost")));

    // Nor does the tab switch go on.
    clickTab(1);
    EXPECT_EQ(details().selectedKey(), "CODE");
    EXPECT_EQ(boxes_.count(), 2);
    EXPECT_TRUE(txtCode().isVisible());

    // Once the file can be written again, the retry saves it.
    ASSERT_TRUE(QDir().rmdir(page));
    EXPECT_TRUE(window_->ShowItemDetails(QStringLiteral("3")));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("Not lost"));
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Pages the reader cannot read whole, and pages that are not RTF at all.
const struct {
    const char* name;
    QByteArray bytes;
} kDamagedPages[] = {
    {"text after a stray brace", "{\\rtf1 kept}lost unless kept\\par more}"},
    {"binary past the end", "{\\rtf1 kept\\bin999999 lost unless kept}"},
    {"plain text", "plain notes, no RTF\r\n"},
    {"UTF-16", QByteArray("\xFF\xFE" "a\0b\0", 6)},
    {"random bytes", QByteArray("\x01\x9c\xff\x00\x10\x80", 6)},
};

TEST_F(ItemDetailsTest, APageLeftAloneIsNeverWritten) {
    const QString page = workFile("GREENNOTE2.rtf");
    for (const auto& c : kDamagedPages) {
        writeBytes(page, c.bytes);
        ASSERT_TRUE(window_->ShowItemDetails(QStringLiteral("2")));
        clickTab(1);
        clickTab(0);
        forms::ImageButton& save = details().imgButtons()[2];
        QTest::mouseClick(&save, Qt::LeftButton);
        ASSERT_TRUE(window_->ShowItemDetails(QStringLiteral("3")));
        EXPECT_EQ(bytesOf(page), c.bytes) << c.name;
        EXPECT_FALSE(QFile::exists(page + ".orig")) << c.name;
    }
}

TEST_F(ItemDetailsTest, ADamagedPageKeepsItsOriginalBesideItBeforeTheFirstSave) {
    const QString page = workFile("GREENNOTE2.rtf");
    for (const auto& c : kDamagedPages) {
        writeBytes(page, c.bytes);
        ASSERT_TRUE(window_->ShowItemDetails(QStringLiteral("2")));
        typeAtEnd(txtCode(), QStringLiteral("edited"));
        boxes_.clear();
        clickTab(1);  // the first save
        ASSERT_EQ(boxes_.count(), 1) << c.name;
        EXPECT_TRUE(boxes_.last().text.contains(QStringLiteral("GREENNOTE2.rtf.orig"))) << boxes_.last().text.toStdString();
        EXPECT_EQ(bytesOf(page + ".orig"), c.bytes) << c.name;
        EXPECT_TRUE(bytesOf(page).contains("edited")) << c.name;
        // Later saves of the same showing make no further copy and say nothing more.
        clickTab(0);
        typeAtEnd(txtCode(), QStringLiteral(" again"));
        clickTab(1);
        EXPECT_EQ(boxes_.count(), 1) << c.name;
        EXPECT_EQ(bytesOf(page + ".orig"), c.bytes) << c.name;
        clickTab(0);
        ASSERT_TRUE(window_->ShowItemDetails(QString()));
        ASSERT_TRUE(QFile::remove(page + ".orig"));
    }
    // An earlier copy is never written over.
    writeBytes(page, kDamagedPages[0].bytes);
    writeBytes(page + ".orig", "older");
    ASSERT_TRUE(window_->ShowItemDetails(QStringLiteral("2")));
    typeAtEnd(txtCode(), QStringLiteral("edited"));
    ASSERT_TRUE(window_->ShowItemDetails(QString()));
    EXPECT_EQ(bytesOf(page + ".orig"), "older");
    EXPECT_EQ(bytesOf(page + ".orig2"), kDamagedPages[0].bytes);
}

TEST_F(ItemDetailsTest, APageThatLinksOutOfTheWorkFolderIsNeverWrittenThrough) {
    QTemporaryDir elsewhere;
    const QString outside = elsewhere.filePath("precious.rtf");
    writeBytes(outside, "{\\rtf1 precious}");
    const QString page = workFile("GREENNOTE2.rtf");
    ASSERT_TRUE(QFile::remove(page));
    ASSERT_TRUE(QFile::link(outside, page));
    // And one whose target does not exist yet: the first view must not create it.
    const QString nowhere = elsewhere.filePath("created.rtf");
    const QString page3 = workFile("GREENNOTE3.rtf");
    ASSERT_TRUE(QFile::remove(page3));
    ASSERT_TRUE(QFile::link(nowhere, page3));

    ASSERT_TRUE(window_->ShowItemDetails(QStringLiteral("2")));
    EXPECT_TRUE(txtCode().text().contains(QStringLiteral("precious")));
    typeAtEnd(txtCode(), QStringLiteral(" edited"));
    ASSERT_TRUE(window_->ShowItemDetails(QStringLiteral("3")));
    EXPECT_EQ(bytesOf(outside), "{\\rtf1 precious}");
    EXPECT_FALSE(QFileInfo(page).isSymLink());
    EXPECT_TRUE(bytesOf(page).contains("precious edited"));
    EXPECT_FALSE(QFileInfo::exists(nowhere));
    EXPECT_FALSE(QFileInfo(page3).isSymLink());
    EXPECT_TRUE(QFileInfo(page3).isFile());
}

TEST_F(ItemDetailsTest, APageThatIsAFolderIsReportedByItsFileName) {
    const QString page = workFile("GREENNOTE3.rtf");
    ASSERT_TRUE(QFile::remove(page));
    ASSERT_TRUE(QDir().mkdir(page));
    boxes_.clear();
    // As a click on its node shows it: through the window's error report.
    forms::reportErrors(QStringLiteral(" frmCodeLib::tvCodeItems_NodeClick"), [&] { window_->ShowItemDetails("3"); });
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.startsWith(QStringLiteral("75 Path/File access error: ") + page))
        << boxes_.last().text.toStdString();
}

TEST_F(ItemDetailsTest, TheSaveButtonWritesThePageAndKeepsTheCaret) {
    ASSERT_TRUE(window_->ShowItemDetails(QStringLiteral("2")));
    typeAtEnd(txtCode(), QStringLiteral("Saved by button"));
    txtCode().setSelStart(3);
    window_->menuEntry(QStringLiteral("mnuInsert"))->setVisible(false);
    forms::ImageButton& save = details().imgButtons()[2];
    QTest::mouseClick(&save, Qt::LeftButton);
    EXPECT_EQ(txtCode().selStart(), 3);
    EXPECT_TRUE(window_->menuEntry(QStringLiteral("mnuInsert"))->isVisible());
    QFile file(workFile("GREENNOTE2.rtf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("Saved by button"));
}

TEST_F(ItemDetailsTest, ButtonPicturesFollowTheLeftButton) {
    struct Case {
        int index;
        const char* pressed;
        const char* released;
    };
    for (const Case& c : {Case{1, "new_d", "new_u"}, Case{2, "save_d", "save_u"}, Case{3, "cut_d", "cut_u"},
                          Case{4, "wordb_d", "wordf_u"}, Case{5, "backcolor_d", "backcolor_u"}}) {
        forms::ImageButton& button = details().imgButtons()[c.index];
        details().imgButtons_MouseDown(c.index, Qt::RightButton);
        EXPECT_EQ(button.shownKey(), c.released);
        QTest::mousePress(&button, Qt::LeftButton);
        EXPECT_EQ(button.shownKey(), c.pressed);
        QTest::mouseRelease(&button, Qt::LeftButton);
        EXPECT_EQ(button.shownKey(), c.released);
    }
}

TEST_F(ItemDetailsTest, ClosingTheWindowSavesThePage) {
    ASSERT_TRUE(window_->ShowItemDetails(QStringLiteral("2")));
    typeAtEnd(txtCode(), QStringLiteral("Saved at close"));
    const QString page = workFile("GREENNOTE2.rtf");
    window_->close();
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("Saved at close"));
}

TEST_F(ItemDetailsTest, TheMarqueeTurnsAtTheCaptionsEdges) {
    ASSERT_TRUE(window_->ShowItemDetails(QStringLiteral("2")));
    clickTab(1);
    forms::Label* scroll = details().LblScroll();
    forms::Label* caption = details().Label1();
    int lastX = scroll->x();
    bool movedRight = false, movedLeft = false;
    for (int i = 0; i < 2000 && !(movedRight && movedLeft); ++i) {
        details().TimerLeft_Timer();
        EXPECT_GE(scroll->x(), 0);
        EXPECT_LE(scroll->x(), std::max(0, caption->width() - scroll->width()));
        movedRight |= scroll->x() > lastX;
        movedLeft |= scroll->x() < lastX;
        lastX = scroll->x();
    }
    if (caption->width() > scroll->width()) {
        EXPECT_TRUE(movedRight && movedLeft);
    }
    QTest::mouseClick(scroll, Qt::LeftButton);
    EXPECT_FALSE(details().TimerLeft()->isActive());
    QTest::mouseClick(scroll, Qt::LeftButton);
    EXPECT_TRUE(details().TimerLeft()->isActive());
}

}  // namespace
