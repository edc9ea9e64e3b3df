// The library window's start-up settings, its start-up backup and what it saves when it closes.
#include "core/database_maintenance.h"
#include "core/folder_copy.h"
#include "core/globals.h"
#include "core/work_database.h"
#include "library/ctl_bookmarks.h"
#include "library/ctl_code_details.h"
#include "library/frm_code_lib.h"
#include "library/main_window_layout_settings.h"
#include "platform/forms/richtextbox.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/folders.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/twips.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTreeWidget>

#include <cmath>

namespace library {

namespace {

double layoutValue(const LayoutSetting& s) { return core::settingNumber(QString::fromUtf16(s.key), s.byDefault); }

// A saved window that no screen shows any more comes back on the primary screen.
QRect onSomeScreen(const QRect& window) {
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().intersects(window)) return window;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) return window;
    const QRect area = primary->availableGeometry();
    QRect placed(area.topLeft(), window.size().boundedTo(area.size()));
    placed.moveCenter(area.center());
    return placed;
}

}  // namespace

void FrmCodeLib::GetLastDatabasePath() {
    const QString key = QString::fromUtf16(kLastDBKey);
    QString lastDB = core::settingText(key);
    if (lastDB.isEmpty()) {
        lastDB = core::DefaultWorkFolder();
        core::saveSetting(key, lastDB);
    }
    if (!lastDB.endsWith(u'/')) lastDB += u'/';
    core::gWorkPath = lastDB;
    const QString database = core::workDatabasePath(lastDB);
    DatabasePath = QFileInfo(database).isFile() ? database : QString();
}

void FrmCodeLib::LoadWindowSettings() {
    const QRect saved = vb::twipsToPixels(QRectF(layoutValue(kMainLeft), layoutValue(kMainTop),
                                                 std::max(1500.0, layoutValue(kMainWidth)),
                                                 std::max(1500.0, layoutValue(kMainHeight))));
    const QRect placed = onSomeScreen(saved);
    Move(static_cast<int>(vb::pixelsToTwips(placed.x())), static_cast<int>(vb::pixelsToTwips(placed.y())),
         static_cast<int>(vb::pixelsToTwips(placed.width())), static_cast<int>(vb::pixelsToTwips(placed.height())));
    const QRect tree = forms::twipsGeometry(tvCodeItems_);
    forms::setTwipsGeometry(tvCodeItems_, tree.x(), tree.y(), static_cast<int>(std::lround(layoutValue(kTreeWidth))), tree.height());
    viewBookMarks_ = core::settingBool(QString::fromUtf16(kViewBookMarksKey), true);
    double colour = layoutValue(kTxtBackColor);
    if (colour < 0 || (colour > 0xFFFFFF && colour < 0x80000000)) colour = kTxtBackColor.byDefault;
    txtCode_->setBackColor(static_cast<vb::OleColor>(colour));
    if (settings_->BackupDatabaseAtStart()) StartUpBackup();
}

void FrmCodeLib::StartUpBackup() {
    if (DatabasePath.isEmpty()) {
        vb::MsgBox(QStringLiteral("Cannot find the last opened database : ") + DatabasePath, vb::vbInformation);
        return;
    }
    core::BackUpWorkDatabase(core::gWorkPath + QStringLiteral("bak"));
    // The earlier backup stays until the new one is whole.
    core::ReplaceWithCompactedCopy(DatabasePath, vb::joinPath(vb::dataFolder(), QStringLiteral("codebackup.mdb")));
}

void FrmCodeLib::SaveSettingsAndCloseDatabase() {
    if (settings_ && settings_->SaveFormLayout()) {
        if (windowStateValue() != forms::vbMinimized) {
            core::saveSetting(QString::fromUtf16(kMainLeft.key), vb::Variant(static_cast<float>(Left())));
            core::saveSetting(QString::fromUtf16(kMainTop.key), vb::Variant(static_cast<float>(Top())));
            core::saveSetting(QString::fromUtf16(kMainWidth.key), vb::Variant(static_cast<float>(Width())));
            core::saveSetting(QString::fromUtf16(kMainHeight.key), vb::Variant(static_cast<float>(Height())));
            core::saveSetting(QString::fromUtf16(kTreeWidth.key), vb::Variant(static_cast<float>(forms::twipsGeometry(tvCodeItems_).width())));
        }
        core::saveSetting(QString::fromUtf16(kViewBookMarksKey), vb::Variant(viewBookMarks_));
        core::saveSetting(QString::fromUtf16(kTxtBackColor.key), vb::Variant(static_cast<int32_t>(txtCode_->backColor())));
    }
    bookmarkList_->Terminate();
    ctlCodeItemDetails_->Terminate();
    if (settings_ && settings_->CompactDatabaseOnExit()) {
        if (core::gWorkDB.isOpen()) core::gWorkDB.close();
        core::gWorkDB = dao::Database();
        if (!DatabasePath.isEmpty()) core::ReplaceWithCompactedCopy(DatabasePath, DatabasePath);  // skipped while another copy has it open
    }
}

}  // namespace library
