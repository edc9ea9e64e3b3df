#pragma once
// The Panels page: the grid's counts, the current pane, per-column and per-row sizes and limits, and
// the control named in each pane, edited in a working copy that Apply writes to the control.
#include "splitter/property_page_base.h"
#include "splitter/splitter_model.h"

#include <QStringList>

class QComboBox;
class QLineEdit;

namespace splitter {

class SplitterControl;

class PanelsPage final : public PropertyPageBase {
public:
    PanelsPage();

    // The working copy, for the preview and tests.
    const SplitterModel& working() const { return work_; }
    // Makes cell (c, r) current when it lies inside the grid; false otherwise.
    bool selectCell(int c, int r);

protected:
    void build(QWidget* page) override;
    void applyToObject() override;

private:
    SplitterControl* control() const;
    // The working copy and the offered names from the control as it is now.
    void readControl();
    // The bevels, widths and client size that sharing out columns and rows depends on.
    void readFrame();
    void fillNames();
    // Fields and the name list from the working copy for the current cell.
    void showCurrent();
    void countLeft(Direction d, QLineEdit* field);
    void currentLeft(Direction d, QLineEdit* field);
    void sizeLeft(Direction d, QLineEdit* field);
    void limitLeft(QLineEdit* field, int32_t* slot, int32_t negativeBecomes);
    void nameLeft();
    void repaintPreview();

    SplitterModel work_;
    QSize client_;
    QStringList names_;
    bool nameEdited_ = false;  // the name field was changed since the current pane was shown
    QWidget* preview_ = nullptr;  // 201
    QLineEdit* cols_ = nullptr;   // 226
    QLineEdit* rows_ = nullptr;   // 230
    QLineEdit* col_ = nullptr;    // 232
    QLineEdit* row_ = nullptr;    // 234
    QLineEdit* width_ = nullptr;  // 248
    QLineEdit* height_ = nullptr; // 250
    QLineEdit* minWidth_ = nullptr;   // 244
    QLineEdit* minHeight_ = nullptr;  // 246
    QLineEdit* maxWidth_ = nullptr;   // 240
    QLineEdit* maxHeight_ = nullptr;  // 242
    QLineEdit* visibleWidth_ = nullptr;   // 224
    QLineEdit* visibleHeight_ = nullptr;  // 220
    QComboBox* name_ = nullptr;           // 203
};

}  // namespace splitter
