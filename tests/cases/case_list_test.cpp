// The case list: its columns and rows, the panes of the selected case, adding, opening and deleting
// a case, the pop-up and the reload on focus.
#include "core/globals.h"
#include "library/frm_calendar.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/label.h"
#include "platform/forms/listview.h"
#include "windows/frm_ba_zi.h"
#include "tests/cases/case_fixture.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QUrl>

namespace {

class CaseListTest : public CaseWindowTest {
protected:
    // Shows item 4's case list (the shipped library has case 1 there).
    void showCases(const QString& item = QStringLiteral("4")) {
        ASSERT_TRUE(window_->ShowItemDetails(item));
        clickTab(1);
        ASSERT_TRUE(files().isVisible());
    }
    QWidget* viewport() { return files().lvFiles()->viewport(); }
    QPoint rowPoint(int row) {
        forms::ListView* list = files().lvFiles();
        return QPoint(20, list->visualItemRect(list->topLevelItem(row)).center().y());
    }
};

TEST_F(CaseListTest, ColumnsAndRowsAsStored) {
    const QStringList headers = {"序号    ", "姓名      ", "性别     ", "出生时间  ", "排命盘时间 ", "编号      ",
                                 "保存时间", "地址      ", "电话      ", "事由      ", "结论     ", "随机号"};
    forms::ListView* list = files().lvFiles();
    ASSERT_EQ(list->columnHeaderCount(), 12);
    for (int c = 0; c < 12; ++c) {
        EXPECT_EQ(list->columnText(c), headers[c]);
        const bool left = c == 0 || c == 5;
        EXPECT_EQ(list->headerItem()->textAlignment(c) & Qt::AlignRight ? 1 : 0, left ? 0 : 1) << c;
    }
    EXPECT_TRUE(list->extendedStyle() & forms::lvsExGridLines);
    EXPECT_TRUE(list->extendedStyle() & forms::lvsExFullRowSelect);
    EXPECT_TRUE(files().Splitter1());  // the hosted splitter control holds the panes

    for (int i = 0; i < 10; ++i) addCase(3, QStringLiteral("甲%1").arg(i), QStringLiteral("男"), QStringLiteral("1990-5-%1 8:30").arg(i + 1));
    core::gWorkDB.execute(QStringLiteral("insert into codefiles (id, codeid, name, xingbie, borntime, why, jielun) values (42, 3, '乙', '女', '1988-2-3 9:15', '问事业', '宜守')"));
    showCases(QStringLiteral("3"));
    ASSERT_EQ(list->itemCount(), 11);
    QTreeWidgetItem* eleventh = nullptr;
    for (int r = 0; r < 11; ++r)
        if (list->topLevelItem(r)->text(0) == "000011") eleventh = list->topLevelItem(r);
    ASSERT_TRUE(eleventh);
    const QStringList texts = rowTexts(eleventh);
    EXPECT_EQ(texts[1], "乙");
    EXPECT_EQ(texts[2], "女");
    EXPECT_EQ(texts[3], "1988-2-3 9:15");
    EXPECT_EQ(texts[5], "0000042");
    EXPECT_EQ(texts[9], "问事业");
    EXPECT_EQ(texts[10], "宜守");
    EXPECT_EQ(texts[11], "");
    EXPECT_EQ(forms::ListView::key(eleventh), "ID=42");
}

TEST_F(CaseListTest, ClicksFillThePanes) {
    addCase(3, QStringLiteral("丙"), QStringLiteral("男"), QStringLiteral("1970-1-1 1:11"), QStringLiteral("问婚姻"), QStringLiteral("晚婚"));
    showCases(QStringLiteral("3"));
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, rowPoint(0));
    EXPECT_EQ(files().splittertxt1()->toPlainText(), "问婚姻");
    EXPECT_EQ(files().splittertxt2()->toPlainText(), "晚婚");
    EXPECT_EQ(files().splittertxt1()->font().pointSize(), 12);
    files().lvFiles()->clearSelection();
    files().lvFiles_Click();
    EXPECT_EQ(files().splittertxt1()->toPlainText(), "此栏显示事由");
    EXPECT_EQ(files().splittertxt2()->toPlainText(), "此栏显示结论");

    showCases(QStringLiteral("2"));  // no cases
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, QPoint(30, 60));
    EXPECT_EQ(files().splittertxt1()->toPlainText(), "");
    EXPECT_EQ(files().splittertxt1()->font().pointSize(), 36);
}

TEST_F(CaseListTest, ADoubleClickOnEmptySpaceOpensTheNewCaseDialogForTheItem) {
    showCases(QStringLiteral("2"));
    QTest::mouseDClick(viewport(), Qt::LeftButton, {}, QPoint(30, 60));
    auto* dialog = forms::loadedInstance<library::FrmCalendar>();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->itemId(), 2);
    EXPECT_EQ(core::gCodeID, 2);
}

TEST_F(CaseListTest, OpeningACaseTakesItsStoredIdSexAndBirth) {
    const int id = addCase(3, QStringLiteral("丁"), QStringLiteral("女"), QStringLiteral("1984-7-9 23:40"));
    const int other = addCase(3, QStringLiteral("戊"), QStringLiteral("未知"), QStringLiteral("1984-7-9 6:00"));
    showCases(QStringLiteral("3"));
    files().ExportFile(files().lvFiles()->item(QStringLiteral("ID=%1").arg(id)));
    EXPECT_EQ(core::gCurrentFileID, id);
    EXPECT_FALSE(core::gIsMale);
    windows::FrmBaZi* chart = forms::loadedInstance<windows::FrmBaZi>();
    ASSERT_TRUE(chart);
    EXPECT_EQ(chart->shownBirth(), vb::Date::fromParts(1984, 7, 9, 23, 40));
    EXPECT_EQ(chart->lblXMing()->caption(), "丁");
    core::gIsMale = true;
    files().ExportFile(files().lvFiles()->item(QStringLiteral("ID=%1").arg(other)));
    EXPECT_FALSE(core::gIsMale);  // anything but 男 opens as female
}

TEST_F(CaseListTest, ABirthTimeThatDoesNotConvertIsReported) {
    const int id = addCase(3, QStringLiteral("己"), QStringLiteral("男"), QStringLiteral("某年某月"));
    showCases(QStringLiteral("3"));
    core::gCurrentFileID = 0;
    boxes_.clear();
    EXPECT_FALSE(files().ExportFile(files().lvFiles()->item(QStringLiteral("ID=%1").arg(id))));
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.contains(QStringLiteral("某年某月")));
    EXPECT_EQ(core::gCurrentFileID, 0);
}

TEST_F(CaseListTest, DeleteAsksAndActsOnTheRowUnderThePointer) {
    const int first = addCase(3, QStringLiteral("庚"), QStringLiteral("男"), QStringLiteral("1990-1-1 1:00"));
    const int second = addCase(3, QStringLiteral("辛"), QStringLiteral("女"), QStringLiteral("1991-1-1 1:00"));
    showCases(QStringLiteral("3"));
    forms::ListView* list = files().lvFiles();
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, rowPoint(0));  // selects the first row

    // A right-click on the second row selects it; its pop-up deletes it, after the question.
    boxes_.answer(vb::vbNo);
    QTest::mouseClick(viewport(), Qt::RightButton, {}, rowPoint(1));
    files().mnuPopup()->hide();
    EXPECT_TRUE(files().menuEntry(QStringLiteral("mnuDeleteFile"))->isEnabled());
    EXPECT_EQ(files().mnuPopup()->defaultAction(), files().menuEntry(QStringLiteral("MnuGrid")));
    files().menuEntry(QStringLiteral("mnuDeleteFile"))->trigger();
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "真的要删除这一选定的条目吗？");
    EXPECT_EQ(boxes_.last().title, "Delete");
    EXPECT_EQ(boxes_.last().buttons, vb::vbYesNo | vb::vbQuestion | vb::vbDefaultButton2);
    EXPECT_EQ(list->itemCount(), 2);
    EXPECT_EQ(caseCount(3), 2);

    boxes_.answer(vb::vbYes);
    files().menuEntry(QStringLiteral("mnuDeleteFile"))->trigger();
    ASSERT_EQ(list->itemCount(), 1);
    EXPECT_EQ(files().recordId(list->topLevelItem(0)), first);
    EXPECT_EQ(caseCount(3), 1);
    (void)second;

    // A right-click on empty space offers no deletion; the Delete key with nothing selected asks nothing.
    QTest::mouseClick(viewport(), Qt::RightButton, {}, QPoint(30, viewport()->height() - 5));
    files().mnuPopup()->hide();
    EXPECT_FALSE(files().menuEntry(QStringLiteral("mnuDeleteFile"))->isEnabled());
    list->clearSelection();
    boxes_.clear();
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(boxes_.count(), 0);
    EXPECT_EQ(caseCount(3), 1);
}

TEST_F(CaseListTest, GridColumnsAndColours) {
    showCases();
    forms::ListView* list = files().lvFiles();
    files().menuEntry(QStringLiteral("MnuGrid"))->trigger();
    EXPECT_FALSE(list->extendedStyle() & forms::lvsExGridLines);
    files().menuEntry(QStringLiteral("MnuGrid"))->trigger();
    EXPECT_TRUE(list->extendedStyle() & forms::lvsExGridLines);
    files().menuEntry(QStringLiteral("MnuWide"))->trigger();
    EXPECT_TRUE(list->isVisible());
    EXPECT_GE(list->columnWidthPixels(1), list->header()->fontMetrics().horizontalAdvance(list->columnText(1)));

    dialogs_.answer(forms::DialogAnswer::colour(0x00FF00u));
    files().menuEntry(QStringLiteral("MnuLvfilesBcolor"))->trigger();
    EXPECT_EQ(list->backColor(), 0x00FF00u);
    EXPECT_EQ(files().splittertxt1()->palette().color(QPalette::Base), QColor(0, 255, 0));
    dialogs_.answer(forms::DialogAnswer::cancel());
    files().menuEntry(QStringLiteral("MnuLvfilesFcolor"))->trigger();
    EXPECT_EQ(list->foreColor(), vb::vbWindowText);

    emit list->columnClick(3);
    EXPECT_TRUE(list->sorted());
    EXPECT_EQ(list->sortKey(), 3);
}

TEST_F(CaseListTest, TheListReloadsOnFocusOnlyWhileSignalled) {
    showCases(QStringLiteral("3"));
    ASSERT_EQ(files().lvFiles()->itemCount(), 0);
    addCase(3, QStringLiteral("壬"), QStringLiteral("男"), QStringLiteral("1990-1-1 1:00"));
    core::gCodeID = 0;
    files().lvFiles_GotFocus();
    EXPECT_EQ(files().lvFiles()->itemCount(), 0);
    core::gCodeID = -1;
    files().lvFiles_GotFocus();
    EXPECT_EQ(files().lvFiles()->itemCount(), 1);
    EXPECT_EQ(core::gCodeID, 0);
}

TEST_F(CaseListTest, ADropListsTheRowsAgainAndStoresNothing) {
    showCases();
    const int before = caseCount(4);
    auto* data = new QMimeData;
    data->setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/some.txt"))});
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, data, Qt::LeftButton, {});
    QApplication::sendEvent(viewport(), &drop);
    delete data;
    EXPECT_EQ(caseCount(4), before);
    EXPECT_EQ(files().lvFiles()->itemCount(), before);
}

}  // namespace
