#pragma once
// The expression calculator: the user builds an expression in the display, by typing or with the
// buttons, and the equals button appends "=" and its value. Backquoted numbers read a fixed memory of
// 41 cells. What the evaluator complains about is shown in a line under the display until the next
// evaluation.
#include "calculator/comp_str.h"
#include "platform/forms/control_array.h"
#include "platform/forms/form.h"

#include <QPushButton>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QLabel;

namespace calculator {

class DisplayBox;

class FrmJiSuanQi : public forms::Form {
    Q_OBJECT
public:
    FrmJiSuanQi();
    ~FrmJiSuanQi() override;

    static constexpr int kMemoryCells = 41;

    DisplayBox* txtDisplay() const { return txtDisplay_; }
    QLabel* lblErrorText() const { return lblErrorText_; }
    QPushButton& cmdNumber(int index) const { return cmdNumber_[index]; }
    QPushButton* button(const QString& name) const;

    // State, for the window's own use and for tests.
    int Memory(int index) const { return Memory_.at(static_cast<size_t>(index)); }
    int32_t LineCount() const { return LineCount_; }
    float LineHeight() const { return LineHeight_; }
    const CompStr* Syscomp1() const { return Syscomp1_.get(); }

    void cmdNumber_Click(int index);
    void cmdDecimal_Click();
    void plus_Click();
    void jian_Click();
    void cheng_Click();
    void chu_Click();
    void leftk_Click();
    void rightk_Click();
    void Command1_Click();
    void Command2_Click();
    void cmdClearEntry_Click();
    void cmdPlusMinus_Click();
    void SysComp1_GetGrid(QString& name, QString& value);
    void txtDisplay_Change();
    void txtDisplay_GotFocus();

protected:
    void Form_Load() override;

private:
    void Append(QChar c);
    // Runs a handler as an entry point from Qt: an error is reported under the handler's tag.
    void Guard(const char* handler, const std::function<void()>& body);

    DisplayBox* txtDisplay_;
    QLabel* lblErrorText_;
    forms::ControlArray<QPushButton> cmdNumber_{QStringLiteral("cmdNumber")};

    std::array<int, kMemoryCells> Memory_{};
    int32_t LineCount_ = 0;
    float LineHeight_ = 0;  // twips
    std::unique_ptr<CompStr> Syscomp1_;
};

}  // namespace calculator
