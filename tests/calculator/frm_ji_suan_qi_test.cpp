#include "calculator/display_box.h"
#include "calculator/frm_ji_suan_qi.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/msgbox.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using calculator::FrmJiSuanQi;

class CalculatorWindow : public ::testing::Test {
protected:
    void SetUp() override {
        form = &forms::defaultInstance<FrmJiSuanQi>();
        form->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
    }
    void TearDown() override {
        forms::unloadInstance<FrmJiSuanQi>();
        forms::deleteUnloadedForms();
    }

    QString display() const { return form->txtDisplay()->Text(); }
    void setDisplay(const QString& text) const { form->txtDisplay()->setText(text); }
    void click(const char* name) const {
        QPushButton* b = form->button(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void press(const QString& keys) const {
        for (QChar c : keys) {
            if (c.isDigit()) QTest::mouseClick(&form->cmdNumber(c.digitValue()), Qt::LeftButton);
            else click(kKeyOf(c));
        }
    }
    static const char* kKeyOf(QChar c) {
        switch (c.unicode()) {
        case '+': return "plus";
        case '-': return "jian";
        case '*': return "cheng";
        case '/': return "chu";
        case '(': return "leftk";
        case ')': return "rightk";
        case '.': return "cmdDecimal";
        case '=': return "Command1";
        default: return "";
        }
    }

    FrmJiSuanQi* form = nullptr;
};

TEST_F(CalculatorWindow, KeysSitAtTheirDesignPlaces) {
    struct Place {
        const char* name;
        const char* caption;
        QRect twips;
    };
    const Place places[] = {
        {"cmdPlusMinus", "+/-", {240, 3960, 1335, 495}},   {"cmdDecimal", ".", {3840, 3960, 1455, 495}},
        {"leftk", "(", {240, 4680, 1335, 495}},            {"rightk", ")", {2040, 4680, 1335, 495}},
        {"plus", "+", {5760, 1800, 1500, 495}},            {"jian", "-", {5760, 2520, 1500, 495}},
        {"cheng", "*", {5760, 3240, 1500, 495}},           {"chu", "/", {5760, 3960, 1500, 495}},
        {"Command1", "等   于", {3840, 4680, 3420, 495}},   {"Command2", "Back Space", {7380, 1800, 1275, 495}},
        {"cmdClearEntry", "清除", {7380, 2520, 1275, 2655}},
    };
    for (const Place& p : places) {
        QPushButton* b = form->button(QString::fromLatin1(p.name));
        ASSERT_NE(b, nullptr) << p.name;
        EXPECT_EQ(b->text(), QString::fromUtf8(p.caption)) << p.name;
        EXPECT_EQ(forms::twipsGeometry(b), p.twips) << p.name;
    }
    const QRect digits[10] = {
        {2040, 3960, 1335, 495}, {240, 1800, 1335, 495}, {2040, 1800, 1335, 495}, {3840, 1800, 1455, 495},
        {240, 2520, 1335, 495},  {2040, 2520, 1335, 495}, {3840, 2520, 1455, 495}, {240, 3240, 1335, 495},
        {2040, 3240, 1335, 495}, {3840, 3240, 1455, 495},
    };
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(form->cmdNumber(i).objectName(), "cmdNumber");
        EXPECT_EQ(form->cmdNumber(i).text(), QString::number(i));
        EXPECT_EQ(forms::twipsGeometry(&form->cmdNumber(i)), digits[i]) << i;
    }
    EXPECT_EQ(form->Caption(), "表达式计算器    ");
    EXPECT_EQ(form->ScaleWidth(), 8895);
    EXPECT_EQ(form->ScaleHeight(), 5490);
    EXPECT_EQ(forms::twipsGeometry(form->txtDisplay()), QRect(240, 240, 8415, 285));
    EXPECT_EQ(form->txtDisplay()->MaxLength(), 12000);
}

TEST_F(CalculatorWindow, MemoryCountsDownFromForty) {
    for (int i = 0; i < FrmJiSuanQi::kMemoryCells; ++i) EXPECT_EQ(form->Memory(i), 40 - i);
}

TEST_F(CalculatorWindow, KeysBuildTheExpressionAndEqualsAppendsItsValue) {
    press("2+3*4=");
    EXPECT_EQ(display(), "2+3*4=14");
    click("cmdClearEntry");
    EXPECT_EQ(display(), "");
    press("(1.5+0.5)/4=");
    EXPECT_EQ(display(), "(1.5+0.5)/4=0.5");
}

// Enter, on the main keys or the keypad, evaluates what was typed: it never puts a line break into
// the expression (1+2, Enter, 3 used to read as 1+2 and 3 and gave 3).
TEST_F(CalculatorWindow, EnterTypedInTheDisplayEvaluatesAsTheEqualsKeyDoes) {
    QTest::keyClicks(form->txtDisplay(), "1+2");
    QTest::keyClick(form->txtDisplay(), Qt::Key_Return);
    EXPECT_EQ(display(), "1+2=3");
    setDisplay(QString());
    QTest::keyClicks(form->txtDisplay(), "2*4");
    QTest::keyClick(form->txtDisplay(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(display(), "2*4=8");
    QTest::keyClicks(form->txtDisplay(), "1");
    EXPECT_EQ(display(), "2*4=81") << "the display still takes the keys after it";
}

TEST_F(CalculatorWindow, EqualsOnAnEmptyDisplayGivesTheBareSign) {
    click("Command1");
    EXPECT_EQ(display(), "=");
    EXPECT_EQ(form->Syscomp1(), nullptr);
}

TEST_F(CalculatorWindow, EqualsAgainRepeatsTheFirstResult) {
    QTest::keyClicks(form->txtDisplay(), "1+2");
    click("Command1");
    EXPECT_EQ(display(), "1+2=3");
    click("Command1");
    EXPECT_EQ(display(), "1+2=3=3");
}

TEST_F(CalculatorWindow, BackquotedNamesReadTheMemory) {
    struct Row {
        const char* expression;
        const char* shown;
    };
    const Row rows[] = {
        {"`10`+1", "`10`+1=31"},  {"`1`", "`1`=39"},     {"`39`", "`39`=1"},  {"`39.5`", "`39.5`=0"},
        {"`39.6`", "`39.6`=0"},   {"`0.6`", "`0.6`=39"}, {"`0.4`", "`0.4`=40"}, {"`40`", "`40`="},
        {"`0`", "`0`="},          {"`40`+1", "`40`+1=1"}, {"`2.5`", "`2.5`=38"},
    };
    for (const Row& r : rows) {
        setDisplay(QString::fromUtf8(r.expression));
        click("Command1");
        EXPECT_EQ(display(), QString::fromUtf8(r.shown)) << r.expression;
    }
}

TEST_F(CalculatorWindow, ComplaintShowsUnderTheDisplayUntilTheNextEvaluation) {
    setDisplay("(1+2");
    click("Command1");
    EXPECT_EQ(display(), "(1+2=3");
    EXPECT_EQ(form->lblErrorText()->text(), "需要 )");
    EXPECT_TRUE(form->lblErrorText()->isVisible());
    setDisplay("3/0");
    click("Command1");
    EXPECT_EQ(display(), "3/0=0");
    EXPECT_EQ(form->lblErrorText()->text(), "除数为零");
    setDisplay("-(1+2)");
    click("Command1");
    EXPECT_EQ(display(), "-(1+2)=-");
    EXPECT_EQ(form->lblErrorText()->text(), "符号后需要数字");
    setDisplay("1+1");
    click("Command1");
    EXPECT_EQ(form->lblErrorText()->text(), "");
    const QRect shown = forms::twipsGeometry(form->txtDisplay());
    EXPECT_GE(forms::twipsGeometry(form->lblErrorText()).top(), shown.bottom());
}

TEST_F(CalculatorWindow, BackSpaceTrimsAndDropsTheLastCharacter) {
    struct Row {
        const char* before;
        const char* after;
    };
    const Row rows[] = {{" 12 ", "1"}, {"5", ""}, {"   ", "   "}, {"", ""}, {"1+2", "1+"}};
    for (const Row& r : rows) {
        setDisplay(QString::fromUtf8(r.before));
        click("Command2");
        EXPECT_EQ(display(), QString::fromUtf8(r.after)) << r.before;
    }
}

TEST_F(CalculatorWindow, PlusMinusTogglesTheLeadingSign) {
    setDisplay("5");
    click("cmdPlusMinus");
    EXPECT_EQ(display(), "-5");
    click("cmdPlusMinus");
    EXPECT_EQ(display(), "5");
    setDisplay("");
    click("cmdPlusMinus");
    EXPECT_EQ(display(), "-");
}

TEST_F(CalculatorWindow, DisplayGrowsByWholeLinesAndStopsAboveTheBottom) {
    const float step = form->LineHeight();
    ASSERT_GT(step, 0);
    auto* box = form->txtDisplay();
    // The first change sets the height to one line.
    press("1");
    EXPECT_EQ(form->LineCount(), 1);
    EXPECT_NEAR(forms::twipsGeometry(box).height(), step, 15);

    // Text that gains one line at a time and text that gains several at once.
    int previous = 1;
    for (int n = 0; n < 60; ++n) {
        setDisplay(display() + QString(n < 40 ? 20 : 150, QLatin1Char('7')));
        const QRect g = forms::twipsGeometry(box);
        EXPECT_NEAR(g.height(), form->LineCount() * step, 15);
        EXPECT_LE(g.top() + g.height(), form->ScaleHeight());
        EXPECT_GE(form->LineCount(), previous);
        previous = form->LineCount();
    }
    EXPECT_GT(previous, 3);
    // It stops one line short of the window's bottom edge.
    const QRect full = forms::twipsGeometry(box);
    EXPECT_GT(full.top() + full.height() + step, form->ScaleHeight() - step);

    EXPECT_GE(forms::twipsGeometry(form->lblErrorText()).top(), full.top());
    EXPECT_LE(forms::twipsGeometry(form->lblErrorText()).bottom(), form->ScaleHeight());

    // It shrinks with its text, and typing into it grows it again.
    setDisplay("1+2 ");
    EXPECT_EQ(form->LineCount(), 1);
    EXPECT_NEAR(forms::twipsGeometry(box).height(), step, 15);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyClicks(box, QString(box->LineCount() * 80, QLatin1Char('3')));
    EXPECT_GT(form->LineCount(), 1);
    EXPECT_NEAR(forms::twipsGeometry(box).height(), form->LineCount() * step, 15);
    EXPECT_LE(forms::twipsGeometry(box).top() + forms::twipsGeometry(box).height(), form->ScaleHeight());
    click("cmdClearEntry");
    EXPECT_EQ(form->LineCount(), 1);
}

// Typed straight into a fresh display (a click into it first), the first line is whole.
TEST_F(CalculatorWindow, ALineTypedIntoAFreshDisplayIsWhole) {
    auto* box = form->txtDisplay();
    QTest::mouseClick(box->viewport(), Qt::LeftButton);
    box->setFocus();
    QTest::keyClicks(box, "1+2");
    EXPECT_EQ(form->LineCount(), 1);
    EXPECT_NEAR(forms::twipsGeometry(box).height(), form->LineHeight(), 15);
    const int needed = box->fontMetrics().lineSpacing() + 2 * box->frameWidth();
    EXPECT_GE(box->height(), needed);
}

TEST_F(CalculatorWindow, TheDisplayHoldsAtMostTwelveThousandCharacters) {
    setDisplay(QString(12000, QLatin1Char('1')));
    EXPECT_EQ(display().size(), 12000);
    // A key past the limit changes nothing.
    QTest::mouseClick(&form->cmdNumber(7), Qt::LeftButton);
    EXPECT_EQ(display().size(), 12000);
    form->txtDisplay()->setFocus();
    QTest::keyClick(form->txtDisplay(), Qt::Key_End);
    QTest::keyClicks(form->txtDisplay(), "99");
    EXPECT_EQ(display(), QString(12000, QLatin1Char('1')));
    click("Command1");
    EXPECT_EQ(display().size(), 12000);
}

TEST_F(CalculatorWindow, ANewOpeningStartsAfresh) {
    setDisplay("1+2");
    click("Command1");
    forms::unloadInstance<FrmJiSuanQi>();
    forms::deleteUnloadedForms();
    form = &forms::defaultInstance<FrmJiSuanQi>();
    form->Show();
    EXPECT_EQ(display(), "");
    EXPECT_EQ(form->lblErrorText()->text(), "");
    EXPECT_EQ(form->Memory(1), 39);
}

TEST_F(CalculatorWindow, AFaultUnderAKeyIsReportedNotThrownIntoQt) {
    vb::MsgBoxScript script;
    setDisplay("1+1");
    // A listener that throws stands for any fault below the equals key.
    QObject::connect(form->txtDisplay(), &calculator::DisplayBox::Change, form,
                     [] { throw std::runtime_error("boom"); });
    click("Command1");
    ASSERT_FALSE(script.shown().isEmpty());
    EXPECT_TRUE(script.last().text.contains("boom")) << script.last().text.toStdString();
}

}  // namespace
