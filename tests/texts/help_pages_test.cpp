// The help pages as the help window shows them: installed in the program folder, plain HTML that
// QTextBrowser renders without outside resources, and every link leading to a page and anchor that
// exist.
#include "tests/support/test_env.h"
#include "windows/knowledge_topics.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

QString sourceHelpDir() { return testenv::sourceDir() + QStringLiteral("/data/help"); }
QString installedHelpDir() { return testenv::programDir() + QStringLiteral("/help"); }

QStringList pageNames() {
    return QDir(sourceHelpDir()).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What the browser made of one page: its title, its plain text, the links it holds and the anchors
// it offers.
struct RenderedPage {
    QString title;
    QString text;
    QStringList hrefs;
    QSet<QString> anchors;
};

RenderedPage render(QTextBrowser& browser, const QUrl& url) {
    browser.setSource(url);
    RenderedPage page;
    const QTextDocument* doc = browser.document();
    page.title = doc->metaInformation(QTextDocument::DocumentTitle);
    page.text = doc->toPlainText();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isAnchor()) continue;
            if (!format.anchorHref().isEmpty()) page.hrefs << format.anchorHref();
            for (const QString& name : format.anchorNames()) page.anchors.insert(name);
        }
    }
    return page;
}

class HelpPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        names_ = pageNames();
        ASSERT_GE(names_.size(), 10) << "help pages missing from " << sourceHelpDir();
        ASSERT_TRUE(names_.contains(QStringLiteral("index.html")));
        for (const QString& name : names_) {
            pages_[name] = render(browser_, QUrl::fromLocalFile(installedHelpDir() + '/' + name));
        }
    }

    QTextBrowser browser_;
    QStringList names_;
    QHash<QString, RenderedPage> pages_;
};

TEST_F(HelpPagesTest, EveryPageIsInstalledInTheProgramFolderAsWritten) {
    for (const QString& name : names_) {
        const QByteArray installed = readAll(installedHelpDir() + '/' + name);
        EXPECT_FALSE(installed.isEmpty()) << name << " is not in " << installedHelpDir();
        EXPECT_EQ(installed, readAll(sourceHelpDir() + '/' + name)) << name << " differs from its source";
    }
}

TEST_F(HelpPagesTest, PagesAreUtf8HtmlWithoutScriptsOrOutsideResources) {
    const QRegularExpression charset(QStringLiteral(R"(<meta[^>]*charset=utf-8)"),
                                     QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression forbidden(QStringLiteral(R"(<script|<img|<link|<object|<embed|<iframe|@import|url\()"),
                                       QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression reference(QStringLiteral(R"re((?:href|src)\s*=\s*"([^"]*)")re"),
                                       QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression absolute(QStringLiteral(R"(^(?:[a-z][a-z0-9+.-]*:|/|\\))"),
                                      QRegularExpression::CaseInsensitiveOption);
    for (const QString& name : names_) {
        const QByteArray bytes = readAll(sourceHelpDir() + '/' + name);
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString html = decoder(bytes);
        EXPECT_FALSE(decoder.hasError()) << name << " is not valid UTF-8";
        EXPECT_TRUE(charset.match(html).hasMatch()) << name << " declares no UTF-8 charset";
        const auto bad = forbidden.match(html);
        EXPECT_FALSE(bad.hasMatch()) << name << " holds " << bad.captured();
        for (auto it = reference.globalMatch(html); it.hasNext();) {
            const QString target = it.next().captured(1);
            EXPECT_FALSE(target.isEmpty()) << name << " has an empty link";
            EXPECT_FALSE(absolute.match(target).hasMatch()) << name << " links outside: " << target;
            EXPECT_FALSE(target.contains(QStringLiteral(".."))) << name << " links outside: " << target;
        }
    }
}

TEST_F(HelpPagesTest, EveryPageRendersWithATitleAndARealText) {
    for (const QString& name : names_) {
        const RenderedPage& page = pages_[name];
        EXPECT_FALSE(page.title.trimmed().isEmpty()) << name << " has no title";
        EXPECT_GE(page.text.size(), 600) << name << " is too short to explain its window";
    }
}

TEST_F(HelpPagesTest, EveryLinkLeadsToAnExistingPageAndAnchor) {
    for (const QString& name : names_) {
        const QUrl base = QUrl::fromLocalFile(installedHelpDir() + '/' + name);
        EXPECT_FALSE(pages_[name].hrefs.isEmpty()) << name << " links nowhere";
        for (const QString& href : pages_[name].hrefs) {
            const QUrl target = base.resolved(QUrl(href));
            ASSERT_TRUE(target.isLocalFile()) << name << ": " << href;
            const QString file = QFileInfo(target.toLocalFile()).fileName();
            ASSERT_TRUE(pages_.contains(file)) << name << " links to a missing page: " << href;
            EXPECT_EQ(QFileInfo(target.toLocalFile()).absolutePath(), QDir(installedHelpDir()).absolutePath())
                << name << ": " << href;
            if (target.hasFragment()) {
                EXPECT_TRUE(pages_[file].anchors.contains(target.fragment()))
                    << name << " links to a missing anchor: " << href;
            }
            // Following the link in the browser shows the linked page.
            browser_.setSource(target);
            EXPECT_EQ(browser_.document()->metaInformation(QTextDocument::DocumentTitle), pages_[file].title)
                << name << ": " << href;
        }
    }
}

TEST_F(HelpPagesTest, TheContentsPageLinksEveryOtherPage) {
    QSet<QString> linked;
    for (const QString& href : pages_[QStringLiteral("index.html")].hrefs) {
        linked.insert(QUrl(href).path());
    }
    for (const QString& name : names_) {
        if (name == QLatin1String("index.html")) continue;
        EXPECT_TRUE(linked.contains(name)) << "the contents page does not link " << name;
    }
}

TEST_F(HelpPagesTest, EveryPageLeadsBackToTheContents) {
    for (const QString& name : names_) {
        if (name == QLatin1String("index.html")) continue;
        EXPECT_TRUE(pages_[name].hrefs.contains(QStringLiteral("index.html"))) << name;
    }
}

// The knowledge page's table of topics is the knowledge window's menu: each row a submenu (or the
// topics listed directly in the menu), each topic once, none that the menu lacks.
TEST_F(HelpPagesTest, TheKnowledgePageListsEveryTopicOfTheMenuUnderItsSubmenu) {
    QFile file(sourceHelpDir() + QStringLiteral("/knowledge.html"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    const QString direct = QStringLiteral("（直接列出）");
    QHash<QString, QStringList> listed;  // submenu caption (or `direct`) -> its topics in order
    const QRegularExpression row(QStringLiteral("<tr><td>([^<]+)</td><td>([^<]+)</td></tr>"));
    for (auto m = row.globalMatch(html); m.hasNext();) {
        const auto match = m.next();
        listed[match.captured(1)] += match.captured(2).split(QStringLiteral("、"));
    }
    QHash<QString, QString> submenuCaption;
    QHash<QString, QStringList> menu;
    for (const windows::KnowledgeTopic& t : windows::kKnowledgeTopics) {
        if (t.kind == windows::TopicKind::Submenu) submenuCaption.insert(QString::fromUtf16(t.name), QString::fromUtf16(t.caption));
        if (t.kind != windows::TopicKind::Article) continue;
        const QString under = t.parent ? submenuCaption.value(QString::fromUtf16(t.parent)) : direct;
        menu[under] << QString::fromUtf16(t.caption);
    }
    ASSERT_FALSE(menu.isEmpty());
    EXPECT_EQ(QSet<QString>(listed.keyBegin(), listed.keyEnd()), QSet<QString>(menu.keyBegin(), menu.keyEnd()));
    for (auto it = menu.cbegin(); it != menu.cend(); ++it)
        EXPECT_EQ(listed.value(it.key()).join(QStringLiteral("、")), it.value().join(QStringLiteral("、"))) << it.key();
}

}  // namespace
