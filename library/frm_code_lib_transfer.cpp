// Export of a subtree of the library into a .vcl file, and import of such a file under a node, with
// the progress bar in the status bar.
#include "core/code_item.h"
#include "core/globals.h"
#include "core/wait_cursor.h"
#include "library/frm_code_lib.h"
#include "library/library_export.h"
#include "platform/forms/error_report.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/safe_file_writer.h"

#include <QBuffer>
#include <QFile>
#include <QProgressBar>
#include <QStatusBar>
#include <QTreeWidget>

namespace library {

namespace {

const QString kRoot = QStringLiteral("ROOT");
const QString kImportTag = QStringLiteral("frmCodeLib::ImportCodeItems");

// Hides the progress bar however the operation ends.
struct ProgressShown {
    FrmCodeLib& window;
    ~ProgressShown() { window.ResetProgress(false); }
};

}  // namespace

void FrmCodeLib::ResetProgress(bool show) {
    if (!show) prgBar_->setValue(prgBar_->minimum());
    prgBar_->setVisible(show);
    setStatusText(QString());
}

void FrmCodeLib::advanceProgress() {
    if (prgBar_->value() < prgBar_->maximum()) prgBar_->setValue(prgBar_->value() + 1);
}

int32_t FrmCodeLib::CountItemNodes(const QTreeWidgetItem* node) const {
    // Deep trees are walked without recursion.
    int32_t count = 0;
    QList<const QTreeWidgetItem*> pending{node};
    while (!pending.isEmpty()) {
        const QTreeWidgetItem* n = pending.takeLast();
        count += n->childCount();
        for (int i = 0; i < n->childCount(); ++i) pending.append(n->child(i));
    }
    return count;
}

void FrmCodeLib::ExportItemRecords(const QTreeWidgetItem* node, VclWriter& writer) {
    // Depth-first pre-order: an item, then each child's subtree before the next sibling's.
    QList<const QTreeWidgetItem*> pending{node};
    while (!pending.isEmpty()) {
        const QTreeWidgetItem* n = pending.takeLast();
        advanceProgress();
        if (nodeKey(n) != kRoot) {
            core::CCodeItem item;
            item.Initialise(core::gWorkDB, nodeKey(n).mid(1));
            ItemExportRecord record;
            record.Description = item.Description();
            record.ID = item.Key();
            record.ParentKey = item.ParentKey();
            record.ParentNodeKey = nodeKey(n->parent());
            record.Code = item.Code();
            record.Notes = item.Notes();
            record.Example = item.Example();
            writer.writeRecord(record);
        }
        for (int i = n->childCount() - 1; i >= 0; --i) pending.append(n->child(i));
    }
}

void FrmCodeLib::ExportCodeItems() {
    guarded(QStringLiteral("frmCodeLib::ExportCodeItems"), [this] {
        QTreeWidgetItem* node = selectedNode();
        if (!node) return;
        QString fileName;
        QString filter = QString::fromUtf16(kVclFilter);
        const QString path = ShowFileDialog(true, fileName, QStringLiteral("Export Data To File :"), filter);
        if (path.isEmpty()) return;
        // The export holds what is on screen, not only what was last written.
        if (!SaveWhatIsShown()) return;

        core::CWaitCursor wait;
        wait.SetCursor(11);
        // The file replaces an existing one only once it is written whole; a write that fails says why
        // (a full disk as such).
        QBuffer file;
        file.open(QIODevice::WriteOnly);
        const int32_t count = CountItemNodes(node) + (nodeKey(node) != kRoot ? 1 : 0);
        ProgressShown shown{*this};
        prgBar_->setRange(0, count);
        prgBar_->setValue(0);
        prgBar_->show();
        setStatusText(QStringLiteral("Exporting ...."));
        statusBar_->repaint();
        VclWriter writer(file);
        writer.writeCount(count);
        ExportItemRecords(node, writer);
        vb::SafeFileWriter out(path);
        if (!out.open() || !out.write(file.data()) || !out.commit())
            vb::raiseSystemError(out.systemError(), QStringLiteral("ExportCodeItems"), path);
    });
}

void FrmCodeLib::ImportCodeItems() {
    QTreeWidgetItem* node = selectedNode();
    if (!node) return;
    QString fileName;
    QString filter = QString::fromUtf16(kVclFilter);
    const QString path = ShowFileDialog(false, fileName, QStringLiteral("Import Data From File :"), filter);
    if (path.isEmpty()) return;
    const QString targetId = nodeKey(node) == kRoot ? QStringLiteral("0") : nodeKey(node).mid(1);

    int created = 0;
    try {
        core::CWaitCursor wait;
        wait.SetCursor(11);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            vb::raise(vb::kFileNotFound, QStringLiteral("ImportCodeItems"), file.errorString());
        // The whole file is read and checked before the library changes.
        const QList<ItemExportRecord> records = readVclRecords(file);
        file.close();
        ProgressShown shown{*this};
        prgBar_->setRange(0, static_cast<int>(records.size()));
        prgBar_->setValue(0);
        prgBar_->show();
        setStatusText(QStringLiteral("Importing Items...."));
        statusBar_->repaint();
        created = importItemRecords(records, targetId, [this] { advanceProgress(); });
    } catch (const vb::Error& e) {
        vb::MsgBox(QStringLiteral("%1\n%2\n%3").arg(e.number()).arg(e.description(), kImportTag), vb::vbOKOnly);
        return;
    } catch (const std::exception& e) {
        vb::MsgBox(QStringLiteral("%1\n%2").arg(QString::fromLocal8Bit(e.what()), kImportTag), vb::vbOKOnly);
        return;
    }

    FillTree();
    if (targetId != QStringLiteral("0")) {
        if (QTreeWidgetItem* target = nodeByKey(QStringLiteral("C") + targetId)) {
            target->setExpanded(true);
            tvCodeItems_->scrollToItem(target);
        }
    }
    vb::MsgBox(QStringLiteral("Successfully imported %1 Code snippets.").arg(created), vb::vbInformation);
}

}  // namespace library
