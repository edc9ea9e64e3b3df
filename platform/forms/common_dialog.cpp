#include "platform/forms/common_dialog.h"

#include "platform/vb/error.h"
#include "platform/vb/unattended_end.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

namespace forms {

namespace {

DialogScript* gScript = nullptr;

DialogAnswer okFor(DialogKind kind) {
    DialogAnswer a;
    a.kind = kind;
    a.accepted = true;
    return a;
}

DialogAnswer runFileDialog(const DialogRequest& r, QWidget* owner) {
    const bool open = r.kind == DialogKind::Open;
    QFileDialog dialog(owner, r.title, r.initDir);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = nameFilters(r.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(std::max(r.filterIndex, 1) - 1, filters.front()));
    }
    if (!r.fileName.isEmpty()) dialog.selectFile(r.fileName);
    if (!open && !(r.flags & cdlOFNOverwritePrompt)) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // Qt's own dialog, so that the read-only choice can sit below the file list.
    QCheckBox* readOnly = nullptr;
    if (open && !(r.flags & cdlOFNHideReadOnly)) {
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
            readOnly = new QCheckBox(QFileDialog::tr("Open as &read-only"), &dialog);
            readOnly->setChecked(r.flags & cdlOFNReadOnly);
            grid->addWidget(readOnly, grid->rowCount(), 0, 1, -1);
        }
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return DialogAnswer::cancel();
    DialogAnswer a = okFor(r.kind);
    a.fileName = dialog.selectedFiles().front();
    a.readOnly = readOnly && readOnly->isChecked();
    return a;
}

DialogAnswer runColorDialog(const DialogRequest& r, QWidget* owner) {
    for (int i = 0; i < QColorDialog::customCount(); ++i) QColorDialog::setCustomColor(i, Qt::black);
    const QColor initial = (r.flags & cdlCCRGBInit) ? vb::toQColor(r.color) : QColor(Qt::black);
    const QColor chosen = QColorDialog::getColor(initial, owner, r.title);
    if (!chosen.isValid()) return DialogAnswer::cancel();
    return DialogAnswer::colour(vb::fromQColor(chosen));
}

DialogAnswer runFontDialog(const DialogRequest& r, QWidget* owner) {
    QFont initial(r.fontName);
    if (r.fontSize > 0) initial.setPointSizeF(r.fontSize);
    initial.setBold(r.fontBold);
    initial.setItalic(r.fontItalic);
    initial.setUnderline(r.fontUnderline);
    initial.setStrikeOut(r.fontStrikethru);
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, initial, owner, r.title);
    if (!ok) return DialogAnswer::cancel();
    const bool effects = r.flags & cdlCFEffects;
    return DialogAnswer::font(f.family(), f.pointSizeF(), f.bold(), f.italic(), effects && f.underline(),
                              effects && f.strikeOut());
}

DialogAnswer runPrintDialog(const DialogRequest& r, QWidget* owner, QPrinter& printer) {
    printer.setPrintRange((r.flags & cdlPDSelection) ? QPrinter::Selection : QPrinter::AllPages);
    QPrintDialog dialog(&printer, owner);
    if (!r.title.isEmpty()) dialog.setWindowTitle(r.title);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, !(r.flags & cdlPDNoSelection));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, !(r.flags & cdlPDNoPageNums));
    if (dialog.exec() != QDialog::Accepted) return DialogAnswer::cancel();
    DialogAnswer a = okFor(DialogKind::Printer);
    a.printSelection = printer.printRange() == QPrinter::Selection;
    return a;
}

DialogAnswer runDialog(const DialogRequest& r, QWidget* owner, QPrinter* printer) {
    switch (r.kind) {
    case DialogKind::Open:
    case DialogKind::Save:
        return runFileDialog(r, owner);
    case DialogKind::Color:
        return runColorDialog(r, owner);
    case DialogKind::Font:
        return runFontDialog(r, owner);
    case DialogKind::Printer:
        if (!printer) vb::raise(vb::kInvalidProcedureCall, QStringLiteral("CommonDialog"));
        return runPrintDialog(r, owner, *printer);
    case DialogKind::Folder: {
        const QString dir = QFileDialog::getExistingDirectory(owner, r.title, r.initDir);
        return dir.isEmpty() ? DialogAnswer::cancel() : DialogAnswer::folder(dir);
    }
    }
    return DialogAnswer::cancel();
}

}  // namespace

DialogAnswer DialogAnswer::open(const QString& file, bool readOnly) {
    DialogAnswer a = okFor(DialogKind::Open);
    a.fileName = file;
    a.readOnly = readOnly;
    return a;
}

DialogAnswer DialogAnswer::save(const QString& file) {
    DialogAnswer a = okFor(DialogKind::Save);
    a.fileName = file;
    return a;
}

DialogAnswer DialogAnswer::colour(vb::OleColor color) {
    DialogAnswer a = okFor(DialogKind::Color);
    a.color = color & 0x00FFFFFFu;
    return a;
}

DialogAnswer DialogAnswer::font(const QString& name, double size, bool bold, bool italic, bool underline,
                                bool strikethru) {
    DialogAnswer a = okFor(DialogKind::Font);
    a.fontName = name;
    a.fontSize = size;
    a.fontBold = bold;
    a.fontItalic = italic;
    a.fontUnderline = underline;
    a.fontStrikethru = strikethru;
    return a;
}

DialogAnswer DialogAnswer::printer(const QString& pdfFile, bool selection) {
    DialogAnswer a = okFor(DialogKind::Printer);
    a.printFile = pdfFile;
    a.printSelection = selection;
    return a;
}

DialogAnswer DialogAnswer::folder(const QString& path) {
    DialogAnswer a = okFor(DialogKind::Folder);
    a.fileName = path;
    return a;
}

DialogAnswer showDialog(const DialogRequest& request, QWidget* owner, QPrinter* printer) {
    // An unattended end cannot wait for a choice: the dialog is cancelled unseen.
    if (vb::unattendedEnd()) return DialogAnswer::cancel();
    if (!gScript) return runDialog(request, owner, printer);
    DialogAnswer a = gScript->take(request);
    if (a.accepted && request.kind == DialogKind::Printer && printer) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(a.printFile.isEmpty() ? QDir::temp().filePath(QStringLiteral("veyra-print.pdf"))
                                                         : a.printFile);
        printer->setPrintRange(a.printSelection ? QPrinter::Selection : QPrinter::AllPages);
    }
    return a;
}

DialogScript::DialogScript() : previous_(gScript) { gScript = this; }

DialogScript::~DialogScript() { gScript = previous_; }

DialogScript& DialogScript::answer(const DialogAnswer& answer) {
    answers_.append(answer);
    return *this;
}

DialogAnswer DialogScript::take(const DialogRequest& request) {
    shown_.append(request);
    if (answers_.isEmpty()) return DialogAnswer::cancel();
    const DialogAnswer a = answers_.takeFirst();
    if (a.kind && *a.kind != request.kind)
        vb::raise(vb::kInvalidProcedureCall, QStringLiteral("DialogScript"),
                  QStringLiteral("The queued answer is for another kind of dialog"));
    return a;
}

std::optional<vb::OleColor> chooseColor(QWidget* owner, int flags, vb::OleColor initial) {
    DialogRequest r;
    r.kind = DialogKind::Color;
    r.flags = flags;
    r.color = initial;
    const DialogAnswer a = showDialog(r, owner);
    if (!a.accepted) return std::nullopt;
    return a.color;
}

QString chooseFolder(QWidget* owner, const QString& title, const QString& initDir) {
    DialogRequest r;
    r.kind = DialogKind::Folder;
    r.title = title;
    r.initDir = initDir;
    const DialogAnswer a = showDialog(r, owner);
    return a.accepted ? a.fileName : QString();
}

QStringList nameFilters(const QString& filter) {
    QStringList out;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ').trimmed();
        // "Rich Text File (*.rtf)" already names its patterns the way Qt reads them.
        const QString named = QStringLiteral("(%1)").arg(patterns);
        out << (description.endsWith(named) ? description : description + u' ' + named);
    }
    return out;
}

CommonDialog::CommonDialog(const QString& name, QWidget* window) : QObject(window) { setObjectName(name); }

CommonDialog::~CommonDialog() = default;

QPrinter& CommonDialog::printer() {
    if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

bool CommonDialog::show(DialogKind kind) {
    DialogRequest r = settings_;
    r.kind = kind;
    // DialogTitle titles the file dialogs only: the font and print dialogs carry their own titles,
    // whatever a file dialog before them was called.
    if (kind == DialogKind::Font) r.title = QStringLiteral("字体");
    else if (kind == DialogKind::Printer) r.title = QStringLiteral("打印");
    else if (kind == DialogKind::Color) r.title.clear();
    const DialogAnswer a =
        showDialog(r, qobject_cast<QWidget*>(parent()), kind == DialogKind::Printer ? &printer() : nullptr);
    if (!a.accepted) {
        if (cancelError_) vb::raise(cdlCancel, objectName(), QStringLiteral("Cancel was selected."));
        return false;
    }
    switch (kind) {
    case DialogKind::Open:
    case DialogKind::Save:
        settings_.fileName = a.fileName;
        settings_.flags = a.readOnly ? (settings_.flags | cdlOFNReadOnly) : (settings_.flags & ~cdlOFNReadOnly);
        break;
    case DialogKind::Color:
        settings_.color = a.color;
        break;
    case DialogKind::Font:
        settings_.fontName = a.fontName;
        settings_.fontSize = a.fontSize;
        settings_.fontBold = a.fontBold;
        settings_.fontItalic = a.fontItalic;
        settings_.fontUnderline = a.fontUnderline;
        settings_.fontStrikethru = a.fontStrikethru;
        break;
    case DialogKind::Printer:
        settings_.flags = a.printSelection ? (settings_.flags | cdlPDSelection) : (settings_.flags & ~cdlPDSelection);
        break;
    case DialogKind::Folder:
        break;
    }
    return true;
}

void CommonDialog::showOpen() { show(DialogKind::Open); }
void CommonDialog::showSave() { show(DialogKind::Save); }
void CommonDialog::showColor() { show(DialogKind::Color); }
void CommonDialog::showFont() { show(DialogKind::Font); }
void CommonDialog::showPrinter() { show(DialogKind::Printer); }

}  // namespace forms
