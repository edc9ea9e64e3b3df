#pragma once
// The about window: version, disclaimer, and the program's web and mail addresses.
#include "platform/forms/form.h"

namespace forms {
class Label;
}

namespace library {

class FrmAbout : public forms::Form {
    Q_OBJECT
public:
    FrmAbout();

    // Opens a web or mail link with the desktop's own program; false, after a message, when it could
    // not be opened.
    static bool ExecuteLink(const QString& link);

    forms::Label* lblVersion() const { return lblVersion_; }
    forms::Label* lblDisclaimer() const { return lblDisclaimer_; }
    forms::Label* lblLink1() const { return lblLink1_; }
    forms::Label* lbllink2() const { return lbllink2_; }
    forms::Label* lblMailTo() const { return lblMailTo_; }

protected:
    void Form_Load() override;

private:
    forms::Label* lblVersion_;
    forms::Label* lblDisclaimer_;
    forms::Label* lblLink1_;
    forms::Label* lbllink2_;
    forms::Label* lblMailTo_;
};

inline constexpr char16_t kAboutLink1[] = u"https://www.example.org/veyra/";
inline constexpr char16_t kAboutLink2[] = u"https://www.example.org/veyra/download/";
inline constexpr char16_t kAboutMail[] = u"veyra@example.org";

}  // namespace library
