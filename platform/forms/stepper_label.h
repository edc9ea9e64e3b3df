#pragma once
// A label that steps while it is held: a press steps once at once and then keeps stepping on a timer
// until the release; a double-click adds one step. The repeat also ends when the label is hidden,
// disabled, its window loses activation, or it is destroyed, so a lost release never leaves it running.
#include "platform/forms/label.h"

#include <QTimer>

namespace forms {

class StepperLabel : public Label {
    Q_OBJECT
public:
    explicit StepperLabel(QWidget* parent = nullptr);
    StepperLabel(const QString& name, const QString& caption, QWidget* parent = nullptr);

    // Pause before the first repeated step and between later ones, in milliseconds.
    int repeatDelay() const { return repeatDelay_; }
    void setRepeatDelay(int ms) { repeatDelay_ = ms; }
    int repeatInterval() const { return repeatInterval_; }
    void setRepeatInterval(int ms) { repeatInterval_ = ms; }

    bool isRepeating() const { return repeating_; }
    // What a press and a release of the label do.
    void startRepeat();
    void stopRepeat();

signals:
    void step();

protected:
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void repeatStep();

    QTimer timer_;
    int repeatDelay_ = 400;
    int repeatInterval_ = 60;
    bool repeating_ = false;
};

}  // namespace forms
