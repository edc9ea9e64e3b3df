#include "library/frm_calendar.h"

#include "calendar/widgets/wnl.h"
#include "core/main_window_host.h"
#include "platform/forms/font_faces.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/twips.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace library {

namespace {

// A later copy of the program ends through the main window's own unload, which closes the other
// windows and saves what they hold, and then leaves the event loop.
void endThisCopy() {
    if (core::MainWindowHost* mainWindow = core::mainWindowHost()) mainWindow->unloadWindow();
    QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
}

}  // namespace

FrmCalendar::FrmCalendar(QWidget* parent) : forms::Form(QStringLiteral("frmcalendar"), parent) {
    setCaption(QStringLiteral("个人资料"));
    QWidget* area = client();
    setFont(forms::designFont(QStringLiteral("宋体"), 9));

    auto* bornLabel = new QLabel(QStringLiteral("出生"), area);
    bornLabel->setObjectName(QStringLiteral("Label2"));
    txtborntime_ = new QLineEdit(area);
    txtborntime_->setObjectName(QStringLiteral("txtborntime"));
    txtborntime_->setToolTip(QStringLiteral("请在下面的万年历中选择输入出生时间"));
    auto* frame2 = new QGroupBox(area);
    frame2->setObjectName(QStringLiteral("Frame2"));
    wnlqd_ = new calendar::Wnl(frame2);
    wnlqd_->setObjectName(QStringLiteral("wnlqd"));
    wnlqd_->setBornTimeBox(txtborntime_);
    wnlqd_->setEndProgram([this] {
        endingProgram_ = true;
        endThisCopy();
    });

    forms::setTwipsGeometry(bornLabel, 120, 165, 600, 270);
    forms::setTwipsGeometry(txtborntime_, 720, 120, 3000, 330);
    const QRect control = forms::twipsGeometry(wnlqd_);
    forms::setTwipsGeometry(frame2, 60, 570, control.width() + 240, control.height() + 300);
    forms::setTwipsGeometry(wnlqd_, 120, 180, control.width(), control.height());
    const QRect frame = forms::twipsGeometry(frame2);
    const QSize clientSize = vb::twipsToPixels(QSizeF(frame.x() + frame.width() + 60, frame.y() + frame.height() + 60));
    area->setFixedSize(clientSize);
    setFixedSize(clientSize);
}

void FrmCalendar::Form_Load() { wnlqd_->Initialise(); }

void showFrmcalendar() {
    FrmCalendar& w = forms::defaultInstance<FrmCalendar>();
    if (!w.endingProgram()) w.Show();
}

}  // namespace library
