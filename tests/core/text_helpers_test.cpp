#include "core/main_window_host.h"
#include "core/quick_sort.h"
#include "core/text_helpers.h"
#include "platform/vb/mousepointer.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

// Test names show the text with its line breaks spelled out.
std::string shown(const char16_t* text) {
    QString s = QString::fromUtf16(text);
    s.replace(QStringLiteral("\r"), QStringLiteral("\\r")).replace(QStringLiteral("\n"), QStringLiteral("\\n"));
    return "'" + s.toStdString() + "'";
}

using core::ReplaceAll;
using core::SplitWords;

struct ReplaceCase {
    const char16_t* text;
    const char16_t* find;
    const char16_t* replacement;
    bool wholeWord;
    const char16_t* expected;
};

void PrintTo(const ReplaceCase& c, std::ostream* os) {
    *os << shown(c.text) << " " << shown(c.find) << "->" << shown(c.replacement) << (c.wholeWord ? " whole" : "");
}

class ReplaceAllTest : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAllTest, Replaces) {
    const ReplaceCase& c = GetParam();
    QString text = QString::fromUtf16(c.text);
    ReplaceAll(text, QString::fromUtf16(c.find), QString::fromUtf16(c.replacement), c.wholeWord);
    EXPECT_EQ(text, QString::fromUtf16(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceAllTest,
    ::testing::Values(
        // The bookmark list's use: every CR LF pair becomes one blank.
        ReplaceCase{u"a\r\n\r\nb", u"\r\n", u" ", false, u"a  b"},
        ReplaceCase{u"书签\r\n说明", u"\r\n", u" ", false, u"书签 说明"},
        ReplaceCase{u"no match", u"xyz", u"!", false, u"no match"},
        ReplaceCase{u"Cat cat", u"cat", u"dog", false, u"Cat dog"},  // case-sensitive
        ReplaceCase{u"cat cats", u"cat", u"dog", true, u"dog cats"},
        ReplaceCase{u"cat", u"cat", u"dog", true, u"dog"},
        ReplaceCase{u"a cat", u"cat", u"dog", true, u"a dog"},
        ReplaceCase{u"cat b", u"cat", u"dog", true, u"dog b"},
        ReplaceCase{u"cats", u"cat", u"dog", true, u"cats"},
        ReplaceCase{u"xcat", u"cat", u"dog", true, u"xcat"},
        ReplaceCase{u"cat,cat", u"cat", u"dog", true, u"cat,cat"},  // only the blank separates words
        // These would never end if the search went back into the replacement.
        ReplaceCase{u"aaa", u"", u"x", false, u"aaa"},
        ReplaceCase{u"a-a", u"a", u"aa", false, u"aa-aa"},
        ReplaceCase{u"abb", u"ab", u"xa", false, u"xab"},
        ReplaceCase{u"", u"a", u"b", false, u""}));

TEST(FileExistsTest, TellsReadableFilesFromEverythingElse) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("GREENNOTE1.rtf"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("{\\rtf1 x}");
    }
    EXPECT_TRUE(core::FileExists(file));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("{\\rtf1 x}"));  // untouched

    EXPECT_FALSE(core::FileExists(dir.path()));
    EXPECT_FALSE(core::FileExists(dir.filePath(QStringLiteral("missing.rtf"))));
    EXPECT_FALSE(core::FileExists(QString()));
    EXPECT_FALSE(core::FileExists(dir.filePath(QStringLiteral("*.rtf"))));
}

struct SplitCase {
    const char16_t* text;
    const char16_t* normalised;
    QStringList words;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << shown(c.text); }

class SplitWordsTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitWordsTest, NormalisesAndSplitsAfterEachBlank) {
    const SplitCase& c = GetParam();
    QString text = QString::fromUtf16(c.text);
    const QList<core::word> words = SplitWords(text, QStringLiteral(" "));
    EXPECT_EQ(text, QString::fromUtf16(c.normalised));
    QStringList values;
    for (const core::word& w : words) values << w.Value();
    EXPECT_EQ(values, c.words);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitWordsTest,
    ::testing::Values(SplitCase{u"ab  cd", u"ab cd", {"ab ", "cd"}},
                      SplitCase{u"ab   cd", u"ab cd", {"ab ", "cd"}},
                      SplitCase{u"ab\r\ncd", u"ab cd", {"ab ", "cd"}},
                      SplitCase{u" ab ", u"ab", {"ab"}},
                      SplitCase{u"ab\r\n", u"ab ", {"ab ", ""}},
                      SplitCase{u"", u"", {""}},
                      SplitCase{u"a\nb", u"a\nb", {"a\nb"}},
                      SplitCase{u"\r\nab", u"ab", {"ab"}},
                      SplitCase{u"one two\r\n\r\n three", u"one two three", {"one ", "two ", "three"}}));

TEST(SplitWordsTest, OtherDelimiters) {
    QString text = QStringLiteral("a, b,c");
    QStringList values;
    for (const core::word& w : SplitWords(text, QStringLiteral(", "))) values << w.Value();
    EXPECT_EQ(values, (QStringList{"a, ", "b,c"}));

    text = QStringLiteral("a b");
    const auto whole = SplitWords(text, QString());
    ASSERT_EQ(whole.size(), 1);
    EXPECT_EQ(whole[0].Value(), QStringLiteral("a b"));
}

TEST(WordTest, LengthAndCase) {
    core::word w;
    EXPECT_EQ(w.Length(), 0);
    w.setValue(QStringLiteral("Zi Wei 紫微"));
    EXPECT_EQ(w.Length(), 9);
    EXPECT_EQ(w.LowerCase(), QStringLiteral("zi wei 紫微"));
    EXPECT_EQ(w.UpperCase(), QStringLiteral("ZI WEI 紫微"));
}

TEST(QuickSortTest, SortsTextsByCodeUnits) {
    QStringList items{"b", "B", "a"};
    core::QuickSort(items, 0, 2);
    EXPECT_EQ(items, (QStringList{"B", "a", "b"}));

    QStringList prefixes{"abc", "ab", "紫", "a", "Ab"};
    core::QuickSort(prefixes, 0, 4);
    EXPECT_EQ(prefixes, (QStringList{"Ab", "a", "ab", "abc", "紫"}));
}

TEST(QuickSortTest, SortsOnlyTheGivenRange) {
    std::vector<int> items{9, 5, 3, 1, 0};
    core::QuickSort(items, 1, 3);
    EXPECT_EQ(items, (std::vector<int>{9, 1, 3, 5, 0}));
    core::QuickSort(items, 2, 2);
    core::QuickSort(items, 3, 1);
    EXPECT_EQ(items, (std::vector<int>{9, 1, 3, 5, 0}));
    std::vector<int> one{4};
    core::QuickSort(one, 0, 0);
    EXPECT_EQ(one, std::vector<int>{4});
}

// An element that notes the pointer whenever the sort compares it.
struct PointerWatch {
    int value;
    static inline int seen = -1;
    friend bool operator<(const PointerWatch& a, const PointerWatch& b) {
        seen = vb::screenMousePointer();
        return a.value < b.value;
    }
};

TEST(QuickSortTest, ShowsTheHourglassWhileItSorts) {
    std::vector<PointerWatch> items{{3}, {1}, {2}};
    core::QuickSort(items, 0, 2);
    EXPECT_EQ(PointerWatch::seen, vb::vbHourglass);
    EXPECT_EQ(vb::screenMousePointer(), vb::vbDefault);
    EXPECT_EQ(items[0].value, 1);
    EXPECT_EQ(items[2].value, 3);
}

TEST(QuickSortTest, BoundOutsideTheArrayRaisesSubscriptOutOfRange) {
    std::vector<int> items{2, 1};
    try {
        core::QuickSort(items, 0, 2);
        FAIL() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), vb::kSubscriptOutOfRange);
    }
    EXPECT_EQ(items, (std::vector<int>{2, 1}));
}

TEST(QuickSortTest, LargeSortedAndEqualInputs) {
    // Sorted, reversed and all-equal input, long enough that unbounded recursion would show.
    std::vector<int> sorted(200000), reversed(200000), equal(200000, 7);
    for (int i = 0; i < 200000; ++i) sorted[i] = i, reversed[i] = 200000 - i;
    for (auto* v : {&sorted, &reversed, &equal}) {
        core::QuickSort(*v, 0, static_cast<int64_t>(v->size()) - 1);
        EXPECT_TRUE(std::is_sorted(v->begin(), v->end()));
    }
}

class FakeMainWindow : public core::MainWindowHost {
public:
    void setMousePointer(int p) override { pointers.push_back(p); }
    int mousePointer() const override { return pointers.empty() ? 0 : pointers.back(); }
    QWidget* ownerWidget() override { return nullptr; }
    void unloadWindow() override { ++unloads; }
    std::vector<int> pointers;
    int unloads = 0;
};

TEST(UnloadMainFormTest, UnloadsTheRegisteredWindow) {
    core::UnloadMainForm();  // no window: nothing happens
    FakeMainWindow window;
    core::setMainWindowHost(&window);
    core::UnloadMainForm();
    core::setMainWindowHost(nullptr);
    EXPECT_EQ(window.unloads, 1);
}

TEST(ReleaseCursorTest, LetsTheMouseGo) {
    QWidget w;
    w.show();
    w.grabMouse();
    core::ReleaseCursor();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    core::ReleaseCursor();  // nothing grabbed: nothing happens
}

}  // namespace
