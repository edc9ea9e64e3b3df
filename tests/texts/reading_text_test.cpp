// The reading panel's text: installed as ANSI text (code page 936, CR LF line ends) that says exactly
// what its UTF-8 source says, and read back whole by the editor the panel uses.
#include "platform/forms/richtextbox.h"
#include "platform/vb/codepage936.h"
#include "tests/support/test_env.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString sourceText() {
    return QString::fromUtf8(readAll(testenv::sourceDir() + QStringLiteral("/data/texts/kli.txt")));
}

QString installedPath() { return testenv::programDir() + QStringLiteral("/kli.txt"); }

TEST(ReadingText, IsInstalledInCodePage936WithCrLfLineEnds) {
    const QString source = sourceText();
    ASSERT_FALSE(source.isEmpty());
    const QByteArray bytes = readAll(installedPath());
    ASSERT_FALSE(bytes.isEmpty()) << installedPath() << " is missing";

    QString expected = source;
    expected.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    EXPECT_EQ(vb::fromCp936(bytes), expected);
    EXPECT_EQ(vb::toCp936(expected), bytes) << "a character has no code in code page 936";
    EXPECT_TRUE(bytes.endsWith("\r\n")) << "the last line ends with CR LF";
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n")) << "a line ends without CR";
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF")) << "no UTF-8 byte-order mark";
}

TEST(ReadingText, ReadsBackWholeAsText) {
    forms::RichTextBox box;
    box.loadFile(installedPath(), forms::rtfText);
    EXPECT_EQ(box.toPlainText().trimmed(), sourceText().trimmed());
}

}  // namespace
