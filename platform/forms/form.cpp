#include "platform/forms/form.h"

#include "platform/forms/error_report.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/screen_bounds.h"
#include "platform/vb/dialog_frame.h"
#include "platform/vb/twips.h"
#include "platform/vb/unattended_end.h"

#include <QCloseEvent>
#include <QLayout>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPushButton>
#include <QMoveEvent>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace forms {

Form::Form(const QString& name, QWidget* parent) : QMainWindow(parent), client_(new QWidget(this)) {
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose, false);
    client_->setObjectName(name + QStringLiteral("_client"));
    setCentralWidget(client_);
    detail::formCreated(this);
}

Form::~Form() { detail::formGone(this); }

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    reportErrors(QStringLiteral(" %1::Form_Load").arg(objectName()), [this] { Form_Load(); });
}

void Form::Show(bool modal, QWidget* owner) {
    Load();
    if (unloaded_) return;  // Form_Load unloaded it
    if (owner && parentWidget() != owner) {
        const QRect g = geometry();
        setParent(owner, windowFlags() | Qt::Window);
        setGeometry(openingGeometry(g, owner));
    }
    // An unattended end cannot wait for a window to be answered.
    if (modal && vb::unattendedEnd()) return;
    // Shown again while minimised, the window comes back: showing it must show something.
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    if (!modal) {
        show();
        raise();
        activateWindow();
        return;
    }
    vb::setDialogFrame(*this);
    setWindowModality(Qt::ApplicationModal);
    QPointer<Form> self(this);
    QEventLoop loop;
    connect(this, &Form::hidden, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    show();
    raise();
    activateWindow();
    if (self && isVisible()) loop.exec();
    if (self) setWindowModality(Qt::NonModal);
}

QRect Form::openingGeometry(QRect g, const QWidget* over) const {
    // A form shown for the first time over another window opens centred on it.
    if (!testAttribute(Qt::WA_Moved)) g.moveCenter(over->frameGeometry().center());
    return boundedByScreens(g);
}

void Form::ShowCentredOn(const QWidget* over) {
    if (over && !isVisible()) {
        Load();
        if (unloaded_) return;
        setGeometry(openingGeometry(geometry(), over));
    }
    Show();
}

bool Form::Unload(int mode) {
    if (unloaded_) return true;
    if (unloading_) return false;
    unloading_ = true;
    int cancel = 0;
    const QString name = objectName();
    reportErrors(QStringLiteral(" %1::Form_QueryUnload").arg(name), [&] { Form_QueryUnload(cancel, mode); });
    if (cancel == 0) reportErrors(QStringLiteral(" %1::Form_Unload").arg(name), [&] { Form_Unload(cancel); });
    unloading_ = false;
    if (cancel != 0) return false;
    unloaded_ = true;
    detail::formGone(this);
    hide();
    emit unloaded();
    deleteLater();
    return true;
}

namespace {

// The pixels Move takes for a rectangle in twips: each value rounded on its own, as the size of a
// window is its own value and not the distance between two rounded edges.
QRect outerPixels(int left, int top, int width, int height) {
    return {vb::twipsToPixels(left), vb::twipsToPixels(top), std::max(1, vb::twipsToPixels(width)),
            std::max(1, vb::twipsToPixels(height))};
}

int toTwips(int pixels) { return static_cast<int>(vb::pixelsToTwips(pixels)); }

}  // namespace

// The twips Move was given while the window keeps the pixels they stand for, else the pixels'.
int Form::keptTwips(int pixels, int askedPixels, int askedTwips) const {
    return asked_ && pixels == askedPixels ? askedTwips : toTwips(pixels);
}

int Form::Left() const { return keptTwips(frameGeometry().x(), askedPixels_.x(), askedTwips_.x()); }
int Form::Top() const { return keptTwips(frameGeometry().y(), askedPixels_.y(), askedTwips_.y()); }
int Form::Width() const { return keptTwips(frameGeometry().width(), askedPixels_.width(), askedTwips_.width()); }
int Form::Height() const { return keptTwips(frameGeometry().height(), askedPixels_.height(), askedTwips_.height()); }

QSize Form::frameExtra() const { return frameGeometry().size() - geometry().size(); }

void Form::Move(int left, int top, int width, int height) {
    const QSize extra = frameExtra();
    const QRect outer = outerPixels(left, top, width, height);
    askedTwips_ = QRect(left, top, width, height);
    askedPixels_ = outer;
    asked_ = true;
    frameUnknown_ = extra.isNull();
    move(outer.topLeft());
    resize(std::max(1, outer.width() - extra.width()), std::max(1, outer.height() - extra.height()));
}

void Form::MoveOnScreen(double left, double top, double width, double height) {
    // Far beyond any screen, yet inside what an int of twips holds.
    auto twips = [](double v) {
        constexpr double kFar = 1.0e8;
        return static_cast<int>(std::lround(std::clamp(v, -kFar, kFar)));
    };
    const int l = twips(left), t = twips(top), w = twips(width), h = twips(height);
    const QRect asked = outerPixels(l, t, w, h);
    const QRect bounded = boundedByScreens(asked);
    if (bounded == asked) Move(l, t, w, h);
    else Move(toTwips(bounded.x()), toTwips(bounded.y()), toTwips(bounded.width()), toTwips(bounded.height()));
}

void Form::fitAskedSizeToFrame() {
    // The window system has framed the window: the outer size becomes the one asked for, unless
    // the window has been resized meanwhile.
    if (!frameUnknown_ || !isVisible()) return;
    const QSize extra = frameExtra();
    if (extra.isNull()) return;
    frameUnknown_ = false;
    if (!asked_ || size() != askedPixels_.size()) return;
    resize(std::max(1, askedPixels_.width() - extra.width()), std::max(1, askedPixels_.height() - extra.height()));
    // A window manager may have kept the inner position instead of the outer one.
    if (frameGeometry().topLeft() != askedPixels_.topLeft()) move(askedPixels_.topLeft());
}

void Form::setDialogKeys(QAbstractButton* cancel) {
    dialogKeys_ = true;
    cancelButton_ = cancel;
}

void Form::keyPressEvent(QKeyEvent* event) {
    // Only keys no control took come here.
    // The keypad's Enter is Enter too.
    if (dialogKeys_ && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (event->key() == Qt::Key_Escape) {
            if (cancelButton_) cancelButton_->click();
            else close();
            return;
        }
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            for (QPushButton* b : client_->findChildren<QPushButton*>()) {
                if (b->isDefault() && b->isVisible() && b->isEnabled()) {
                    b->click();
                    return;
                }
            }
        }
    }
    QMainWindow::keyPressEvent(event);
}

void Form::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    fitAskedSizeToFrame();
}

void Form::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    fitAskedSizeToFrame();
    // The frame may be reported without moving the window, so no move event tells of it: look
    // again a little later.
    for (int delay : {50, 250, 1000}) QTimer::singleShot(delay, this, [this] { fitAskedSizeToFrame(); });
}

QSize Form::clientPixels() const {
    // A hidden window lays out its client only when it is shown: until then, lay it out here so the
    // client's size follows the window's at once.
    if (!isVisible() && layout()) {
        layout()->activate();
        // The menu bar stands above the layout's area, as it will once shown.
        int barHeight = 0;
        QWidget* bar = menuWidget();
        if (bar && !(bar->isHidden() && bar->testAttribute(Qt::WA_WState_ExplicitShowHide))) {
            barHeight = bar->heightForWidth(width());
            if (barHeight < 0) barHeight = bar->sizeHint().height();
        }
        layout()->setGeometry(rect().adjusted(0, barHeight, 0, 0));
    }
    return client_->size();
}

int Form::ScaleWidth() const { return static_cast<int>(vb::pixelsToTwips(clientPixels().width())); }
int Form::ScaleHeight() const { return static_cast<int>(vb::pixelsToTwips(clientPixels().height())); }

void Form::setClientSize(int width, int height) {
    asked_ = false;
    const QSize extra = size() - clientPixels();
    resize(vb::twipsToPixels(width) + std::max(0, extra.width()), vb::twipsToPixels(height) + std::max(0, extra.height()));
}

int Form::windowStateValue() const {
    if (isMinimized()) return vbMinimized;
    if (isMaximized()) return vbMaximized;
    return vbNormal;
}

void Form::setWindowStateValue(int state) {
    Qt::WindowStates s = windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == vbMinimized) s |= Qt::WindowMinimized;
    else if (state == vbMaximized) s |= Qt::WindowMaximized;
    setWindowState(s);
}

void Form::closeEvent(QCloseEvent* event) {
    if (unloaded_ || Unload(vbFormControlMenu)) event->accept();
    else event->ignore();
}

void Form::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (loaded_ && !unloaded_) reportErrors(QStringLiteral(" %1::Form_Resize").arg(objectName()), [this] { Form_Resize(); });
}

void Form::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    emit hidden();
}

void Form::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && loaded_ && !unloaded_)
        reportErrors(QStringLiteral(" %1::Form_Activate").arg(objectName()), [this] { Form_Activate(); });
}

}  // namespace forms
