#include "platform/forms/picturebox.h"

#include "platform/forms/keycodes.h"
#include "platform/forms/font_faces.h"

#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr vb::OleColor kWhite = 0xFFFFFF;
constexpr vb::OleColor kRed = 0x0000FF;
constexpr vb::OleColor kBlue = 0xFF0000;

// A borderless white box of 20 × 20 pixels (300 × 300 twips).
class PictureBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        box_.setBorderStyle(forms::PictureBox::BorderStyle::None);
        box_.resize(20, 20);
        box_.setBackColor(kWhite);
    }
    QColor at(int x, int y) const { return box_.drawingImage().pixelColor(x, y); }
    // The pixels of one row or column in a colour, as a text of '#' and '.'.
    QString row(int y, int from, int to, QColor c) const {
        QString s;
        for (int x = from; x <= to; ++x) s += at(x, y) == c ? '#' : '.';
        return s;
    }
    QString column(int x, int from, int to, QColor c) const {
        QString s;
        for (int y = from; y <= to; ++y) s += at(x, y) == c ? '#' : '.';
        return s;
    }

    forms::PictureBox box_{QStringLiteral("picMonth")};
};

TEST_F(PictureBoxTest, ScaleSizeIsTheDrawingAreaInTwips) {
    box_.resize(281, 137);
    EXPECT_DOUBLE_EQ(box_.scaleWidth(), 4215);
    EXPECT_DOUBLE_EQ(box_.scaleHeight(), 2055);
    box_.setBorderStyle(forms::PictureBox::BorderStyle::FixedSingle);
    EXPECT_DOUBLE_EQ(box_.scaleWidth(), (281 - 4) * 15);
}

TEST_F(PictureBoxTest, LinesInTwipsLeaveOutTheirEndPointInEveryDirection) {
    const QColor red(255, 0, 0);
    box_.line({30, 75}, {150, 75}, kRed);  // pixels 2..9 of row 5
    EXPECT_EQ(row(5, 0, 12, red), "..########...");
    box_.cls();
    box_.line({150, 75}, {30, 75}, kRed);  // from the right: pixels 10 down to 3
    EXPECT_EQ(row(5, 0, 12, red), "...########..");
    box_.cls();
    box_.line({45, 225}, {45, 30}, kRed);  // upwards: rows 15 down to 3
    EXPECT_EQ(column(3, 0, 16, red), "...#############.");
    EXPECT_DOUBLE_EQ(box_.currentX(), 45);
    EXPECT_DOUBLE_EQ(box_.currentY(), 30);
}

TEST_F(PictureBoxTest, AFrameOfFourJoinedLinesHasEachCornerInTheColourOfTheLineThatStartsThere) {
    // The sunken frame of a selected cell: left and top in one colour, right and bottom in another.
    const QPointF tl(30, 30), tr(180, 30), br(180, 150), bl(30, 150);
    box_.line(bl, tl, kRed);
    box_.lineTo(tr, kRed);
    box_.lineTo(br, kBlue);
    box_.lineTo(bl, kBlue);
    const QColor red(255, 0, 0), blue(0, 0, 255);
    EXPECT_EQ(at(2, 10), red);   // bottom-left
    EXPECT_EQ(at(2, 2), red);    // top-left
    EXPECT_EQ(at(12, 2), blue);  // top-right
    EXPECT_EQ(at(12, 10), blue); // bottom-right
    EXPECT_EQ(row(2, 2, 11, red), "##########");
    EXPECT_EQ(column(12, 2, 10, blue), "#########");
    EXPECT_EQ(row(10, 3, 12, blue), "##########");
    EXPECT_EQ(at(7, 6), QColor(255, 255, 255));
}

TEST_F(PictureBoxTest, ClsAndANewBackColorClearTheDrawing) {
    box_.line({0, 0}, {150, 150}, kRed);
    box_.setCurrentX(99);
    box_.cls();
    EXPECT_EQ(at(3, 3), QColor(255, 255, 255));
    EXPECT_DOUBLE_EQ(box_.currentX(), 0);
    box_.line({0, 0}, {150, 150}, kRed);
    box_.setBackColor(0x00FF00);
    EXPECT_EQ(at(3, 3), QColor(0, 255, 0));
}

TEST_F(PictureBoxTest, TheDrawingOutlivesRepaintsAndGrowth) {
    box_.box({30, 30}, {90, 90}, kRed, true);
    box_.update();
    EXPECT_EQ(box_.grab().toImage().pixelColor(3, 3), QColor(255, 0, 0));
    box_.resize(40, 40);
    EXPECT_EQ(at(3, 3), QColor(255, 0, 0));
    EXPECT_EQ(at(30, 30), QColor(255, 255, 255));
}

TEST_F(PictureBoxTest, PrintDrawsWithinTheMeasuredBoxAndMovesTheCurrentPoint) {
    box_.resize(200, 60);
    box_.setFont(forms::designFont(QStringLiteral("宋体"), 9));
    box_.setForeColor(kBlue);
    const QString text = QStringLiteral("24正月");
    const double w = box_.textWidth(text);
    const double h = box_.textHeight(text);
    box_.setCurrentX(150);
    box_.setCurrentY(150);
    box_.print(text, false);
    EXPECT_DOUBLE_EQ(box_.currentX(), 150 + w);
    EXPECT_DOUBLE_EQ(box_.currentY(), 150);

    // Every inked pixel lies inside the measured box, and the text is there.
    const QImage img = box_.drawingImage();
    int inked = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixelColor(x, y) != QColor(255, 255, 255)) {
                ++inked;
                EXPECT_GE(x, 10);
                EXPECT_LE(x, (150 + w) / 15 + 1);
                EXPECT_GE(y, 10);
                EXPECT_LE(y, (150 + h) / 15 + 1);
            }
    EXPECT_GT(inked, 20);

    box_.print(QString());  // ends the line
    EXPECT_DOUBLE_EQ(box_.currentX(), 0);
    EXPECT_DOUBLE_EQ(box_.currentY(), 150 + box_.textHeight(QString()));
}

TEST_F(PictureBoxTest, TextMeasuresFollowTheFont) {
    box_.setFont(forms::designFont(QStringLiteral("宋体"), 9));
    const double regular = box_.textWidth(QStringLiteral("星期日"));
    EXPECT_NEAR(box_.textWidth(QStringLiteral("星期日星期日")), 2 * regular, 15);
    EXPECT_GT(box_.textHeight(QStringLiteral("a\nb")), 1.5 * box_.textHeight(QStringLiteral("a")));
    EXPECT_NEAR(box_.textWidth(QStringLiteral("a\nbbb")), box_.textWidth(QStringLiteral("bbb")), 0.01);
}

// Keys and clicks reach their handlers with the windows' codes; a consumed key goes no further.
class KeyRecorder : public QWidget {
public:
    int seen = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++seen; }
};

TEST(PictureBoxEvents, AKeyCodeSetToZeroIsConsumed) {
    KeyRecorder parent;
    auto* box = new forms::PictureBox(&parent);
    QList<int> codes;
    QObject::connect(box, &forms::PictureBox::keyDown, [&](forms::KeyArgs& k) {
        codes << k.keyCode;
        if (k.keyCode == forms::vbKeyPageUp) k.keyCode = 0;
    });
    QTest::keyClick(box, Qt::Key_PageUp);
    EXPECT_EQ(parent.seen, 0);
    QTest::keyClick(box, Qt::Key_X);
    EXPECT_EQ(parent.seen, 1);
    EXPECT_EQ(codes, (QList<int>{33, 88}));
}

TEST(PictureBoxEvents, MousePositionsAreTwipsOfTheDrawingArea) {
    QWidget window;
    window.resize(100, 100);
    auto* box = new forms::PictureBox(&window);
    box->setGeometry(10, 10, 60, 60);  // with its 2-pixel border
    QList<forms::MouseArgs> downs;
    int clicks = 0;
    QObject::connect(box, &forms::PictureBox::mouseDown, [&](const forms::MouseArgs& a) { downs << a; });
    QObject::connect(box, &forms::PictureBox::clicked, [&] { ++clicks; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(window.windowHandle(), Qt::RightButton, {}, QPoint(22, 32));
    ASSERT_EQ(downs.size(), 1);
    EXPECT_EQ(downs[0].button, forms::vbRightButton);
    EXPECT_DOUBLE_EQ(downs[0].x, 150);
    EXPECT_DOUBLE_EQ(downs[0].y, 300);
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(22, 32));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(box->hasFocus());
}

}  // namespace
