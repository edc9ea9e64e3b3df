#pragma once
// The new-case window "个人资料": it holds the perpetual-calendar control `wnlqd`, in which the birth
// moment is picked, and the birth-time box `txtborntime`, which the control fills.
#include "platform/forms/form.h"

class QLineEdit;

namespace calendar {
class Wnl;
}

namespace library {

class FrmCalendar : public forms::Form {
    Q_OBJECT
public:
    explicit FrmCalendar(QWidget* parent = nullptr);

    calendar::Wnl* wnlqd() const { return wnlqd_; }
    QLineEdit* txtborntime() const { return txtborntime_; }
    // Initialise found another copy of the program running: this copy is ending and shows nothing.
    bool endingProgram() const { return endingProgram_; }

protected:
    void Form_Load() override;

private:

    calendar::Wnl* wnlqd_;
    QLineEdit* txtborntime_;
    bool endingProgram_ = false;
};

// Loads the window's default instance if needed and shows it, modeless; a copy that is ending shows
// nothing.
void showFrmcalendar();

}  // namespace library
