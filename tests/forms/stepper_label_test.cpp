#include "platform/forms/stepper_label.h"

#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

class StepperLabelTest : public ::testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(100, 60);
        stepper_ = new forms::StepperLabel(QStringLiteral("lblNext"), QStringLiteral("△"), window_.get());
        stepper_->setGeometry(10, 10, 30, 30);
        QObject::connect(stepper_, &forms::StepperLabel::step, [this] { ++steps_; });
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    }

    void press() { QTest::mousePress(window_->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20)); }
    void release() { QTest::mouseRelease(window_->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20)); }
    // Lets the event loop run long enough for many repeat intervals.
    static void letTimersRun() { QTest::qWait(50); }

    std::unique_ptr<QWidget> window_;
    forms::StepperLabel* stepper_ = nullptr;
    int steps_ = 0;
};

TEST_F(StepperLabelTest, APressStepsOnceAtOnceAndHoldingKeepsStepping) {
    stepper_->setRepeatDelay(1);
    stepper_->setRepeatInterval(1);
    press();
    EXPECT_EQ(steps_, 1);
    EXPECT_TRUE(stepper_->isRepeating());
    ASSERT_TRUE(QTest::qWaitFor([&] { return steps_ >= 4; }, 5000));
    release();
    EXPECT_FALSE(stepper_->isRepeating());
    const int atRelease = steps_;
    letTimersRun();
    EXPECT_EQ(steps_, atRelease);
}

TEST_F(StepperLabelTest, AQuickClickStepsOnceAndADoubleClickAddsOne) {
    stepper_->setRepeatDelay(60'000);  // no repeat can come between press and release
    QTest::mouseClick(window_->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(steps_, 1);
    steps_ = 0;
    QTest::mouseDClick(window_->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(steps_, 2);  // the first press and the double-click
    EXPECT_FALSE(stepper_->isRepeating());
}

TEST_F(StepperLabelTest, RepeatEndsWhenHiddenOrDisabledWithoutARelease) {
    stepper_->setRepeatDelay(1);
    stepper_->setRepeatInterval(1);
    for (auto stop : {+[](QWidget* w) { w->hide(); }, +[](QWidget* w) { w->setEnabled(false); }}) {
        stepper_->show();
        stepper_->setEnabled(true);
        stepper_->startRepeat();
        stop(stepper_);
        EXPECT_FALSE(stepper_->isRepeating());
        const int stopped = steps_;
        letTimersRun();
        EXPECT_EQ(steps_, stopped);
    }
}

TEST_F(StepperLabelTest, AStepThatHidesTheLabelEndsTheRepeat) {
    stepper_->setRepeatDelay(1);
    stepper_->setRepeatInterval(1);
    QObject::connect(stepper_, &forms::StepperLabel::step, stepper_, [this] {
        if (steps_ == 2) stepper_->hide();
    });
    press();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !stepper_->isRepeating(); }, 5000));
    letTimersRun();
    EXPECT_EQ(steps_, 2);
}

TEST_F(StepperLabelTest, DestroyingAHeldStepperStopsItsSteps) {
    stepper_->setRepeatDelay(1);
    stepper_->setRepeatInterval(1);
    press();
    QPointer<forms::StepperLabel> watched = stepper_;
    delete stepper_;
    stepper_ = nullptr;
    const int atDelete = steps_;
    letTimersRun();
    EXPECT_TRUE(watched.isNull());
    EXPECT_EQ(steps_, atDelete);
}

}  // namespace
