#pragma once
// The find and replace window over the library window's editor: modeless, one default instance. It
// searches from the last hit (gFindPos) onwards and remembers its whole-word box between showings.
#include "platform/forms/form.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace library {

class FrmFind : public forms::Form {
    Q_OBJECT
public:
    FrmFind();

    QLineEdit* Text1() const { return text1_; }
    QLineEdit* Text2() const { return text2_; }
    QCheckBox* Check1() const { return check1_; }
    QPushButton* Command1() const { return command1_; }
    QPushButton* Command2() const { return command2_; }
    QPushButton* Command3() const { return command3_; }

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Check1_Click();

protected:
    void Form_Load() override;

private:
    // Searches from just after gFindPos and selects the hit; says so when there is none.
    void findNext();

    QLineEdit* text1_;
    QLineEdit* text2_;
    QCheckBox* check1_;
    QPushButton* command1_;
    QPushButton* command2_;
    QPushButton* command3_;
};

}  // namespace library
