#pragma once
// The Border page ("General"): bevel styles, widths and automatic sizing of the control.
#include "splitter/property_page_base.h"

class QComboBox;
class QLineEdit;

namespace splitter {

class BorderPage final : public PropertyPageBase {
public:
    BorderPage();

protected:
    void build(QWidget* page) override;
    void applyToObject() override;

private:
    QComboBox* inner_ = nullptr;     // 211
    QComboBox* outer_ = nullptr;     // 212
    QComboBox* autoSize_ = nullptr;  // 217
    QLineEdit* bevelWidth_ = nullptr;     // 222
    QLineEdit* borderWidth_ = nullptr;    // 215
    QLineEdit* outlineWidth_ = nullptr;   // 224
    QLineEdit* splitterWidth_ = nullptr;  // 220
};

}  // namespace splitter
