#include "library/reading_panel.h"

#include "core/globals.h"
#include "platform/forms/richtextbox.h"
#include "platform/vb/codepage936.h"
#include "platform/vb/folders.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/twips.h"

#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace library {

int readingStepsPerTick(int32_t mouseY) {
    const int32_t y = std::max<int32_t>(0, mouseY);
    return y == 0 ? 7 : (y / 50) * 7;
}

QString readingText(const QByteArray& ansiBytes) {
    QString text;
    QString all = vb::fromCp936(ansiBytes);
    all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (all.endsWith(u'\n')) all.chop(1);
    if (all.isEmpty() && ansiBytes.isEmpty()) return text;
    for (const QString& line : all.split(u'\n')) text += line + QStringLiteral("\r\n");
    return text;
}

ReadingPanel::ReadingPanel(QWidget* parent) : forms::PictureBox(QStringLiteral("Picscroll"), parent) {
    setBorderStyle(BorderStyle::None);
    txtScroll_ = new forms::RichTextBox(QStringLiteral("txtScroll"), this);
    txtScroll_->setReadOnly(true);
    txtScroll_->setFrameShape(QFrame::NoFrame);
    txtScroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtScroll_->setFocusPolicy(Qt::NoFocus);
    txtScroll_->setTextInteractionFlags(Qt::NoTextInteraction);
    txtScroll_->viewport()->setMouseTracking(true);
    txtScroll_->viewport()->installEventFilter(this);
    timer_.setObjectName(QStringLiteral("Timer1"));
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, &ReadingPanel::Timer1_Timer);
    hide();
}

void ReadingPanel::StartReading() {
    const QString path = vb::joinPath(vb::programFolder(), QStringLiteral("kli.txt"));
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        vb::MsgBox(QStringLiteral("文件不全"), vb::vbOKOnly);
    } else {
        const QString text = readingText(file.readAll());
        txtScroll_->setText(text);
        txtScroll_->selectAll();
        txtScroll_->setSelFontSize(14);
        txtScroll_->setSelStart(0);
    }
    fitText();
    setTextTop(0);
    core::gScrollStartTop = top_;
    core::gScrollEndTop = static_cast<float>(top_ - textHeight());
    paused_ = false;
    show();
    raise();
    updateTimer();
}

void ReadingPanel::Timer1_Timer() {
    const int n = readingStepsPerTick(core::gScrollMouseY);
    int32_t top = top_;
    const double wrapAt = core::gScrollEndTop + viewHeight();
    for (int i = 0; i <= n; ++i) {
        top -= 1;
        if (top <= wrapAt) top = core::gScrollStartTop;
    }
    setTextTop(top);
}

void ReadingPanel::txtScroll_Click() {
    paused_ = !paused_;
    updateTimer();
}

void ReadingPanel::txtScroll_MouseMove(int screenY) {
    core::gCursorPos.y = screenY;
    core::gScrollMouseY = std::max(0, screenY);
}

int32_t ReadingPanel::textHeight() const { return static_cast<int32_t>(std::lround(vb::pixelsToTwips(txtScroll_->height()))); }
int32_t ReadingPanel::viewHeight() const { return static_cast<int32_t>(std::lround(vb::pixelsToTwips(height()))); }

void ReadingPanel::setTextTop(int32_t twips) {
    top_ = twips;
    txtScroll_->move(0, static_cast<int>(std::floor(static_cast<double>(twips) / vb::kTwipsPerPixel)));
}

void ReadingPanel::fitText() {
    const int width = std::max(1, this->width());
    txtScroll_->document()->setTextWidth(width);
    const int textPixels = static_cast<int>(std::ceil(txtScroll_->document()->size().height())) + 4;
    txtScroll_->resize(width, std::max(textPixels, 1));
    core::gScrollEndTop = static_cast<float>(core::gScrollStartTop - textHeight());
}

void ReadingPanel::updateTimer() {
    if (isVisible() && !paused_) timer_.start();
    else timer_.stop();
}

void ReadingPanel::showEvent(QShowEvent* event) {
    forms::PictureBox::showEvent(event);
    updateTimer();
}

void ReadingPanel::hideEvent(QHideEvent* event) {
    forms::PictureBox::hideEvent(event);
    updateTimer();
}

void ReadingPanel::resizeEvent(QResizeEvent* event) {
    forms::PictureBox::resizeEvent(event);
    fitText();
}

bool ReadingPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtScroll_->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            txtScroll_MouseMove(static_cast<QMouseEvent*>(event)->globalPosition().toPoint().y());
        } else if (event->type() == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            txtScroll_Click();
            return true;
        }
    }
    return forms::PictureBox::eventFilter(watched, event);
}

}  // namespace library
