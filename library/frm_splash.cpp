#include "library/frm_splash.h"

#include "library/app_icon.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

namespace library {

FrmSplash::FrmSplash() : forms::Form(QStringLiteral("frmSplash")) {
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    const QSize size(480, 270);
    auto* picture = new QLabel(client());
    picture->setObjectName(QStringLiteral("imgLogo"));
    picture->setPixmap(splashPicture(size));
    picture->setGeometry(QRect(QPoint(), size));
    setFixedSize(size);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect centred(QPoint(), size);
        centred.moveCenter(screen->availableGeometry().center());
        move(centred.topLeft());
    }
}

}  // namespace library
