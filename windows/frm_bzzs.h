#pragma once
// The knowledge window: a reader for the Four Pillars articles of the rule database. A topic from its
// menu loads that article into the text box, the slider sets the text size, and the print entry
// prints the text.
#include "platform/forms/form.h"

#include <optional>

class QAction;
class QSlider;

namespace forms {
class CommonDialog;
class RichTextBox;
}  // namespace forms

namespace windows {

class FrmBZzs : public forms::Form {
    Q_OBJECT
public:
    FrmBZzs();
    ~FrmBZzs() override;

    forms::RichTextBox* TxtZs() const { return TxtZs_; }
    QSlider* Slider1() const { return Slider1_; }
    forms::CommonDialog* dlgCommonDialog1() const { return dlgCommonDialog1_; }
    // A menu entry (topic, submenu title, separator or the print command) by its name; null for none.
    QAction* menuEntry(const QString& name) const;

    // Replaces the box's text with article `id` from the rule database. When the database cannot be
    // read, the row is missing or holds no text, a message says so and the box keeps what it had.
    void ShowBaziArticle(int id);
    // The whole text in 宋体 at the slider's size plus one point, caret at the start. Articles loaded
    // afterwards take that size too.
    void ApplyFontSize();
    void Mnuprint_Click();

private:
    void buildMenus();
    void setWholeTextFont(double points);

    forms::RichTextBox* TxtZs_;
    QSlider* Slider1_;
    forms::CommonDialog* dlgCommonDialog1_;
    // The size the user chose with the slider; none until it is first moved.
    std::optional<double> chosenPoints_;
};

}  // namespace windows
