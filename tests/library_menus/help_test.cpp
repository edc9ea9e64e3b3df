// The help window: F1 and the help menu open the contents page, and every page and link of the
// installed help can be followed in it.
#include "library/frm_help.h"
#include "platform/vb/folders.h"
#include "tests/library_menus/menus_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>

namespace {

using HelpTest = MenusTest;

QString helpFolder() { return vb::joinPath(vb::programFolder(), QStringLiteral("help")); }

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

}  // namespace
