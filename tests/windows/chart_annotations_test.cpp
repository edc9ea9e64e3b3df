// The chart window's annotation lists, the knowledge text and the enlarged-text window, over a copy
// of the rule database whose explanation rows the test writes.
#include "windows/frm_ba_zi.h"

#include "core/conversions.h"
#include "core/globals.h"
#include "core/rule_database.h"
#include "platform/dao/dao.h"
#include "platform/forms/combobox.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/richtextbox.h"
#include "platform/forms/screen_bounds.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/folders.h"
#include "platform/vb/msgbox.h"
#include "tests/support/test_env.h"
#include "windows/chart_annotations.h"
#include "windows/frm_fang_da.h"
#include "windows/frm_top.h"

#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using windows::FrmBaZi;
using windows::FrmFangDa;

class ChartAnnotations : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(program_.isValid());
        ASSERT_TRUE(QFile::copy(testenv::programDir() + QStringLiteral("/zodazire.mdb"), program_.path() + QStringLiteral("/zodazire.mdb")));
        // The window hosts its splitter from the program folder too.
        for (const char* file : {"libsplitter.so", "Chart.Splitter1.stm"})
            ASSERT_TRUE(QFile::copy(testenv::programDir() + QStringLiteral("/") + QLatin1String(file),
                                    program_.path() + QStringLiteral("/") + QLatin1String(file)));
        vb::setProgramFolder(program_.path());
        {
            dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(core::ruleDatabasePath(), false, false,
                                                                             QString::fromUtf16(core::kRuleConnect));
            for (const char* table : {"saveM", "saveY", "zs"})
                if (db.hasTable(QLatin1String(table))) db.execute(QStringLiteral("DROP TABLE ") + QLatin1String(table));
            db.execute(QStringLiteral("CREATE TABLE saveM (id LONG, description MEMO)"));
            db.execute(QStringLiteral("CREATE TABLE saveY (id LONG, description MEMO)"));
            db.execute(QStringLiteral("CREATE TABLE zs (a MEMO)"));
            const auto row = [&](const char* table, int id, const QString& text) {
                db.execute(QStringLiteral("INSERT INTO %1 (id, description) VALUES (?, ?)").arg(QLatin1String(table)),
                           {vb::Variant(id), vb::Variant(core::UnscrambleText(text))});
            };
            row("saveM", 1, QStringLiteral("左辅坐命，得助力。"));
            row("saveM", 2, QString());
            row("saveM", 59, QStringLiteral("宫位通论。"));
            row("saveM", 60, QStringLiteral("星曜通论。"));
            row("saveY", 1, QStringLiteral("兄弟宫主手足。"));
            db.execute(QStringLiteral("INSERT INTO zs (a) VALUES ('紫微斗数入门。')"));
            db.close();
        }
        dao::DBEngine::closeIdleHandles();
        core::gCurrentFileID = 0;
        ASSERT_TRUE(windows::openCase(vb::Date::fromParts(1990, 6, 6, 8, 15), true, 0, QString()));
        w_ = forms::loadedInstance<FrmBaZi>();
    }
    void TearDown() override {
        forms::unloadAll(forms::vbFormCode);
        forms::deleteUnloadedForms();
        dao::DBEngine::closeIdleHandles();
        vb::setProgramFolder(QString());
    }

    void pickStar(int i) { w_->cboMg()->setListIndex(i); }
    void pickPalace(int i) { w_->cboDZ()->setListIndex(i); }
    QString shown() const { return w_->txtDuiZao()->toPlainText(); }
    void dropRow(const char* table, int id) {
        dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(core::ruleDatabasePath(), false, false,
                                                                         QString::fromUtf16(core::kRuleConnect));
        db.execute(QStringLiteral("DELETE FROM %1 WHERE id=%2").arg(QLatin1String(table)).arg(id));
    }

    vb::MsgBoxScript boxes_;
    QTemporaryDir program_;
    FrmBaZi* w_ = nullptr;
};

TEST_F(ChartAnnotations, ListsHoldTheirEntriesAndTheBoxTheNotice) {
    ASSERT_EQ(w_->cboMg()->listCount(), 58);
    ASSERT_EQ(w_->cboDZ()->listCount(), 11);
    EXPECT_EQ(w_->cboMg()->list(0), "左辅A");
    EXPECT_EQ(w_->cboMg()->list(28), "化忌A");
    EXPECT_EQ(w_->cboMg()->list(29), "八座");
    EXPECT_EQ(w_->cboMg()->list(57), "阴煞");
    EXPECT_EQ(w_->cboDZ()->list(10), "父母宫");
    EXPECT_EQ(w_->cboMg()->placeholderText(), "命宫分析");
    EXPECT_EQ(w_->cboDZ()->placeholderText(), "余宫分析");
    EXPECT_EQ(shown(), QString::fromUtf16(windows::kAnnotationNotice));
    EXPECT_EQ(w_->annotationTitle(), "");
}

TEST_F(ChartAnnotations, PickShowsItsRowOrTheFallbackNeverThePreviousText) {
    pickStar(0);
    EXPECT_EQ(shown(), "左辅坐命，得助力。");
    EXPECT_EQ(w_->annotationTitle(), "左辅A");
    pickStar(1);
    EXPECT_EQ(shown(), "星曜通论。") << "an empty explanation shows row 60";
    pickStar(57);
    EXPECT_EQ(shown(), "星曜通论。") << "a missing row shows row 60 too";
    EXPECT_EQ(w_->annotationTitle(), "阴煞");
    pickPalace(0);
    EXPECT_EQ(shown(), "兄弟宫主手足。");
    pickPalace(10);
    EXPECT_EQ(shown(), "宫位通论。") << "a palace falls back on saveM row 59";
    EXPECT_EQ(w_->annotationTitle(), "父母宫");

    dropRow("saveM", 60);
    pickStar(0);
    pickStar(2);
    EXPECT_EQ(shown(), "") << "without the fallback row the box is empty";
    EXPECT_EQ(w_->annotationTitle(), "右弼A");
    EXPECT_EQ(boxes_.count(), 0);
}

TEST_F(ChartAnnotations, AnUnreadableRuleDatabaseLeavesTheBoxAsItWasAndIsReportedOnce) {
    pickStar(0);
    ASSERT_EQ(shown(), "左辅坐命，得助力。");
    const QString path = core::ruleDatabasePath();
    const QString kept = program_.path() + QStringLiteral("/kept.mdb");
    dao::DBEngine::closeIdleHandles();
    ASSERT_TRUE(QFile::rename(path, kept));

    pickStar(2);
    EXPECT_EQ(shown(), "左辅坐命，得助力。");
    EXPECT_EQ(w_->annotationTitle(), "右弼A") << "the title follows the pick";
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.startsWith(QStringLiteral("3024 "))) << boxes_.last().text.toStdString();
    EXPECT_TRUE(boxes_.last().text.endsWith(QStringLiteral(" frmBaZi::cboMg_Click"))) << boxes_.last().text.toStdString();
    pickPalace(0);
    pickStar(3);
    EXPECT_EQ(shown(), "左辅坐命，得助力。");
    EXPECT_EQ(w_->annotationTitle(), "武曲A");
    EXPECT_EQ(boxes_.count(), 1) << "said once, not at every pick";

    // Readable again, then a table gone: a new failure is said again.
    ASSERT_TRUE(QFile::rename(kept, path));
    pickPalace(1);
    pickPalace(0);
    EXPECT_EQ(shown(), "兄弟宫主手足。");
    {
        dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(path, false, false, QString::fromUtf16(core::kRuleConnect));
        db.execute(QStringLiteral("DROP TABLE saveY"));
    }
    pickPalace(2);
    pickPalace(3);
    EXPECT_EQ(shown(), "兄弟宫主手足。");
    EXPECT_EQ(w_->annotationTitle(), "财帛宫");
    ASSERT_EQ(boxes_.count(), 2);
    EXPECT_TRUE(boxes_.last().text.endsWith(QStringLiteral(" frmBaZi::cboDZ_Click"))) << boxes_.last().text.toStdString();
}

// The chart page of the help gives every menu entry of the chart window its line, and names the
// enlarged window's menu.
TEST_F(ChartAnnotations, TheHelpPageDescribesEveryMenuEntry) {
    QFile file(testenv::sourceDir() + QStringLiteral("/data/help/chart.html"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    const qsizetype from = page.indexOf(QStringLiteral("<a name=\"menus\">"));
    ASSERT_GT(from, 0);
    const QString table = page.mid(from, page.indexOf(QStringLiteral("</table>"), from) - from);
    int entries = 0;
    for (QAction* top : w_->menuBar()->actions()) {
        if (!top->isVisible()) continue;
        EXPECT_TRUE(table.contains(QStringLiteral(">") + top->text() + QStringLiteral("</td>"))) << top->text().toStdString();
        ++entries;
        if (!top->menu()) continue;
        for (QAction* a : top->menu()->actions()) {
            if (a->isSeparator() || !a->isVisible()) continue;
            EXPECT_TRUE(table.contains(QStringLiteral("<td>") + a->text() + QStringLiteral("</td>"))) << a->text().toStdString();
            ++entries;
        }
    }
    EXPECT_EQ(entries, 4);
    w_->txtDuiZao_DblClick();
    FrmFangDa* big = forms::loadedInstance<FrmFangDa>();
    ASSERT_NE(big, nullptr);
    for (QAction* top : big->menuBar()->actions())
        EXPECT_TRUE(page.contains(QStringLiteral("放大窗口有“") + top->text() + QStringLiteral("”菜单"))) << top->text().toStdString();
}

TEST_F(ChartAnnotations, EnlargedWindowGrowsItsCaptionAndClosesOnDoubleClick) {
    QTest::mouseDClick(w_->txtDuiZao()->viewport(), Qt::LeftButton);
    FrmFangDa* big = forms::loadedInstance<FrmFangDa>();
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->Caption(), "——");
    EXPECT_EQ(big->TxtFd()->text(), QString::fromUtf16(windows::kAnnotationNotice));
    EXPECT_TRUE(big->isVisible());
    auto* top = forms::loadedInstance<windows::FrmTop>();
    ASSERT_NE(top, nullptr);
    EXPECT_FALSE(top->isVisible());

    pickStar(0);
    w_->txtDuiZao_DblClick();
    EXPECT_EQ(big->Caption(), "————左辅A");
    EXPECT_EQ(big->TxtFd()->text(), "左辅坐命，得助力。");

    big->setClientSize(6000, 4000);
    big->resize(big->size());
    QTest::qWait(0);
    const QRect box = forms::twipsGeometry(big->TxtFd());
    // Within the pixel that twips round to.
    EXPECT_NEAR(box.width(), big->Width() - 130, 15);
    EXPECT_NEAR(box.height(), big->Height() - 650, 15);

    QTest::mouseDClick(big->TxtFd()->viewport(), Qt::LeftButton);
    forms::deleteUnloadedForms();
    EXPECT_EQ(forms::loadedInstance<FrmFangDa>(), nullptr);
    w_->txtDuiZao_DblClick();
    EXPECT_EQ(forms::loadedInstance<FrmFangDa>()->Caption(), "——左辅A");
}

// Through the menu bar, as the user chooses it.
void chooseKnowledge(FrmBaZi* w) {
    QAction* entry = w->menuBar()->findChild<QAction*>(QStringLiteral("MnuZS"));
    ASSERT_NE(entry, nullptr);
    entry->trigger();
}

TEST_F(ChartAnnotations, KnowledgeFromAnUnreadableRuleDatabaseIsReportedAndOpensNoEmptyWindow) {
    const QString path = core::ruleDatabasePath();
    const QString kept = program_.path() + QStringLiteral("/kept.mdb");
    dao::DBEngine::closeIdleHandles();
    ASSERT_TRUE(QFile::rename(path, kept));

    chooseKnowledge(w_);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.startsWith(QStringLiteral("3024 "))) << boxes_.last().text.toStdString();
    EXPECT_TRUE(boxes_.last().text.endsWith(QStringLiteral(" frmBaZi::MnuZS_Click"))) << boxes_.last().text.toStdString();
    EXPECT_EQ(forms::loadedInstance<FrmFangDa>(), nullptr) << "no window titled as knowledge without it";
    chooseKnowledge(w_);
    EXPECT_EQ(boxes_.count(), 2) << "each choice of the entry gets its answer";

    // A table gone is a failure to read as well, and leaves an open enlarged window as it was.
    ASSERT_TRUE(QFile::rename(kept, path));
    w_->txtDuiZao_DblClick();
    FrmFangDa* big = forms::loadedInstance<FrmFangDa>();
    ASSERT_NE(big, nullptr);
    {
        dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(path, false, false, QString::fromUtf16(core::kRuleConnect));
        db.execute(QStringLiteral("DROP TABLE zs"));
    }
    chooseKnowledge(w_);
    ASSERT_EQ(boxes_.count(), 3);
    EXPECT_TRUE(boxes_.last().text.endsWith(QStringLiteral(" frmBaZi::MnuZS_Click"))) << boxes_.last().text.toStdString();
    EXPECT_EQ(big->Caption(), "——");
    EXPECT_EQ(big->TxtFd()->text(), QString::fromUtf16(windows::kAnnotationNotice));
}

// The enlarged window is a window of its own that opens over the chart window, not wherever the
// window manager finds room (which may be half off the screen).
TEST_F(ChartAnnotations, EnlargedWindowOpensCentredOnTheChartWindowOnTheScreenAndComesBackFromMinimised) {
    w_->Move(0, 0, w_->Width(), w_->Height());
    QTest::qWait(0);
    chooseKnowledge(w_);
    FrmFangDa* big = forms::loadedInstance<FrmFangDa>();
    ASSERT_NE(big, nullptr);
    QTest::qWait(0);
    const QRect screen = big->screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(big->frameGeometry())) << qPrintable(QStringLiteral("%1,%2 %3×%4").arg(big->x()).arg(big->y()).arg(big->width()).arg(big->height()));
    const QRect bounded = forms::boundedByScreens(QRect(QPoint(), big->frameGeometry().size()).translated(
        w_->frameGeometry().center() - QRect(QPoint(), big->frameGeometry().size()).center()));
    EXPECT_LE((big->frameGeometry().topLeft() - bounded.topLeft()).manhattanLength(), 2);
    EXPECT_NE(big->parentWidget(), w_) << "closing the chart leaves the text open";

    // Moved by the user, it stays where it was put when it is chosen again.
    big->move(big->pos() + QPoint(-40, -30));
    const QPoint put = big->pos();
    chooseKnowledge(w_);
    w_->txtDuiZao_DblClick();
    EXPECT_EQ(big->pos(), put);

    // Minimised, it comes back when it is asked for again: by the menu, and by the annotation box.
    for (const bool byMenu : {true, false}) {
        big->showMinimized();
        QTest::qWait(0);
        ASSERT_TRUE(big->isMinimized());
        if (byMenu) chooseKnowledge(w_);
        else QTest::mouseDClick(w_->txtDuiZao()->viewport(), Qt::LeftButton);
        EXPECT_FALSE(big->isMinimized()) << (byMenu ? "知识" : "the annotation box");
        EXPECT_TRUE(big->isVisible());
    }
}

TEST_F(ChartAnnotations, KnowledgeMenuShowsTheIntroductionAndAppendsItsTitle) {
    w_->MnuZS_Click();
    w_->MnuZS_Click();
    FrmFangDa* big = forms::loadedInstance<FrmFangDa>();
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(big->TxtFd()->text(), "紫微斗数入门。");
    EXPECT_EQ(big->Caption(), "——知识——知识");
}

}  // namespace

namespace {

TEST_F(ChartAnnotations, EnlargedTextPrintsThroughItsDialog) {
    w_->MnuZS_Click();
    FrmFangDa* big = forms::loadedInstance<FrmFangDa>();
    ASSERT_NE(big, nullptr);
    QTemporaryDir out;
    const QString pdf = out.path() + QStringLiteral("/text.pdf");
    forms::DialogScript dialogs;
    dialogs.answer(forms::DialogAnswer::printer(pdf));
    big->MnuFdDy_Click();
    EXPECT_EQ(dialogs.count(), 1);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF"));
    EXPECT_EQ(boxes_.count(), 0);
}

}  // namespace
