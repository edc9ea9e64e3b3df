#pragma once
// The options dialog: the three switches and the four numbers of the reading panel. It writes only
// into the options object it was given, and only when every value is valid.
#include "platform/forms/form.h"

class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollBar;
class QSlider;

namespace core {
class CSettings;
}

namespace library {

class FrmOptions : public forms::Form {
    Q_OBJECT
public:
    FrmOptions();

    void Initialise(core::CSettings& settings);

    QListWidget* lstOptions() const { return lstOptions_; }
    QLineEdit* txtUpDownpage() const { return txtUpDownpage_; }
    QLineEdit* txtUpDownLoop() const { return txtUpDownLoop_; }
    QLineEdit* txtUpDownPageLoop() const { return txtUpDownPageLoop_; }
    QScrollBar* UpDownPN() const { return upDownPN_; }
    QScrollBar* UpDownZLN() const { return upDownZLN_; }
    QScrollBar* UpDownPLN() const { return upDownPLN_; }
    QSlider* sldUpDown() const { return sldUpDown_; }
    QPushButton* cmdok() const { return cmdok_; }
    QPushButton* cmdcancel() const { return cmdcancel_; }

    void cmdok_Click();
    void cmdcancel_Click();

private:
    core::CSettings* settings_ = nullptr;
    QListWidget* lstOptions_;
    QLineEdit* txtUpDownpage_;
    QLineEdit* txtUpDownLoop_;
    QLineEdit* txtUpDownPageLoop_;
    QScrollBar* upDownPN_;
    QScrollBar* upDownZLN_;
    QScrollBar* upDownPLN_;
    QSlider* sldUpDown_;
    QPushButton* cmdok_;
    QPushButton* cmdcancel_;
};

// The ranges of the reading panel's numbers.
inline constexpr int kReadCountMin = 1, kReadCountMax = 99;
inline constexpr int kReadSpeedMin = 1, kReadSpeedMax = 10;

}  // namespace library
