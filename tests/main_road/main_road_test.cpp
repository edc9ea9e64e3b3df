// The main road, as a new user goes down it: a fresh data folder, an item chosen in the tree, its
// case list, a new case picked in the calendar and stored, its chart as chartdump builds it, a
// conclusion typed there, the list showing it also after a new start, and its deletion; and the
// notebook page that is never lost, whatever the user does next.
#include "calendar/widgets/wnl.h"
#include "core/code_item.h"
#include "core/globals.h"
#include "library/frm_calendar.h"
#include "platform/dao/dao.h"
#include "platform/forms/combobox.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/label.h"
#include "platform/forms/listview.h"
#include "platform/forms/richtextbox.h"
#include "platform/vb/termination_signals.h"
#include "tests/cases/case_fixture.h"
#include "tests/support/test_env.h"
#include "tools/chartdump/chart_json.h"
#include "windows/chart_cells_widget.h"
#include "windows/frm_ba_zi.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include <csignal>

namespace {

class MainRoad : public CaseWindowTest {
protected:
    // Clicks the tree node of item `id`.
    void chooseItem(int id) {
        QTreeWidget* tree = window_->tvCodeItems();
        QTreeWidgetItem* node = window_->nodeByKey(QStringLiteral("C%1").arg(id));
        ASSERT_TRUE(node);
        tree->scrollToItem(node);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(node).center());
        QApplication::processEvents();
        ASSERT_TRUE(details().item());
        ASSERT_EQ(details().item()->Key(), QString::number(id));
    }
    // Ends the program the way the user does and starts it again on the same folders.
    void restart() {
        window_->close();
        QApplication::processEvents();
        stop();
        if (core::gWorkDB.isOpen()) core::gWorkDB.close();
        core::gWorkDB = dao::Database();
        window_ = &start();
        window_->Show();
        QApplication::processEvents();
    }
    QWidget* listViewport() { return files().lvFiles()->viewport(); }
    QTreeWidgetItem* onlyRow() {
        return files().lvFiles()->itemCount() == 1 ? files().lvFiles()->topLevelItem(0) : nullptr;
    }
    static forms::ComboBox* combo(calendar::Wnl* w, const char* name) {
        return w->findChild<forms::ComboBox*>(QString::fromLatin1(name));
    }
    static bool pageHolds(const QString& file, const char* text) {
        QFile f(core::gWorkPath + file);
        return f.open(QIODevice::ReadOnly) && f.readAll().contains(text);
    }
    void typeIntoPage(const QString& text) {
        txtCode().setFocus();
        txtCode().setSelStart(txtCode().text().size());
        QTest::keyClicks(&txtCode(), text);
    }
};

TEST_F(MainRoad, ANewCaseFromTheCalendarToTheListAndAway) {
    // A fresh start shows the reading panel.
    EXPECT_TRUE(panel().isVisible());
    chooseItem(3);
    EXPECT_FALSE(panel().isVisible());
    clickTab(1);
    ASSERT_TRUE(files().isVisible());
    ASSERT_EQ(files().lvFiles()->itemCount(), 0);

    // A double-click on the empty list opens the new-case dialog.
    QTest::mouseDClick(listViewport(), Qt::LeftButton, {}, QPoint(40, 40));
    library::FrmCalendar* dialog = forms::loadedInstance<library::FrmCalendar>();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(dialog->isVisible());

    // The birth moment is picked in the calendar's lists: 1990-06-06 12:30.
    calendar::Wnl* cal = dialog->wnlqd();
    combo(cal, "Cboyear")->setListIndex(1990 - 1882);
    combo(cal, "cbomonth")->setListIndex(5);
    combo(cal, "cboDay")->setListIndex(5);
    combo(cal, "cboHour")->setListIndex(12);
    combo(cal, "cboMin")->setListIndex(30);
    const QString born = dialog->txtborntime()->text();
    EXPECT_EQ(born, "1990-6-6 12:30");
    typeText(dialog->txtnume(), QStringLiteral("王五"));
    QTest::mouseClick(dialog->opXingbie2(), Qt::LeftButton);
    QTest::mouseClick(dialog->cmdok(), Qt::LeftButton);
    forms::deleteUnloadedForms();
    EXPECT_EQ(forms::loadedInstance<library::FrmCalendar>(), nullptr);

    // The case is stored under the item, and the chart window shows its chart.
    EXPECT_EQ(caseCount(3), 1);
    EXPECT_EQ(boxes_.count(), 0) << boxes_.last().text.toStdString();
    windows::FrmBaZi* chart = forms::loadedInstance<windows::FrmBaZi>();
    ASSERT_TRUE(chart);
    ASSERT_TRUE(chart->isVisible());
    EXPECT_EQ(chart->lblXMing()->caption(), "王五");
    const int chartId = chart->shownFileId();
    EXPECT_GT(chartId, 0);
    QProcess dump;
    dump.start(testenv::programDir() + QStringLiteral("/chartdump"),
               {QStringLiteral("--solar"), QStringLiteral("1990-06-06T12:30"), QStringLiteral("female")});
    ASSERT_TRUE(dump.waitForFinished(60000));
    const QJsonObject expected = QJsonDocument::fromJson(dump.readAllStandardOutput()).object();
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(chartdump::chartToJson(*chart->picMain(), QString()), expected);

    // A conclusion typed there is kept in the case's row when the window closes.
    typeText(chart->txtJieLun(), QStringLiteral("命宫坐紫微"));
    chart->close();
    forms::deleteUnloadedForms();
    EXPECT_EQ(forms::loadedInstance<windows::FrmBaZi>(), nullptr);

    // Back on the library window the list takes the new row.
    window_->activateWindow();
    files().setFocus();
    QApplication::processEvents();
    if (core::gCodeID != 0) files().lvFiles_GotFocus();  // no focus event where no window is active
    QTreeWidgetItem* row = onlyRow();
    ASSERT_TRUE(row);
    EXPECT_EQ(row->text(1), "王五");
    EXPECT_EQ(row->text(2), "女");
    EXPECT_EQ(row->text(3), born);
    EXPECT_EQ(row->text(10), "命宫坐紫微");
    EXPECT_EQ(files().recordId(row), chartId);

    // A new start on the same data folder shows the same.
    restart();
    chooseItem(3);
    clickTab(1);
    row = onlyRow();
    ASSERT_TRUE(row);
    EXPECT_EQ(row->text(1), "王五");
    EXPECT_EQ(row->text(2), "女");
    EXPECT_EQ(row->text(3), born);
    EXPECT_EQ(row->text(10), "命宫坐紫微");

    // Deleted from its pop-up, after the question.
    boxes_.answer(vb::vbYes);
    const QPoint at(20, files().lvFiles()->visualItemRect(row).center().y());
    QTest::mouseClick(listViewport(), Qt::RightButton, {}, at);
    files().mnuPopup()->hide();
    files().menuEntry(QStringLiteral("mnuDeleteFile"))->trigger();
    EXPECT_EQ(boxes_.last().text, "真的要删除这一选定的条目吗？");
    EXPECT_EQ(files().lvFiles()->itemCount(), 0);
    EXPECT_EQ(caseCount(3), 0);
}

TEST_F(MainRoad, ANotebookEditSurvivesTheCaseListTab) {
    chooseItem(2);
    typeIntoPage(QStringLiteral("Round trip"));
    clickTab(1);
    clickTab(0);
    EXPECT_TRUE(txtCode().text().contains(QStringLiteral("Round trip")));
}

TEST_F(MainRoad, ANotebookEditIsSavedWhenAnotherItemIsChosen) {
    chooseItem(2);
    typeIntoPage(QStringLiteral("Next item"));
    chooseItem(3);
    EXPECT_TRUE(pageHolds(QStringLiteral("GREENNOTE2.rtf"), "Next item"));
    chooseItem(2);
    EXPECT_TRUE(txtCode().text().contains(QStringLiteral("Next item")));
}

TEST_F(MainRoad, ANotebookEditOutlivesClosingTheWindow) {
    chooseItem(2);
    typeIntoPage(QStringLiteral("Closed"));
    restart();
    chooseItem(2);
    EXPECT_TRUE(txtCode().text().contains(QStringLiteral("Closed")));
}

TEST_F(MainRoad, ANotebookEditOutlivesSigterm) {
    // The program's own way to meet the signal: its library window unloads as the task manager asks.
    vb::onTerminationSignals(QCoreApplication::instance(), [](int) {
        if (auto* main = forms::loadedInstance<library::FrmCodeLib>()) main->Unload(forms::vbAppTaskManager);
    });
    chooseItem(2);
    typeIntoPage(QStringLiteral("Terminated"));
    std::raise(SIGTERM);
    QElapsedTimer waited;
    waited.start();
    while (forms::loadedInstance<library::FrmCodeLib>() && waited.elapsed() < 10000) QApplication::processEvents();
    ASSERT_EQ(forms::loadedInstance<library::FrmCodeLib>(), nullptr);
    EXPECT_TRUE(pageHolds(QStringLiteral("GREENNOTE2.rtf"), "Terminated"));
    forms::deleteUnloadedForms();
    window_ = &start();
    window_->Show();
    chooseItem(2);
    EXPECT_TRUE(txtCode().text().contains(QStringLiteral("Terminated")));
}

}  // namespace
