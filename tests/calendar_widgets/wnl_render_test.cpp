// The drawn month of May 2020, in which the leap fourth month begins on the 23rd: every day's number
// and lunar text in its colour and weight, and the frame of the selected day. The picture of the
// control is kept as test-output/wnl-2020-05.png in the build folder.
#include "calendar/widgets/wnl.h"

#include "core/conversions.h"
#include "core/globals.h"
#include "platform/forms/label.h"
#include "platform/forms/picturebox.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// The lunar texts of May 2020 as almanacs give them: 四月 began on 23 April, 闰四月 on 23 May.
QString lunarTextOfMay2020(int d) {
    if (d <= 22) return core::LunarDayName(d + 8);
    if (d == 23) return QStringLiteral("闰四");
    return core::LunarDayName(d - 22);
}

constexpr int kFirstWeekday = 5;  // 1 May 2020 was a Friday
constexpr int kToday = 9;
constexpr int kSelected = 23;

class WnlRenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        wnl_ = std::make_unique<calendar::Wnl>();
        wnl_->setBornTimeBox(&born_);
        wnl_->setClock([] { return vb::Date::fromParts(2020, 5, kToday, 12, 30); });
        wnl_->Initialise();
        vb::Date d = vb::Date::fromParts(2020, 5, kSelected);
        wnl_->GoToDate(d);
        wnl_->SetSelectedDate();
        grid_ = wnl_->findChild<forms::PictureBox*>(QStringLiteral("picMonth"));
        drawing_ = grid_->drawingImage();
    }

    // Cell `p` in pixels of the grid's drawing: its edges are the twips edges rounded to pixels, and
    // the right and bottom edges are the next cell's left and top.
    QRect cell(int p) const {
        const auto px = [](double twips) { return static_cast<int>(std::lround(twips / 15)); };
        const double w = wnl_->cellWidth(), h = wnl_->cellHeight();
        const int col = p % 7, row = p / 7;
        return QRect(QPoint(px(col * w), px(row * h)), QPoint(px((col + 1) * w), px((row + 1) * h)));
    }
    static QRect inside(const QRect& cellRect) { return cellRect.adjusted(1, 1, -1, -1); }

    // The text drawn alone, as the grid centres it, into a box like the grid.
    QImage reference(int d, const QString& text, vb::OleColor colour, bool bold) const {
        forms::PictureBox box;
        box.setBorderStyle(forms::PictureBox::BorderStyle::None);
        box.resize(grid_->size());
        box.setFont(grid_->font());
        box.setBackColor(grid_->backColor());
        box.setFontBold(bold);
        box.setForeColor(colour);
        const int p = kFirstWeekday + d - 1;
        const double cw = wnl_->cellWidth(), ch = wnl_->cellHeight();
        box.setCurrentX((p % 7) * cw + (cw - box.textWidth(text)) / 2);
        box.setCurrentY((p / 7) * ch + (ch - box.textHeight(text)) / 2);
        box.print(text, false);
        return box.drawingImage();
    }

    static int pixelsOf(const QImage& img, const QRect& r, const QColor& c) {
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) n += img.pixelColor(x, y) == c;
        return n;
    }

    QLineEdit born_;
    std::unique_ptr<calendar::Wnl> wnl_;
    forms::PictureBox* grid_ = nullptr;
    QImage drawing_;
};

TEST_F(WnlRenderTest, EveryDayShowsItsNumberAndLunarTextInItsColourAndWeight) {
    const QDir out(QCoreApplication::applicationDirPath() + QStringLiteral("/../test-output"));
    QDir().mkpath(out.path());
    ASSERT_TRUE(wnl_->grab().save(out.filePath(QStringLiteral("wnl-2020-05.png"))));

    const QColor background = drawing_.pixelColor(drawing_.width() - 1, 2);
    for (int d = 1; d <= 31; ++d) {
        const QString text = QString::number(d) + lunarTextOfMay2020(d);
        const vb::OleColor colour = d == kSelected ? vb::rgb(255, 255, 0) : vb::rgb(0, 0, 0);
        const QImage expected = reference(d, text, colour, d == kToday);
        // Inside the cell's edges, where the selection frame may lie.
        const QRect inner = inside(cell(kFirstWeekday + d - 1));
        int differing = 0;
        for (int y = inner.top(); y <= inner.bottom(); ++y)
            for (int x = inner.left(); x <= inner.right(); ++x) differing += drawing_.pixel(x, y) != expected.pixel(x, y);
        EXPECT_EQ(differing, 0) << "day " << d << " " << text.toStdString();
        EXPECT_GT(pixelsOf(drawing_, inner, background), 0);
        EXPECT_LT(pixelsOf(drawing_, inner, background), inner.width() * inner.height()) << "day " << d << " is blank";
    }
    // Yellow only on the leap month's first day; no first day of an ordinary month falls in May 2020.
    const QRect all = drawing_.rect();
    EXPECT_EQ(pixelsOf(drawing_, all, QColor(255, 255, 0)), pixelsOf(drawing_, cell(kFirstWeekday + kSelected - 1), QColor(255, 255, 0)));
    EXPECT_GT(pixelsOf(drawing_, all, QColor(255, 255, 0)), 10);
    EXPECT_EQ(pixelsOf(drawing_, all, QColor(0, 0, 255)), 0);
    // Cells before the 1st and after the 31st are empty.
    for (int p : {0, 4, 36, 41}) {
        const QRect r = inside(cell(p));
        EXPECT_EQ(pixelsOf(drawing_, r, background), r.width() * r.height()) << "cell " << p;
    }
}

TEST_F(WnlRenderTest, TheSelectedDayHasASunkenFrame) {
    // Left and top edges in the button shadow, right and bottom in the 3D highlight.
    const QRect c = cell(kFirstWeekday + kSelected - 1);
    const int l = c.left(), t = c.top(), r = c.right(), b = c.bottom();
    const QColor shadow = QColor(vb::toQColor(vb::vbButtonShadow).rgb());
    const QColor light = QColor(vb::toQColor(vb::vb3DHighlight).rgb());
    ASSERT_NE(shadow, light);
    for (int y = t; y <= b; ++y) EXPECT_EQ(drawing_.pixelColor(l, y), shadow) << "left " << y;
    for (int x = l; x < r; ++x) EXPECT_EQ(drawing_.pixelColor(x, t), shadow) << "top " << x;
    for (int y = t; y < b; ++y) EXPECT_EQ(drawing_.pixelColor(r, y), light) << "right " << y;
    for (int x = l + 1; x <= r; ++x) EXPECT_EQ(drawing_.pixelColor(x, b), light) << "bottom " << x;
    // No other cell is framed.
    const QRect neighbour = cell(kFirstWeekday + kSelected - 2);
    EXPECT_NE(drawing_.pixelColor(neighbour.left(), neighbour.top() + 3), shadow);
}

TEST_F(WnlRenderTest, CaptionsNameTheSelectedDay) {
    const auto caption = [this](const char* n) {
        return wnl_->findChild<forms::Label*>(QString::fromLatin1(n))->caption();
    };
    EXPECT_EQ(caption("Label4"), "2020-05-23");
    EXPECT_EQ(caption("Label6"), "初一");
    EXPECT_EQ(caption("Label3"), "庚子年");
    EXPECT_EQ(caption("Label1"), "辛巳月");
    EXPECT_EQ(born_.text(), "2020-5-23 12:30");
}

TEST_F(WnlRenderTest, NoDayIsBoldInAnotherMonth) {
    // June 2020 drawn with 9 June's text regular must equal the grid's 9 June.
    vb::Date d = vb::Date::fromParts(2020, 6, 9);
    wnl_->GoToDate(d);
    const QImage june = grid_->drawingImage();
    // 1 June 2020 was a Monday: the 9th is cell 9.
    const QRect c = inside(cell(9));
    forms::PictureBox bold;
    bold.setBorderStyle(forms::PictureBox::BorderStyle::None);
    bold.resize(grid_->size());
    bold.setFont(grid_->font());
    const int cw = wnl_->cellWidth(), ch = wnl_->cellHeight();
    const QString text = QStringLiteral("9") + wnl_->engine().dayTexts()[8];
    bold.setBackColor(grid_->backColor());
    bold.setForeColor(vb::rgb(0, 0, 0));
    bold.setCurrentX(2 * cw + (cw - bold.textWidth(text)) / 2);
    bold.setCurrentY(1 * ch + (ch - bold.textHeight(text)) / 2);
    bold.print(text, false);
    const QImage regular = bold.drawingImage();
    int differing = 0;
    for (int y = c.top(); y <= c.bottom(); ++y)
        for (int x = c.left(); x <= c.right(); ++x) differing += june.pixel(x, y) != regular.pixel(x, y);
    EXPECT_EQ(differing, 0);
}

}  // namespace
