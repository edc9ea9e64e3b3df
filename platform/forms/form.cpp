#include "platform/forms/form.h"

#include "platform/forms/error_report.h"
#include "platform/forms/form_registry.h"
#include "platform/vb/twips.h"
#include "platform/vb/unattended_end.h"

#include <QCloseEvent>
#include <QLayout>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

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
        QRect g = geometry();
        setParent(owner, windowFlags() | Qt::Window);
        // A form shown for the first time over its owner opens centred on it.
        if (!testAttribute(Qt::WA_Moved)) g.moveCenter(owner->frameGeometry().center());
        setGeometry(g);
    }
    // An unattended end cannot wait for a window to be answered.
    if (modal && vb::unattendedEnd()) return;
    if (!modal) {
        show();
        raise();
        activateWindow();
        return;
    }
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

int Form::Left() const { return static_cast<int>(vb::pixelsToTwips(frameGeometry().x())); }
int Form::Top() const { return static_cast<int>(vb::pixelsToTwips(frameGeometry().y())); }
int Form::Width() const { return static_cast<int>(vb::pixelsToTwips(frameGeometry().width())); }
int Form::Height() const { return static_cast<int>(vb::pixelsToTwips(frameGeometry().height())); }

void Form::Move(int left, int top, int width, int height) {
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    const int extraW = frame.width() - inner.width();
    const int extraH = frame.height() - inner.height();
    move(vb::twipsToPixels(left), vb::twipsToPixels(top));
    resize(std::max(1, vb::twipsToPixels(width) - extraW), std::max(1, vb::twipsToPixels(height) - extraH));
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
