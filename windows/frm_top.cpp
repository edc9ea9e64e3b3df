#include "windows/frm_top.h"

#include "platform/forms/picturebox.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/twips.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QScreen>

namespace windows {

FrmTop::FrmTop(QWidget* parent) : forms::Form(QStringLiteral("frmTop"), parent) {
    auto* picture = new forms::PictureBox(QStringLiteral("Picture1"), client());
    forms::setTwipsGeometry(picture, 0, 0, 480, 480);
    setClientSize(480, 480);
}

void FrmTop::Form_Load() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top == this) continue;
        for (const char* name : {"MnuFormat", "MnuEditRtxt", "mnuInsert"}) {
            for (QAction* a : top->findChildren<QAction*>(QLatin1String(name))) a->setVisible(true);
            for (QMenu* m : top->findChildren<QMenu*>(QLatin1String(name))) m->menuAction()->setVisible(true);
        }
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const int screenWidth = static_cast<int>(vb::pixelsToTwips(screen->geometry().size()).width());
        Move(screenWidth - 3 * Width(), 270, Width(), Height());
    }
}

}  // namespace windows
