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
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

namespace library {

namespace {

double layoutValue(const LayoutSetting& s) { return core::settingNumber(QString::fromUtf16(s.key), s.byDefault); }

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
    DatabasePath.clear();
    databaseRefused_ = false;
    // A file there that is no work database is named once and then treated as no database at all.
    if (QFileInfo::exists(database)) {
        if (AcceptWorkDatabase(database)) DatabasePath = database;
        else databaseRefused_ = true;
    }
}

void FrmCodeLib::LoadWindowSettings() {
    // Bounded by the screens there are; the bounded values are what the exit writes back.
    MoveOnScreen(layoutValue(kMainLeft), layoutValue(kMainTop), std::max(1500.0, layoutValue(kMainWidth)),
                 std::max(1500.0, layoutValue(kMainHeight)));
    const QRect tree = forms::twipsGeometry(tvCodeItems_);
    const double treeWidth = std::clamp(layoutValue(kTreeWidth), 0.0, static_cast<double>(Width()));
    forms::setTwipsGeometry(tvCodeItems_, tree.x(), tree.y(), static_cast<int>(std::lround(treeWidth)), tree.height());
    viewBookMarks_ = core::settingBool(QString::fromUtf16(kViewBookMarksKey), true);
    double colour = layoutValue(kTxtBackColor);
    if (colour < 0 || (colour > 0xFFFFFF && colour < 0x80000000)) colour = kTxtBackColor.byDefault;
    txtCode_->setBackColor(static_cast<vb::OleColor>(colour));
    if (settings_->BackupDatabaseAtStart()) StartUpBackup();
}

void FrmCodeLib::StartUpBackup() {
    if (DatabasePath.isEmpty()) {
        if (!databaseRefused_)
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
