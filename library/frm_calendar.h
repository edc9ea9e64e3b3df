#pragma once
// The new-case window "个人资料": a person's name, sex, birth moment, reason, address and telephone.
// The birth moment is picked in the perpetual-calendar control `wnlqd`, which writes it into
// `txtborntime`. OK stores the case in table codefiles under the library item the window was opened
// for, and opens its chart.
//
// The window takes its item from the request that opened it, and from each later request while it is
// open (the latest one wins); the shared gCodeID is only the case list's reload signal, which a focus
// change may reset while the window is open. OK takes only a whole birth date and time within the
// calendar (1882-03-01 … 2031-12-31). A failed OK says what is wrong and keeps the window open with
// its entries.
#include "platform/forms/form.h"
#include "platform/vb/date.h"

#include <QString>

#include <cstdint>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSoundEffect;

namespace calendar {
class Wnl;
}
namespace forms {
class Label;
}

namespace library {

// Entry limits: in bytes of code page 936 (a Chinese character counts 2) or in characters.
struct EntryLimit {
    const char16_t* box;
    int limit;
    bool bytes;
    const char16_t* message;
};
inline constexpr EntryLimit kCaseEntryLimits[] = {
    {u"txtnume", 18, true, u"请将输入的字符限制在于18个以内！"},
    {u"txtaddress", 250, true, u"请将输入的字符限制在于250个以内！"},
    {u"txtWhy", 250, false, u"请将输入的字符限制于250个以内！"},
};
inline constexpr int kTelephoneLength = 20;

class FrmCalendar : public forms::Form {
    Q_OBJECT
public:
    explicit FrmCalendar(QWidget* parent = nullptr);

    // The library item the case goes to (0: none).
    int32_t itemId() const { return itemId_; }
    void setItemId(int32_t id) { itemId_ = id; }
    // The row the last OK stored; 0 before.
    int32_t savedId() const { return savedId_; }

    // Whether the user typed or chose something here that closing would throw away.
    bool holdsEntries() const;
    // Before the window is closed for another library: true when nothing would be lost or the user
    // agrees to let the entries go.
    bool mayDiscardEntries();

    void cmdok_Click();
    void cmdcancel_Click();
    void opXingbie1_Click();
    void opXingbie2_Click();

    calendar::Wnl* wnlqd() const { return wnlqd_; }
    QLineEdit* txtborntime() const { return txtborntime_; }
    QLineEdit* txtnume() const { return txtnume_; }
    QLineEdit* txtWhy() const { return txtWhy_; }
    QLineEdit* txtaddress() const { return txtaddress_; }
    QLineEdit* txttel() const { return txttel_; }
    QRadioButton* opXingbie1() const { return opXingbie1_; }
    QRadioButton* opXingbie2() const { return opXingbie2_; }
    QPushButton* cmdok() const { return cmdok_; }
    QPushButton* cmdcancel() const { return cmdcancel_; }
    // Initialise found another copy of the program running: this copy is ending and shows nothing.
    bool endingProgram() const { return endingProgram_; }

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* addEntry(const QString& name, const QString& label, int top, int width);
    void checkLimit(QLineEdit* box, const EntryLimit& limit, QString& lastAccepted);
    // Adds the case's row; returns its id. Raises on a database error, with nothing stored.
    int32_t SaveCaseRecord(const vb::Date& birth);

    int32_t itemId_ = 0;
    int32_t savedId_ = 0;
    QString lastName_, lastAddress_, lastWhy_;
    bool settingBack_ = false;

    calendar::Wnl* wnlqd_;
    QLineEdit* txtborntime_;
    QLineEdit* txtnume_ = nullptr;
    QLineEdit* txtWhy_ = nullptr;
    QLineEdit* txtaddress_ = nullptr;
    QLineEdit* txttel_ = nullptr;
    QGroupBox* Frame1_ = nullptr;
    QRadioButton* opXingbie1_ = nullptr;
    QRadioButton* opXingbie2_ = nullptr;
    QPushButton* cmdok_ = nullptr;
    QPushButton* cmdcancel_ = nullptr;
    QSoundEffect* tapSound_ = nullptr;
    bool endingProgram_ = false;
};

// Loads the window's default instance if needed and shows it, modeless, for a case of item `itemId`;
// a copy that is ending shows nothing. An open window takes the item of this latest request.
void showFrmcalendar(int32_t itemId = 0);

}  // namespace library
