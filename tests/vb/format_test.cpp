// Format with named and user-defined formats for dates, numbers and texts.
#include "platform/vb/format.h"

#include "tests/vb/print.h"

#include <gtest/gtest.h>

using namespace vb;

namespace {

struct FormatCase {
    Variant value;
    const char16_t* fmt;
    const char16_t* expected;
};

void check(const FormatCase& c) {
    const QString fmt = QString::fromUtf16(c.fmt);
    SCOPED_TRACE(fmt.toStdString() + " on " + c.value.text().toStdString());
    EXPECT_EQ(format(c.value, fmt), QString::fromUtf16(c.expected));
}

const Date kMay3 = Date::fromParts(2001, 5, 3, 9, 5, 7);
const Date kEvening = Date::fromParts(2001, 12, 31, 23, 0, 0);

TEST(VbFormat, DateTokens) {
    const FormatCase cases[] = {
        {kMay3, u"yyyy-mm-dd", u"2001-05-03"},
        {kMay3, u"yyyy-m-d h:n", u"2001-5-3 9:5"},
        {kMay3, u"YYYY/MM/DD", u"2001/05/03"},
        {kMay3, u"hh:mm:ss", u"09:05:07"},
        {kMay3, u"h:m", u"9:5"},
        {kMay3, u"mm:ss", u"05:07"},
        {kMay3, u"m/d/yy", u"5/3/01"},
        {kMay3, u"mmm mmmm", u"May May"},
        {kMay3, u"ddd dddd", u"Thu Thursday"},
        {kMay3, u"ddddd", u"2001-05-03"},
        {kMay3, u"dddddd", u"2001年5月3日"},
        {kMay3, u"ttttt", u"09:05:07"},
        {kMay3, u"c", u"2001-05-03 09:05:07"},
        {kMay3, u"w ww q y", u"5 18 2 123"},
        {kMay3, u"yyyy年m月d日", u"2001年5月3日"},
        {kMay3, u"\"day\" d", u"day 3"},
        {kMay3, u"\\d d", u"d 3"},
        {kEvening, u"h AM/PM", u"11 PM"},
        {kEvening, u"hh am/pm", u"11 pm"},
        {kEvening, u"h A/P", u"11 P"},
        {kMay3, u"h a/p", u"9 a"},
        {Date::fromParts(2001, 1, 1, 0, 30, 0), u"h:nn AMPM", u"12:30 AM"},
        {Date::fromParts(2001, 1, 1, 12, 0, 0), u"h AMPM", u"12 PM"},
        {Date(-1.25), u"yyyy-mm-dd hh:nn", u"1899-12-29 06:00"},
        {37014.0, u"yyyy-mm-dd", u"2001-05-03"},
        {QStringLiteral("2001-5-3 9:5"), u"yyyy.mm.dd hh:nn", u"2001.05.03 09:05"},
        {QStringLiteral("abc"), u"yyyy", u"abc"},
    };
    for (const auto& c : cases) check(c);
}

TEST(VbFormat, NamedDateAndTimeForms) {
    const FormatCase cases[] = {
        {kMay3, u"General Date", u"2001-05-03 09:05:07"},
        {kMay3, u"Long Date", u"2001年5月3日"},
        {kMay3, u"long Date", u"2001年5月3日"},
        {kMay3, u"Medium Date", u"03-May-01"},
        {kMay3, u"Short Date", u"2001-05-03"},
        {kMay3, u"Long Time", u"09:05:07"},
        {kMay3, u"Medium Time", u"09:05 AM"},
        {kEvening, u"Medium Time", u"11:00 PM"},
        {kMay3, u"Short Time", u"09:05"},
        {Date(0.5), u"General Date", u"12:00:00"},
        {kMay3, u"", u"2001-05-03 09:05:07"},
    };
    for (const auto& c : cases) check(c);
}

TEST(VbFormat, NumberPlaceholders) {
    const FormatCase cases[] = {
        {5, u"0", u"5"},
        {5, u"000", u"005"},
        {2.5, u"0", u"3"},
        {3.5, u"0", u"4"},
        {-2.5, u"0", u"-3"},
        {0.125, u"0.00", u"0.13"},
        {2.675, u"0.00", u"2.68"},
        {1234.5, u"#,##0.00", u"1,234.50"},
        {1234567.891, u"#,##0.00", u"1,234,567.89"},
        {-1234.5, u"#,##0", u"-1,235"},
        {0.5, u"#.##", u".5"},
        {5, u"#.##", u"5."},
        {0, u"#", u""},
        {0, u"#0", u"0"},
        {1.5, u"0.0#", u"1.5"},
        {1.256, u"0.0#", u"1.26"},
        {0.256, u"0.00%", u"25.60%"},
        {1234567, u"#,##0,", u"1,235"},
        {1234567, u"0,,", u"1"},
        {12345, u"0.00E+00", u"1.23E+04"},
        {12345, u"00.00E+00", u"12.35E+03"},
        {0.00012345, u"0.00E-00", u"1.23E-04"},
        {12345, u"0.00e-00", u"1.23e04"},
        {99999, u"0.0E+0", u"1.0E+5"},
        {5551234, u"(###) ###-####", u"() 555-1234"},
        {5, u"\"No. \"0", u"No. 5"},
        {5, u"$0", u"$5"},
        {-5, u"$0", u"-$5"},
        {-0.001, u"0.00", u"0.00"},
        {-5, u"0;(0)", u"(5)"},
        {0, u"0;(0);\"zero\"", u"zero"},
        {5, u"0;(0);\"zero\"", u"5"},
        {-5, u"0;;\"zero\"", u"-5"},
        {Variant::null(), u"0;(0);\"zero\";\"null\"", u"null"},
        {Variant::null(), u"0", u""},
        {QStringLiteral("12.5"), u"0.00", u"12.50"},
        {QStringLiteral("abc"), u"0.00", u"abc"},
        {true, u"0", u"-1"},
        {1e20, u"0", u"100000000000000000000"},
    };
    for (const auto& c : cases) check(c);
}

TEST(VbFormat, NamedNumberForms) {
    const FormatCase cases[] = {
        {1234.5, u"General Number", u"1234.5"},
        {1234.5, u"Currency", u"¥1,234.50"},
        {-1234.5, u"Currency", u"-¥1,234.50"},
        {1234.567, u"Fixed", u"1234.57"},
        {1234.567, u"Standard", u"1,234.57"},
        {0.5, u"Percent", u"50.00%"},
        {1234.5, u"Scientific", u"1.23E+03"},
        {0, u"Yes/No", u"No"},
        {3, u"Yes/No", u"Yes"},
        {-1, u"True/False", u"True"},
        {0, u"On/Off", u"Off"},
        {12.5, u"", u"12.5"},
        {QStringLiteral("007"), u"", u"007"},
        {Variant(), u"", u""},
    };
    for (const auto& c : cases) check(c);
}

TEST(VbFormat, TextPlaceholders) {
    const FormatCase cases[] = {
        {QStringLiteral("abc"), u">", u"ABC"},
        {QStringLiteral("ABC"), u"<", u"abc"},
        {QStringLiteral("ab"), u"@@@@", u"  ab"},
        {QStringLiteral("ab"), u"!@@@@", u"ab  "},
        {QStringLiteral("ab"), u"&&&&", u"ab"},
        {QStringLiteral("abcdef"), u"@@-@@", u"abcd-ef"},
        {QStringLiteral("5551234"), u"@@@-@@@@", u"555-1234"},
        {QStringLiteral(""), u"@;\"(none)\"", u"(none)"},
    };
    for (const auto& c : cases) check(c);
}

TEST(VbFormat, FirstDayOfWeekMovesWeekdayNumbers) {
    EXPECT_EQ(format(kMay3, QStringLiteral("w"), vbMonday), QStringLiteral("4"));
    EXPECT_EQ(format(Date::fromParts(2015, 1, 4), QStringLiteral("ww"), vbMonday, vbFirstFourDays), QStringLiteral("1"));
}

TEST(VbFormat, TellsTheFormatsItReadsWhole) {
    const char16_t* const readable[] = {
        u"", u"  ", u"general number", u"General Date", u"Long Date", u"Medium Time", u"Currency", u"Scientific",
        u"Yes/No", u"on/off", u"yyyy-mm-dd hh:nn:ss", u"yyyy年m月d日", u"m/d/yy", u"ddd dddd", u"w ww", u"q y",
        u"h AM/PM", u"h a/p", u"h:nn AMPM", u"ttttt", u"c", u"\"day\" d", u"\\d d", u"dddddd",
        u"0", u"#.##", u"#,##0.00", u"0.00%", u"0.00E+00", u"0.0e-0", u"$0", u"¥#,##0.00", u"(###) ###-####",
        u"0;(0);\"zero\";\"null\"", u"\"No. \"0", u"0 \"kg\"", u"0元", u">", u"<", u"@@@-@@@@", u"!@@@@",
        u"&&&&", u"@;\"(none)\"",
    };
    for (const char16_t* f : readable) EXPECT_TRUE(formatIsReadable(QString::fromUtf16(f))) << QString::fromUtf16(f).toStdString();
    const char16_t* const unreadable[] = {
        u"0 kg", u"abc", u"xyz", u"yyyy tt", u"Long Tim", u"@ is", u"\"open", u"0\\", u"0;0;0;0;0", u"0.00F",
    };
    for (const char16_t* f : unreadable) EXPECT_FALSE(formatIsReadable(QString::fromUtf16(f))) << QString::fromUtf16(f).toStdString();
}

}  // namespace
