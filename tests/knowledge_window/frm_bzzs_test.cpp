// The knowledge window, offscreen, through its real menu entries, slider and print dialog, against
// the built rule database or a changed copy of it.
#include "platform/dao/dao.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/font_faces.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/richtextbox.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/folders.h"
#include "platform/vb/msgbox.h"
#include "tests/support/test_env.h"
#include "windows/frm_bzzs.h"
#include "windows/knowledge_topics.h"

#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

using windows::FrmBZzs;
using windows::KnowledgeTopic;
using windows::kKnowledgeTopics;
using windows::TopicKind;

const QString kConnect = QStringLiteral("; pwd=QuietLoom ");
constexpr int kBaGe = 58;  // the article of entry MnuBAge "八格"
const QString kUnreadable58 = QStringLiteral("无法从规则数据库读取八字知识（编号 58）：\n");

QString builtDatabase() { return testenv::programDir() + QStringLiteral("/zodazire.mdb"); }

dao::Database openRules(const QString& path) {
    return dao::DBEngine::defaultWorkspace().openDatabase(path, false, false, kConnect);
}

// Article `id` as the built rule database holds it; null when there is no row.
std::optional<QString> storedArticle(int id) {
    dao::Database db = openRules(builtDatabase());
    dao::Recordset rs = db.openRecordset(QStringLiteral("SELECT content FROM bazizhishi WHERE id=%1").arg(id), dao::dbOpenSnapshot);
    if (rs.eof()) return std::nullopt;
    return rs[QStringLiteral("content")].text();
}

// A program folder of its own, with a copy of the rule database unless told otherwise; the program
// reads from it while the object lives.
class ProgramFolder {
public:
    explicit ProgramFolder(bool withDatabase = true) {
        if (withDatabase) QFile::copy(builtDatabase(), database());
        vb::setProgramFolder(dir_.path());
    }
    ~ProgramFolder() { vb::setProgramFolder(QString()); }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    QString database() const { return dir_.filePath(QStringLiteral("zodazire.mdb")); }
    void execute(const QString& sql, const QList<vb::Variant>& params = {}) const {
        dao::Database db = openRules(database());
        db.execute(sql, params);
        db.close();
    }
    void overwrite(const QByteArray& bytes) const {
        QFile f(database());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

private:
    QTemporaryDir dir_;
};

// The font over the whole text, read without disturbing the caret.
struct WholeTextFont {
    std::optional<QString> name;
    std::optional<double> points;
};
WholeTextFont wholeTextFont(forms::RichTextBox& box) {
    const int start = box.selStart(), length = box.selLength();
    box.setSelStart(0);
    box.setSelLength(static_cast<int>(box.text().size()));
    WholeTextFont f{box.selFontName(), box.selFontSize()};
    box.setSelStart(start);
    box.setSelLength(length);
    return f;
}

int pdfPages(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return 0;
    return static_cast<int>(QString::fromLatin1(f.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

class KnowledgeWindow : public ::testing::Test {
protected:
    void SetUp() override {
        form = &forms::defaultInstance<FrmBZzs>();
        form->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    }
    void TearDown() override {
        forms::unloadInstance<FrmBZzs>();
        forms::deleteUnloadedForms();
    }

    forms::RichTextBox& box() const { return *form->TxtZs(); }
    QSlider& slider() const { return *form->Slider1(); }
    void choose(const QString& name) const {
        QAction* action = form->menuEntry(name);
        ASSERT_NE(action, nullptr) << name.toStdString();
        action->trigger();
    }
    QString article(int id) const { return storedArticle(id).value_or(QString()); }

    vb::MsgBoxScript boxes;
    FrmBZzs* form = nullptr;
};

// --- Menus ---------------------------------------------------------------------------------------

// The topic menu as shown: every action in display order, with its submenu.
QList<KnowledgeTopic> shownTopics(const QMenu& menu, const QString& parent, QList<QString>& names,
                                  QList<QString>& captions, QList<QString>& parents) {
    QList<KnowledgeTopic> shown;
    for (QAction* a : menu.actions()) {
        names << a->objectName();
        captions << (a->isSeparator() ? QString() : a->text());
        parents << parent;
        const TopicKind kind = a->isSeparator() ? TopicKind::Separator : a->menu() ? TopicKind::Submenu : TopicKind::Article;
        shown.append({kind, nullptr, nullptr, nullptr, 0});
        if (a->menu()) shown += shownTopics(*a->menu(), a->objectName(), names, captions, parents);
    }
    return shown;
}

TEST_F(KnowledgeWindow, TheMenuBarHoldsTheTopicMenuAndThePrintCommand) {
    const QList<QAction*> top = form->menuBar()->actions();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0]->objectName(), u"Mnubzizhishi");
    EXPECT_EQ(top[0]->text(), u"八字知识");
    ASSERT_NE(top[0]->menu(), nullptr);
    EXPECT_EQ(top[1]->objectName(), u"Mnuprint");
    EXPECT_EQ(top[1]->text(), u"打印");
    EXPECT_EQ(top[1]->menu(), nullptr) << "printing is a command, not a menu";
}

TEST_F(KnowledgeWindow, TheTopicMenuShowsTheWholeTreeInOrder) {
    QList<QString> names, captions, parents;
    const QList<KnowledgeTopic> shown =
        shownTopics(*form->menuEntry(QStringLiteral("Mnubzizhishi"))->menu(), QString(), names, captions, parents);
    ASSERT_EQ(shown.size(), static_cast<qsizetype>(kKnowledgeTopics.size()));
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const KnowledgeTopic& want = kKnowledgeTopics[static_cast<size_t>(i)];
        SCOPED_TRACE(QString::fromUtf16(want.name).toStdString());
        EXPECT_EQ(shown[i].kind, want.kind);
        EXPECT_EQ(names[i], QString::fromUtf16(want.name));
        EXPECT_EQ(captions[i], QString::fromUtf16(want.caption));
        EXPECT_EQ(parents[i], want.parent ? QString::fromUtf16(want.parent) : QString());
    }

    // The entries whose wording is easiest to get wrong, and where the two separators stand.
    struct Entry {
        const char16_t* name;
        const char16_t* caption;
        const char16_t* before;  // the entry shown just above it
    };
    const Entry entries[] = {
        {u"MNuTGdizhi", u"天干地之", u"MNUSMTH"},
        {u"MnuPiMa", u"披麻 吊客 丧门", u"MnusiFei"},
        {u"MnuHongLuan", u"红鸾 天喜", u"MnuPiMa"},
        {u"MnuShiShenFenXi", u"十神分析", u"MnuSSgongneng"},
        {u"MnuG1", u"", u"Mnushou"},
        {u"Mnupin", u"贫", u"MnuG1"},
        {u"dddddddddd", u"", u"Mnutianshe"},
        {u"MnuTLDiWang", u"天罗地网", u"dddddddddd"},
    };
    for (const Entry& e : entries) {
        const qsizetype at = names.indexOf(QString::fromUtf16(e.name));
        ASSERT_GT(at, 0) << QString::fromUtf16(e.name).toStdString();
        EXPECT_EQ(captions[at], QString::fromUtf16(e.caption));
        EXPECT_EQ(names[at - 1], QString::fromUtf16(e.before)) << QString::fromUtf16(e.name).toStdString();
    }
}

TEST_F(KnowledgeWindow, EveryTopicShowsItsArticleAndNeverReadsFiftyToFiftyTwo) {
    // Rows 50 to 52 hold a marker that no entry may show.
    ProgramFolder folder;
    const QString marker = QStringLiteral("不应显示的记录");
    for (int id : {50, 51, 52})
        folder.execute(QStringLiteral("INSERT INTO bazizhishi (id, content) VALUES (?, ?)"), {vb::Variant(id), vb::Variant(marker)});

    int shown = 0;
    for (const KnowledgeTopic& topic : kKnowledgeTopics) {
        if (topic.kind != TopicKind::Article) continue;
        const QString name = QString::fromUtf16(topic.name);
        SCOPED_TRACE(name.toStdString());
        QAction* action = form->menuEntry(name);
        ASSERT_NE(action, nullptr);
        EXPECT_TRUE(action->isVisible() && action->isEnabled());
        action->trigger();
        const std::optional<QString> stored = storedArticle(topic.id);
        ASSERT_TRUE(stored) << "id " << topic.id;
        EXPECT_EQ(box().text(), *stored) << "id " << topic.id;
        EXPECT_NE(box().text(), marker);
        EXPECT_EQ(box().selStart(), 0);
        ++shown;
    }
    EXPECT_EQ(shown, 68);
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(KnowledgeWindow, ATopicOpensWithTheMouseThroughItsSubmenu) {
    QMenuBar* bar = form->menuBar();
    QAction* topMenu = form->menuEntry(QStringLiteral("Mnubzizhishi"));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(topMenu).center());
    QMenu* root = topMenu->menu();
    ASSERT_TRUE(QTest::qWaitFor([&] { return root->isVisible(); }));

    QAction* stars = form->menuEntry(QStringLiteral("MnuSZshenSha"));
    QTest::mouseMove(root, root->actionGeometry(stars).center());
    QTest::mouseClick(root, Qt::LeftButton, {}, root->actionGeometry(stars).center());
    QMenu* sub = stars->menu();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sub->isVisible(); }));

    QAction* leaf = form->menuEntry(QStringLiteral("MnuHongLuan"));
    QTest::mouseMove(sub, sub->actionGeometry(leaf).center());
    QTest::mouseClick(sub, Qt::LeftButton, {}, sub->actionGeometry(leaf).center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return box().text() == article(49); }));
    EXPECT_FALSE(root->isVisible());
}

// --- Design values and life ----------------------------------------------------------------------

TEST_F(KnowledgeWindow, OpensWithItsDesignValuesAndAnEmptyBox) {
    EXPECT_EQ(form->objectName(), u"frmBZzs");
    EXPECT_EQ(form->Caption(), u"八字知识");
    EXPECT_EQ(form->ScaleWidth(), 10020);
    EXPECT_EQ(form->ScaleHeight(), 6945);
    EXPECT_TRUE(box().text().isEmpty());
    EXPECT_EQ(box().objectName(), u"TxtZs");
    EXPECT_EQ(box().font().family(), forms::installedFamily(QStringLiteral("宋体")));
    EXPECT_DOUBLE_EQ(box().font().pointSizeF(), 12);

    EXPECT_EQ(slider().objectName(), u"Slider1");
    EXPECT_EQ(slider().orientation(), Qt::Horizontal);
    EXPECT_EQ(slider().minimum(), 10);
    EXPECT_EQ(slider().maximum(), 30);
    EXPECT_EQ(slider().value(), 10);
    EXPECT_EQ(slider().singleStep(), 1);
    EXPECT_EQ(slider().pageStep(), 5);
    EXPECT_EQ(slider().tickInterval(), 1);
    const QRect s = forms::twipsGeometry(&slider());
    const QRect t = forms::twipsGeometry(&box());
    EXPECT_EQ(s.left(), 0);
    EXPECT_EQ(s.width(), 10020) << "across the full width";
    EXPECT_EQ(s.top() + s.height(), 6945) << "at the bottom";
    EXPECT_LE(t.top() + t.height(), s.top()) << "the box stands above the slider";

    EXPECT_NE(form->dlgCommonDialog1(), nullptr);
    EXPECT_EQ(form->findChild<forms::CommonDialog*>(QStringLiteral("dlgCommonDialog1")), form->dlgCommonDialog1());
}

TEST_F(KnowledgeWindow, IsOneSharedWindowThatStartsEmptyAfterAClose) {
    choose(QStringLiteral("MnuBAge"));
    slider().setValue(20);
    EXPECT_EQ(&forms::defaultInstance<FrmBZzs>(), form) << "opening again brings back the same window";
    EXPECT_FALSE(box().text().isEmpty());

    form->close();  // by its frame
    forms::deleteUnloadedForms();
    EXPECT_EQ(forms::loadedInstance<FrmBZzs>(), nullptr);
    form = &forms::defaultInstance<FrmBZzs>();
    EXPECT_TRUE(box().text().isEmpty());
    EXPECT_EQ(slider().value(), 10) << "nothing survives the close";
}

// --- Choosing entries ----------------------------------------------------------------------------

TEST_F(KnowledgeWindow, ChoosingAnEntryAgainReloadsItButTitlesAndSeparatorsDoNothing) {
    struct Case {
        const char16_t* entry;
        bool reloads;
    };
    const Case cases[] = {
        {u"MnuBAge", true},  // the same entry twice
        {u"mnuYYWX", false},      {u"MnuSZpaifa", false},  {u"MnuSZSanYuan", false}, {u"MnuTYMG", false},
        {u"MMnuSSfenXi", false},  {u"MNuDYXiaoYun", false}, {u"MnuPFguiJian", false}, {u"MnuSZshenSha", false},
        {u"Mnubzizhishi", false}, {u"MnuG1", false},       {u"dddddddddd", false},
    };
    for (const Case& c : cases) {
        const QString entry = QString::fromUtf16(c.entry);
        SCOPED_TRACE(entry.toStdString());
        choose(QStringLiteral("MnuBAge"));
        box().setSelStart(3);
        box().setSelLength(7);
        box().setSelText(QStringLiteral("用户改过的字"));  // typed over: only a reload brings the article back
        box().setSelStart(2);
        box().setSelLength(4);
        const QString before = box().text();

        choose(entry);
        if (c.reloads) {
            EXPECT_EQ(box().text(), article(kBaGe));
            EXPECT_EQ(box().selLength(), 0) << "the earlier selection is gone";
            EXPECT_EQ(box().selStart(), 0);
        } else {
            EXPECT_EQ(box().text(), before);
            EXPECT_EQ(box().selStart(), 2);
            EXPECT_EQ(box().selLength(), 4);
        }
    }
    EXPECT_EQ(boxes.count(), 0);
}

// Each database state, then the entry "八格": what the box shows and what message comes.
TEST_F(KnowledgeWindow, EachClickReadsTheDatabaseAndAFailureLeavesTheBoxAsItWas) {
    struct Case {
        const char* what;
        bool withDatabase;
        std::function<void(const ProgramFolder&)> prepare;
        QString shown;    // empty: the box keeps the article shown before
        QString message;  // the whole message, or its start when `messageStart`
        bool messageStart = false;
    };
    const Case cases[] = {
        {"row changed since the last click", true,
         [](const ProgramFolder& f) { f.execute(QStringLiteral("UPDATE bazizhishi SET content = '八格新稿' WHERE id=58")); },
         QStringLiteral("八格新稿"), QString()},
        {"missing database", false, [](const ProgramFolder&) {}, QString(), kUnreadable58 + QStringLiteral("3024 "), true},
        {"file that is no database", true, [](const ProgramFolder& f) { f.overwrite("not a database at all"); }, QString(),
         kUnreadable58, true},
        {"table missing", true, [](const ProgramFolder& f) { f.execute(QStringLiteral("DROP TABLE bazizhishi")); }, QString(),
         kUnreadable58, true},
        {"row missing", true, [](const ProgramFolder& f) { f.execute(QStringLiteral("DELETE FROM bazizhishi WHERE id=58")); },
         QString(), QStringLiteral("规则数据库中没有这篇八字知识（编号 58）。")},
        {"null content", true,
         [](const ProgramFolder& f) { f.execute(QStringLiteral("UPDATE bazizhishi SET content = NULL WHERE id=58")); }, QString(),
         QStringLiteral("这篇八字知识（编号 58）没有内容。")},
        {"empty content", true,
         [](const ProgramFolder& f) { f.execute(QStringLiteral("UPDATE bazizhishi SET content = '' WHERE id=58")); }, QString(),
         QStringLiteral("这篇八字知识（编号 58）没有内容。")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.clear();
        choose(QStringLiteral("MnuFu"));  // from the shipped database
        const QString before = box().text();
        ASSERT_FALSE(before.isEmpty());
        box().setSelStart(1);
        box().setSelLength(3);
        {
            ProgramFolder folder(c.withDatabase);
            c.prepare(folder);
            choose(QStringLiteral("MnuBAge"));
        }
        if (c.shown.isEmpty()) {
            EXPECT_EQ(box().text(), before);
            EXPECT_EQ(box().selStart(), 1);
            EXPECT_EQ(box().selLength(), 3);
        } else {
            EXPECT_EQ(box().text(), c.shown);
        }
        if (c.message.isEmpty()) {
            EXPECT_EQ(boxes.count(), 0);
            continue;
        }
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().title, u"八字知识");
        EXPECT_EQ(boxes.last().buttons, vb::vbOKOnly | vb::vbExclamation);
        if (c.messageStart) {
            EXPECT_TRUE(boxes.last().text.startsWith(c.message)) << boxes.last().text.toStdString();
            EXPECT_TRUE(boxes.last().text.endsWith(u" frmBZzs::ShowBaziArticle")) << boxes.last().text.toStdString();
        } else {
            EXPECT_EQ(boxes.last().text, c.message);
        }
    }
}

// --- Text size -----------------------------------------------------------------------------------

TEST_F(KnowledgeWindow, TheSliderSizesTheWholeTextAndLaterArticles) {
    struct Case {
        const char* what;
        const char16_t* before;  // the entry chosen first; null for an empty box
        std::function<void(QSlider&)> move;
        const char16_t* after;  // an entry chosen after the move; null for none
        int afterId;
        int value;
        double points;
    };
    const auto key = [](Qt::Key k) { return [k](QSlider& s) { QTest::keyClick(&s, k); }; };
    const auto none = [](QSlider&) {};
    const Case cases[] = {
        {"untouched slider keeps the box's 12 points", u"MnuBAge", none, nullptr, 0, 10, 12},
        {"small change", u"MnuBAge", key(Qt::Key_Right), nullptr, 0, 11, 12},
        {"large change", u"MnuBAge", key(Qt::Key_PageUp), nullptr, 0, 15, 16},
        {"to the end", u"MnuBAge", key(Qt::Key_End), nullptr, 0, 30, 31},
        {"set by code", u"MnuBAge", [](QSlider& s) { s.setValue(20); }, nullptr, 0, 20, 21},
        {"up and back down", u"MnuBAge", [&](QSlider& s) { key(Qt::Key_End)(s); key(Qt::Key_Home)(s); }, nullptr, 0, 10, 11},
        {"an article loaded after the move takes its size", u"MnuBAge", key(Qt::Key_PageUp), u"MnuFu", 59, 15, 16},
        {"moved over an empty box, then an article", nullptr, key(Qt::Key_PageUp), u"MnuGui", 60, 15, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        forms::unloadInstance<FrmBZzs>();
        forms::deleteUnloadedForms();
        form = &forms::defaultInstance<FrmBZzs>();
        form->Show();
        if (c.before) choose(QString::fromUtf16(c.before));
        box().setSelStart(5);
        c.move(slider());
        if (c.after) choose(QString::fromUtf16(c.after));

        EXPECT_EQ(slider().value(), c.value);
        const WholeTextFont font = wholeTextFont(box());
        ASSERT_TRUE(font.points) << "one size over the whole text";
        EXPECT_DOUBLE_EQ(*font.points, c.points);
        EXPECT_EQ(font.name, forms::installedFamily(QStringLiteral("宋体")));
        EXPECT_EQ(box().selLength(), 0);
        const bool moved = c.value != 10 || c.points != 12;
        if (moved) {
            EXPECT_EQ(box().selStart(), 0) << "the caret sits at the start";
            EXPECT_EQ(form->focusWidget(), &box()) << "the box has the focus";
        }
        if (c.after) {
            EXPECT_EQ(box().text(), article(c.afterId));
        }
    }
}

// --- Printing ------------------------------------------------------------------------------------

TEST_F(KnowledgeWindow, PrintingGoesThroughTheWindowsDialogControl) {
    struct Case {
        const char* what;
        bool select;  // a selection in the box before printing
        std::optional<bool> printSelection;  // the answer; none for Cancel
        int flags;    // the dialog's flags as asked
        bool printed;
    };
    const Case cases[] = {
        {"cancel", false, std::nullopt, 264 | forms::cdlPDNoSelection, false},
        {"everything", false, false, 264 | forms::cdlPDNoSelection, true},
        {"everything although a selection is there", true, false, 265, true},
        {"the selection", true, true, 265, true},
        {"the selection choice without a selection", false, true, 264 | forms::cdlPDNoSelection, false},
    };
    QTemporaryDir dir;
    choose(QStringLiteral("MnuBAge"));
    const QString shown = box().text();
    int pagesOfAll = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString pdf = dir.filePath(QString::fromLatin1(c.what) + QStringLiteral(".pdf"));
        box().setSelStart(10);
        if (c.select) box().setSelLength(12);
        forms::DialogScript dialogs;
        if (c.printSelection) dialogs.answer(forms::DialogAnswer::printer(pdf, *c.printSelection));
        choose(QStringLiteral("Mnuprint"));
        ASSERT_EQ(dialogs.count(), 1);
        EXPECT_EQ(dialogs.last().kind, forms::DialogKind::Printer);
        EXPECT_EQ(dialogs.last().flags, c.flags);
        EXPECT_EQ(QFile::exists(pdf), c.printed);
        EXPECT_EQ(box().text(), shown);
        EXPECT_EQ(boxes.count(), 0);
        if (c.printed && c.printSelection == false) pagesOfAll = pdfPages(pdf);
        if (c.printed && c.printSelection == true) {
            EXPECT_EQ(pdfPages(pdf), 1);
        }
        box().setSelLength(0);
    }
    EXPECT_GE(pagesOfAll, 1);
}

}  // namespace
