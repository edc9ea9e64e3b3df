// The help window: F1 and the help menu open the contents page, and every page and link of the
// installed help can be followed in it.
#include "library/frm_help.h"
#include "platform/vb/folders.h"
#include "tests/library_menus/menus_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMap>
#include <QMenuBar>
#include <QSet>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

namespace {

using HelpTest = MenusTest;

QString helpFolder() { return vb::joinPath(vb::programFolder(), QStringLiteral("help")); }

// A caption or a help text as a reader compares them: no accelerator marks, no blanks.
QString bare(QString text) {
    text.remove(QLatin1Char('&'));
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    text.remove(QChar(0x00A0));
    return text;
}

// A help text written as HTML, as plain bare text.
QString bareHtml(QString html) {
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    html.replace(QStringLiteral("&nbsp;"), QString());
    html.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return bare(html);
}

// The entries a help text lists, "日期（Short、Medium、Long）、时间" giving 日期 Short Medium Long 时间.
QSet<QString> listedEntries(const QString& html) {
    QSet<QString> entries;
    for (const QString& e : bareHtml(html).split(QRegularExpression(QStringLiteral("[、（）]")), Qt::SkipEmptyParts))
        entries.insert(e);
    return entries;
}

QString readHelp(const QString& page) {
    QFile f(vb::joinPath(helpFolder(), page));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// A set of entries in a readable order, for comparing and for the message.
std::string joined(const QSet<QString>& entries) {
    QStringList list(entries.begin(), entries.end());
    list.sort();
    return list.join(QStringLiteral("、")).toStdString();
}

// The entries of `menu` (and of its submenus) that are visible now.
void addVisibleEntries(const QMenu& menu, QSet<QString>* into) {
    for (QAction* a : menu.actions()) {
        if (a->isSeparator() || !a->isVisible()) continue;
        into->insert(bare(a->text()));
        if (a->menu()) addVisibleEntries(*a->menu(), into);
    }
}

TEST_F(HelpTest, FOneAndTheMenuOpenTheContents) {
    w().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w()));
    QTest::keyClick(&w(), Qt::Key_F1);
    library::FrmHelp* help = forms::loadedInstance<library::FrmHelp>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(QFileInfo(help->txtHelp()->source().toLocalFile()).fileName(), "index.html");
    EXPECT_TRUE(help->txtHelp()->toPlainText().contains(QStringLiteral("Veyra")));
    help->txtHelp()->setSource(QUrl::fromLocalFile(helpFolder() + QStringLiteral("/keys.html")));
    trigger(QStringLiteral("MnuHeLp"));
    EXPECT_EQ(QFileInfo(help->txtHelp()->source().toLocalFile()).fileName(), "index.html");
}

TEST_F(HelpTest, EveryPageOpensAndEveryLinkResolves) {
    trigger(QStringLiteral("MnuHeLp"));
    library::FrmHelp& help = forms::defaultInstance<library::FrmHelp>();
    const QStringList pages = QDir(helpFolder()).entryList({QStringLiteral("*.html")}, QDir::Files);
    ASSERT_GE(pages.size(), 10);
    int links = 0;
    for (const QString& page : pages) {
        ASSERT_TRUE(help.ShowPage(page)) << page.toStdString();
        QTextBrowser* browser = help.txtHelp();
        EXPECT_FALSE(browser->toPlainText().trimmed().isEmpty()) << page.toStdString();
        const QUrl base = browser->source();
        // Every link of the page, followed in the browser, leads to a page that exists and, for an
        // anchor, to a place on it.
        const QString html = browser->toHtml();
        const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
        for (auto m = href.globalMatch(html); m.hasNext();) {
            const QUrl link(m.next().captured(1));
            if (!link.scheme().isEmpty() && link.scheme() != QLatin1String("file")) continue;
            ++links;
            const QUrl target = base.resolved(link);
            EXPECT_TRUE(QFileInfo(target.toLocalFile()).isFile()) << page.toStdString() << " -> " << link.toString().toStdString();
            browser->setSource(target);
            EXPECT_EQ(browser->source().toLocalFile(), target.toLocalFile());
            if (link.hasFragment()) {
                const QString anchor = link.fragment();
                EXPECT_TRUE(browser->toHtml().contains(QStringLiteral("name=\"%1\"").arg(anchor)) ||
                            browser->toHtml().contains(QStringLiteral("id=\"%1\"").arg(anchor)))
                    << page.toStdString() << " -> #" << anchor.toStdString();
            }
            browser->setSource(base);
        }
    }
    EXPECT_GT(links, pages.size());
    EXPECT_EQ(boxes_.count(), 0);
}

TEST_F(HelpTest, AMissingPageIsSaid) {
    library::FrmHelp& help = forms::defaultInstance<library::FrmHelp>();
    EXPECT_FALSE(help.ShowPage(QStringLiteral("nothing.html")));
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.startsWith("找不到帮助文件："));
}

// The keys page lists, menu by menu, every entry that the window shows at some time (with the
// editor's focus, or enlarged) and none that it never shows; a menu whose entries come only with the
// editor's focus says so.
TEST_F(HelpTest, TheKeysPageListsEveryMenuEntryTheWindowShows) {
    struct Shown {
        QSet<QString> always;  // before the editor has the focus
        QSet<QString> any;
    };
    QMap<QString, Shown> menus;
    const auto look = [&](bool first) {
        for (QAction* top : w().menuBar()->actions()) {
            if (!top->menu() || !top->isVisible()) continue;
            QSet<QString> now;
            addVisibleEntries(*top->menu(), &now);
            Shown& shown = menus[bare(top->text())];
            if (first) shown.always = now;
            shown.any += now;
        }
    };
    look(true);
    focusEditor(true);
    look(false);
    trigger(QStringLiteral("MnuFD"));
    look(false);
    trigger(QStringLiteral("mnuHuanyuan"));
    ASSERT_TRUE(menus.contains(QStringLiteral("工具")));
    EXPECT_TRUE(menus[QStringLiteral("工具")].any.contains(QStringLiteral("还原")));

    const QString keys = readHelp(QStringLiteral("keys.html"));
    const int table = static_cast<int>(keys.indexOf(QStringLiteral("<a name=\"menus\">")));
    ASSERT_GT(table, 0);
    const QRegularExpression row(QStringLiteral("<tr><td>([^<]+)</td><td>(.*?)</td><td>(.*?)</td></tr>"));
    QStringList described;
    for (auto m = row.globalMatch(keys, table); m.hasNext();) {
        const auto match = m.next();
        const QString menu = bare(match.captured(1));
        described << menu;
        ASSERT_TRUE(menus.contains(menu)) << "the page lists a menu the window does not show: " << menu.toStdString();
        const Shown& shown = menus[menu];
        EXPECT_EQ(joined(listedEntries(match.captured(2))), joined(shown.any)) << menu.toStdString();
        if (shown.always != shown.any) {
            EXPECT_TRUE(bareHtml(match.captured(3)).contains(QStringLiteral("编辑区有焦点时"))) << menu.toStdString();
        }
    }
    EXPECT_EQ(joined(QSet<QString>(described.begin(), described.end())), joined(QSet<QString>(menus.keyBegin(), menus.keyEnd())));

    // The tree's pop-up menu is the hidden top-level menu.
    QSet<QString> popup;
    addVisibleEntries(*entry(QStringLiteral("MnuEdit"))->menu(), &popup);
    const QRegularExpression popupLine(QStringLiteral("条目树的右键菜单有：([^<]+)。"));
    const auto line = popupLine.match(keys);
    ASSERT_TRUE(line.hasMatch());
    EXPECT_EQ(joined(listedEntries(line.captured(1))), joined(popup));
}

// The pages of the menus give each entry of the editor's menus its own line.
TEST_F(HelpTest, TheEditorsMenusHaveALinePerEntry) {
    focusEditor(true);
    const QString page = readHelp(QStringLiteral("pages.html"));
    const int from = static_cast<int>(page.indexOf(QStringLiteral("<a name=\"menus\">")));
    const int to = static_cast<int>(page.indexOf(QStringLiteral("</table>"), from));
    ASSERT_GT(from, 0);
    const QString table = page.mid(from, to - from);
    for (const char* name : {"MnuEditRtxt", "mnuInsert", "MnuFormat"}) {
        for (QAction* a : entry(QString::fromLatin1(name))->menu()->actions()) {
            if (a->isSeparator() || !a->isVisible()) continue;
            const QString caption = bare(a->text());
            EXPECT_TRUE(table.contains(QStringLiteral("<td>") + caption + QStringLiteral("</td>"))) << caption.toStdString();
            // A submenu's entries are named in its line.
            if (!a->menu()) continue;
            for (QAction* sub : a->menu()->actions()) {
                EXPECT_TRUE(table.contains(QStringLiteral("“") + bare(sub->text()) + QStringLiteral("”")))
                    << caption.toStdString() << " " << bare(sub->text()).toStdString();
            }
        }
    }
}

}  // namespace
