// The library window's work database: opening it, choosing another, its version row and its case
// table.
#include "core/folder_copy.h"
#include "core/globals.h"
#include "core/work_database.h"
#include "library/chart_window_link.h"
#include "library/ctl_bookmarks.h"
#include "library/ctl_code_details.h"
#include "library/frm_calendar.h"
#include "library/frm_code_lib.h"
#include "library/main_window_layout_settings.h"
#include "platform/dao/dao.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/error_report.h"
#include "platform/forms/form_registry.h"
#include "platform/vb/app_version.h"
#include "platform/vb/folders.h"
#include "platform/vb/msgbox.h"

#include <QFileInfo>

namespace library {

namespace {

// Opens the work database at `path` into gWorkDB; false, after the window's error report, when it
// cannot be opened or is not a work database.
bool openInto(FrmCodeLib& window, const QString& path) {
    return forms::reportErrors(QStringLiteral(" frmCodeLib::OpenWorkDatabase"), [&] {
        try {
            core::gWorkDB = dao::DBEngine::defaultWorkspace().openDatabase(path);
            window.CheckDatabaseVersion();
            window.OpenCodeFilesTable();
        } catch (...) {
            if (core::gWorkDB.isOpen()) core::gWorkDB.close();
            core::gWorkDB = dao::Database();
            throw;
        }
    });
}

bool samePath(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

}  // namespace

bool FrmCodeLib::OpenWorkDatabase() {
    if (core::gWorkDB.isOpen()) core::gWorkDB.close();
    core::gWorkDB = dao::Database();
    if (DatabasePath.isEmpty()) {
        ChooseWorkDatabase();
        return core::gWorkDB.isOpen();
    }
    if (openInto(*this, DatabasePath)) return true;
    // A database that did not open is not this program's to compact or back up at its end.
    DatabasePath.clear();
    return false;
}

bool FrmCodeLib::AcceptWorkDatabase(const QString& path) {
    const QString problem = core::workDatabaseProblem(path);
    if (problem.isEmpty()) return true;
    vb::MsgBox(QStringLiteral("“%1”不是可用的 Veyra 工作库：%2。\n它没有被打开，也没有被改动。").arg(path, problem),
               vb::vbOKOnly | vb::vbExclamation);
    return false;
}

bool FrmCodeLib::PrepareLibrarySwitch() {
    // The enlarged editor keeps the library commands away; a dialog opened before it may not switch.
    if (enlarged_) {
        vb::MsgBox(QStringLiteral("编辑区正放大显示，请先还原，再换用其它工作库。"), vb::vbOKOnly | vb::vbExclamation);
        return false;
    }
    if (!ctlCodeItemDetails_->SaveShownPage()) return false;
    FrmCalendar* newCase = forms::loadedInstance<FrmCalendar>();
    if (newCase && !newCase->mayDiscardEntries()) return false;
    if (!closeChartWindow()) {
        vb::MsgBox(QStringLiteral("命盘窗口中的结论未能存入它的命例，工作库没有切换。"), vb::vbOKOnly | vb::vbExclamation);
        return false;
    }
    if ((newCase = forms::loadedInstance<FrmCalendar>())) newCase->Unload();
    return true;
}

bool FrmCodeLib::SaveWhatIsShown() { return ctlCodeItemDetails_->SaveShownPage() && storeChartConclusion(); }

void FrmCodeLib::ChooseWorkDatabase() {
    QString fileName;
    QString filter = QStringLiteral("Veyra 工作库 (dirovovivov.mdb)|dirovovivov.mdb");
    const QString chosen = ShowFileDialog(false, fileName, QStringLiteral("打开《Veyra》的工作库文件（dirovovivov)"), filter);
    if (chosen.isEmpty()) return;
    if (QFileInfo(chosen).fileName().compare(QString::fromUtf16(core::kWorkDatabaseName), Qt::CaseInsensitive) != 0) {
        vb::MsgBox(QStringLiteral("请选择工作库文件 dirovovivov.mdb"), vb::vbOKOnly | vb::vbExclamation);
        return;
    }
    if (!OpenLibraryFolder(QFileInfo(chosen).absolutePath() + u'/')) return;

    core::BackUpWorkDatabase(core::gWorkPath + QStringLiteral("bak"));
}

bool FrmCodeLib::OpenLibraryFolder(const QString& folder) {
    const QString database = core::workDatabasePath(folder);
    if (!AcceptWorkDatabase(database) || !PrepareLibrarySwitch()) return false;
    const QString previous = core::gWorkDB.isOpen() ? DatabasePath : QString();
    // What the open library shows is saved before it goes.
    SaveSettingsAndCloseDatabase();
    if (core::gWorkDB.isOpen()) core::gWorkDB.close();
    core::gWorkDB = dao::Database();

    if (!openInto(*this, database)) {
        // The library that was open stays the one in use.
        const bool reopened = !previous.isEmpty() && openInto(*this, previous);
        if (reopened) {
            ctlCodeItemDetails_->Initialise(core::gWorkDB, nullptr);
            FillTree();  // the highlight goes to the root, which the editor shows now
            bookmarkList_->Initialise(core::gWorkDB);
        }
        EnableLibraryCommands(reopened);
        return false;
    }
    core::gWorkPath = folder;
    DatabasePath = database;
    core::saveSetting(QString::fromUtf16(kLastDBKey), folder);
    CheckDatabaseVersion();  // the caption names the new folder
    ctlCodeItemDetails_->Initialise(core::gWorkDB, nullptr);
    ClearItemTree();
    FillTree();
    bookmarkList_->Initialise(core::gWorkDB);
    EnableLibraryCommands(true);
    return true;
}

QString FrmCodeLib::ShowFileDialog(bool saveMode, QString& fileName, const QString& title, QString& filter) {
    QString result;
    if (filter.isEmpty()) filter = QStringLiteral("All Files|*.*");
    forms::CommonDialog& dialog = *dialog_;
    if (dialog.initDir().isEmpty()) dialog.setInitDir(core::gWorkPath.isEmpty() ? vb::programFolder() : core::gWorkPath);
    try {
        dialog.setCancelError(true);
        dialog.setDialogTitle(title);
        dialog.setFileName(fileName);
        dialog.setFilter(filter);
        dialog.setFlags(0x80004);
        if (saveMode) {
            dialog.setFlags(dialog.flags() + forms::cdlOFNOverwritePrompt);
            dialog.showSave();
        } else {
            dialog.showOpen();
        }
        fileName = dialog.fileName();
        if (!fileName.isEmpty()) result = fileName;
        if (samePath(result, core::workDatabasePath(core::TemplateFolder()))) {
            vb::MsgBox(QStringLiteral("请不要导入这一目录下的文件,"), vb::vbOKOnly);
            result.clear();
        }
    } catch (const vb::Error&) {
        result.clear();
    }
    return result;
}

void FrmCodeLib::CheckDatabaseVersion() {
    if (!core::gWorkDB.hasTable(QStringLiteral("CodeDBVersion")))
        core::gWorkDB.execute(QStringLiteral("CREATE TABLE CodeDBVersion (Version TEXT(50))"));
    dao::Recordset rs = core::gWorkDB.openRecordset(QStringLiteral("select version from CodeDBVersion"));
    if (rs.bof() && rs.eof()) {
        rs.addNew();
        rs.setValue(QStringLiteral("version"), vb::Variant(vb::appVersionText()));
        rs.update();
    }
    setCaption(QStringLiteral("Veyra") + QStringLiteral("      ...当前工作目录：") + core::gWorkPath);
    rs.close();
}

void FrmCodeLib::OpenCodeFilesTable() {
    if (!core::gWorkDB.hasTable(QStringLiteral("codefiles")))
        core::gWorkDB.execute(QString::fromUtf16(core::kCodeFilesTableDdl));
}

}  // namespace library
