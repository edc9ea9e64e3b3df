#include "platform/forms/label.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

// A shown window holding one label, whose events are written down in order.
class LabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(200, 100);
        label_ = new forms::Label(QStringLiteral("Label11"), QStringLiteral("年   月  日  时  分"), window_.get());
        label_->setGeometry(10, 10, 120, 30);
        QObject::connect(label_, &forms::Label::mouseDown, [this](const forms::MouseArgs& a) {
            log_ += QStringLiteral("down%1 ").arg(a.button);
        });
        QObject::connect(label_, &forms::Label::mouseUp, [this](const forms::MouseArgs& a) {
            log_ += QStringLiteral("up%1 ").arg(a.button);
        });
        QObject::connect(label_, &forms::Label::clicked, [this] { log_ += QStringLiteral("click "); });
        QObject::connect(label_, &forms::Label::doubleClicked, [this] { log_ += QStringLiteral("dbl "); });
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    QWindow* window() { return window_->windowHandle(); }
    QPoint inLabel() const { return label_->geometry().center(); }

    std::unique_ptr<QWidget> window_;
    forms::Label* label_ = nullptr;
    QString log_;
};

TEST_F(LabelTest, MouseEventsComeInTheOrderHandlersExpect) {
    QTest::mouseClick(window(), Qt::LeftButton, {}, inLabel());
    EXPECT_EQ(log_, "down1 up1 click ");

    log_.clear();
    QTest::mouseDClick(window(), Qt::LeftButton, {}, inLabel());
    EXPECT_EQ(log_, "down1 up1 click dbl up1 ");

    log_.clear();
    QTest::mouseClick(window(), Qt::RightButton, {}, inLabel());
    EXPECT_EQ(log_, "down2 up2 ");
}

TEST_F(LabelTest, ReleaseOutsideTheLabelIsNoClick) {
    QTest::mousePress(window(), Qt::LeftButton, {}, inLabel());
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(190, 90));
    EXPECT_EQ(log_, "down1 up1 ");
}

TEST_F(LabelTest, MousePositionIsInTwipsOfTheLabel) {
    forms::MouseArgs seen;
    QObject::connect(label_, &forms::Label::mouseDown, [&](const forms::MouseArgs& a) { seen = a; });
    QTest::mousePress(window(), Qt::LeftButton, Qt::ShiftModifier, QPoint(13, 14));
    QTest::mouseRelease(window(), Qt::LeftButton, Qt::ShiftModifier, QPoint(13, 14));
    EXPECT_DOUBLE_EQ(seen.x, 45);
    EXPECT_DOUBLE_EQ(seen.y, 60);
    EXPECT_EQ(seen.shift, 1);
}

TEST_F(LabelTest, CaptionIsShownAsPlainText) {
    // Markup would shrink "<b>x</b>" to one bold letter.
    forms::Label plain;
    plain.setCaption(QStringLiteral("x"));
    label_->setCaption(QStringLiteral("<b>x</b>"));
    label_->setWordWrap(false);
    EXPECT_EQ(label_->caption(), "<b>x</b>");
    EXPECT_GT(label_->sizeHint().width(), 4 * plain.sizeHint().width());
}

TEST_F(LabelTest, ForeColorIsBgrAndSystemColoursFollowThePalette) {
    label_->setForeColor(0x0000FF);
    EXPECT_EQ(label_->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    label_->setForeColor(0xC000C0);
    EXPECT_EQ(label_->palette().color(QPalette::WindowText), QColor(0xC0, 0, 0xC0));
    EXPECT_EQ(label_->foreColor(), 0xC000C0u);

    const QPalette saved = QApplication::palette();
    label_->setForeColor(vb::vbHighlight);
    QPalette changed = saved;
    changed.setColor(QPalette::Highlight, QColor(1, 2, 3));
    QApplication::setPalette(changed);
    QCoreApplication::processEvents();
    EXPECT_EQ(label_->palette().color(QPalette::WindowText), QColor(1, 2, 3));
    QApplication::setPalette(saved);
}

TEST_F(LabelTest, BackStyleDecidesWhetherBackColorIsPainted) {
    label_->setBackColor(0x00FF00);
    label_->setBackStyle(forms::Label::BackStyle::Opaque);
    label_->setCaption(QString());
    EXPECT_EQ(label_->grab().toImage().pixelColor(2, 2), QColor(0, 255, 0));
    label_->setBackStyle(forms::Label::BackStyle::Transparent);
    EXPECT_FALSE(label_->autoFillBackground());
}

}  // namespace
