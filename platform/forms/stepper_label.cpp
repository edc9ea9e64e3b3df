#include "platform/forms/stepper_label.h"

#include <QEvent>

namespace forms {

StepperLabel::StepperLabel(QWidget* parent) : Label(parent) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &StepperLabel::repeatStep);
    connect(this, &Label::mouseDown, this, [this] { startRepeat(); });
    connect(this, &Label::mouseUp, this, [this] { stopRepeat(); });
    connect(this, &Label::doubleClicked, this, [this] { emit step(); });
}

StepperLabel::StepperLabel(const QString& name, const QString& caption, QWidget* parent) : StepperLabel(parent) {
    setObjectName(name);
    setText(caption);
}

void StepperLabel::startRepeat() {
    repeating_ = true;
    timer_.start(repeatDelay_);
    // Last, since a step may hide or disable the label, which stops the repeat.
    emit step();
}

void StepperLabel::stopRepeat() {
    repeating_ = false;
    timer_.stop();
}

void StepperLabel::repeatStep() {
    if (!repeating_) return;
    timer_.start(repeatInterval_);
    emit step();
}

void StepperLabel::hideEvent(QHideEvent* event) {
    stopRepeat();
    Label::hideEvent(event);
}

void StepperLabel::changeEvent(QEvent* event) {
    if ((event->type() == QEvent::EnabledChange && !isEnabled()) ||
        (event->type() == QEvent::ActivationChange && !isActiveWindow()))
        stopRepeat();
    Label::changeEvent(event);
}

}  // namespace forms
