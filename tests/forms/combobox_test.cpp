#include "platform/forms/combobox.h"

#include "platform/vb/error.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ComboBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int d = 1; d <= 31; ++d) box_.addItem(QString::number(d));
    }

    forms::ComboBox box_{QStringLiteral("cboDay")};
    QSignalSpy clicks_{&box_, &forms::ComboBox::clicked};
};

TEST_F(ComboBoxTest, FillingLeavesNothingSelectedAndRaisesNoClick) {
    EXPECT_EQ(box_.listIndex(), -1);
    EXPECT_EQ(box_.text(), "");
    EXPECT_EQ(box_.listCount(), 31);
    EXPECT_EQ(box_.list(30), "31");
    EXPECT_EQ(clicks_.count(), 0);
}

TEST_F(ComboBoxTest, CodeThatChangesTheSelectionRaisesClickOnce) {
    box_.setListIndex(30);
    EXPECT_EQ(clicks_.count(), 1);
    EXPECT_EQ(box_.text(), "31");
    box_.setListIndex(30);  // no change, no Click
    EXPECT_EQ(clicks_.count(), 1);
    box_.setListIndex(-1);
    EXPECT_EQ(clicks_.count(), 2);
    EXPECT_EQ(box_.text(), "");
}

TEST_F(ComboBoxTest, AnIndexOutsideTheListIsAnInvalidPropertyValue) {
    for (int bad : {-2, 31}) {
        try {
            box_.setListIndex(bad);
            ADD_FAILURE() << bad << " was accepted";
        } catch (const vb::Error& e) {
            EXPECT_EQ(e.number(), 380);
        }
    }
    EXPECT_EQ(box_.listIndex(), -1);
    EXPECT_EQ(clicks_.count(), 0);
}

TEST_F(ComboBoxTest, ClearingAndRefillingKeepsNothingSelectedWithoutClicks) {
    box_.setListIndex(27);
    box_.clear();
    EXPECT_EQ(box_.listIndex(), -1);
    for (int d = 1; d <= 28; ++d) box_.addItem(QString::number(d));
    EXPECT_EQ(box_.listIndex(), -1);
    EXPECT_EQ(clicks_.count(), 1);  // only the setListIndex
}

TEST_F(ComboBoxTest, RemovingTheSelectedEntrySelectsNothingAndOthersKeepTheSelection) {
    box_.setListIndex(10);
    box_.removeItem(0);
    EXPECT_EQ(box_.listIndex(), 9);
    EXPECT_EQ(box_.text(), "11");
    box_.removeItem(9);
    EXPECT_EQ(box_.listIndex(), -1);
    box_.addItem(QStringLiteral("32"));  // adding to a list without selection keeps it so
    EXPECT_EQ(box_.listIndex(), -1);
    EXPECT_EQ(clicks_.count(), 1);
}

TEST(ComboBox, AUsersChoiceRaisesClick) {
    QWidget window;
    auto* box = new forms::ComboBox(QStringLiteral("cboHour"), &window);
    for (int h = 0; h <= 23; ++h) box->addItem(QString::number(h));
    QSignalSpy clicks(box, &forms::ComboBox::clicked);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    box->setFocus();
    box->setListIndex(4);
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(box->listIndex(), 5);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(ComboBoxTest, ItemNumbersStayWithTheirEntries) {
    box_.setItemNumber(3, 1882);
    box_.removeItem(0);
    EXPECT_EQ(box_.itemNumber(2), 1882);
    EXPECT_EQ(box_.itemNumber(0), 0);
}

}  // namespace
