#pragma once
// The common dialogs: open, save, colour, font, printer and folder. Every one of them goes through
// showDialog, so tests can answer them in advance and read back what was asked; without a script the
// Qt dialog is shown. CommonDialog is a window's dialog control: it keeps the settings and results
// from one use to the next, as the commands that share it expect, and after ShowPrinter it holds the
// chosen printer.
#include "platform/vb/colour.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QPrinter;
class QWidget;

namespace forms {

// The error a dialog cancelled with CancelError on raises ("Cancel was selected.").
inline constexpr int cdlCancel = 32755;

// Flags of the dialogs, as the windows set and read them.
enum CommonDialogFlags : int {
    // open and save
    cdlOFNReadOnly = 0x1,  // returned: the user ticked "open as read-only"
    cdlOFNOverwritePrompt = 0x2,
    cdlOFNHideReadOnly = 0x4,
    // colour
    cdlCCRGBInit = 0x1,  // start from Color
    cdlCCFullOpen = 0x2,
    // font
    cdlCFEffects = 0x100,  // offer underline and strike-out
    // printer
    cdlPDSelection = 0x1,    // set: the selection choice preset; returned: the selection was chosen
    cdlPDNoSelection = 0x4,  // no selection choice
    cdlPDNoPageNums = 0x8,   // no page-range choice
    cdlPDReturnDC = 0x100,
};

enum class DialogKind { Open, Save, Color, Font, Printer, Folder };

// What the program asked of a dialog.
struct DialogRequest {
    DialogKind kind = DialogKind::Open;
    QString title;
    QString filter;  // "Description|pattern|Description|pattern"
    int filterIndex = 1;
    QString initDir;
    QString fileName;
    int flags = 0;
    vb::OleColor color = 0;
    QString fontName;
    double fontSize = 0;
    bool fontBold = false;
    bool fontItalic = false;
    bool fontUnderline = false;
    bool fontStrikethru = false;
};

// The user's answer: Cancel, or OK with what was chosen.
struct DialogAnswer {
    std::optional<DialogKind> kind;  // the dialog it answers; none for Cancel, which answers any
    bool accepted = false;
    QString fileName;     // open, save; the folder of a folder dialog
    bool readOnly = false;
    vb::OleColor color = 0;
    QString fontName;
    double fontSize = 0;
    bool fontBold = false;
    bool fontItalic = false;
    bool fontUnderline = false;
    bool fontStrikethru = false;
    bool printSelection = false;  // the selection choice was taken
    QString printFile;            // scripted printers print into this PDF file

    static DialogAnswer cancel() { return {}; }
    static DialogAnswer open(const QString& file, bool readOnly = false);
    static DialogAnswer save(const QString& file);
    static DialogAnswer colour(vb::OleColor color);
    static DialogAnswer font(const QString& name, double size, bool bold = false, bool italic = false,
                             bool underline = false, bool strikethru = false);
    static DialogAnswer printer(const QString& pdfFile, bool selection = false);
    static DialogAnswer folder(const QString& path);
};

// Shows the dialog (or takes the script's answer) with `owner` as its parent window. A printer dialog
// sets up `printer`: the one the user chose, or, when scripted, a PDF printer into the answer's file.
DialogAnswer showDialog(const DialogRequest& request, QWidget* owner, QPrinter* printer = nullptr);

// While a DialogScript lives no dialog is shown: each takes the next queued answer (Cancel when none is
// left) and is recorded. Scripts nest; the newest answers. An answer queued for another kind of
// dialog raises error 5, so a test cannot answer a dialog that was not asked for.
class DialogScript {
public:
    DialogScript();
    ~DialogScript();
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    DialogScript& answer(const DialogAnswer& answer);
    int pendingAnswers() const { return static_cast<int>(answers_.size()); }

    const QList<DialogRequest>& shown() const { return shown_; }
    int count() const { return static_cast<int>(shown_.size()); }
    const DialogRequest& last() const { return shown_.back(); }

    // Used by showDialog.
    DialogAnswer take(const DialogRequest& request);

private:
    QList<DialogAnswer> answers_;
    QList<DialogRequest> shown_;
    DialogScript* previous_;
};

// The colour dialog by itself: the chosen colour, or none after Cancel. Its sixteen custom colours
// start black on every call, so no choice carries over from one call to the next.
std::optional<vb::OleColor> chooseColor(QWidget* owner, int flags = 0, vb::OleColor initial = 0);

// The folder dialog: the chosen folder, or "" after Cancel.
QString chooseFolder(QWidget* owner, const QString& title, const QString& initDir = QString());

// A filter in the dialogs' form ("Rich Text File (*.rtf)|*.rtf|All|*.*") as Qt name filters.
QStringList nameFilters(const QString& filter);

class CommonDialog : public QObject {
    Q_OBJECT
public:
    // A dialog control of `window`, found by its name (the Qt objectName).
    CommonDialog(const QString& name, QWidget* window);
    ~CommonDialog() override;

    QString dialogTitle() const { return settings_.title; }
    void setDialogTitle(const QString& title) { settings_.title = title; }
    QString filter() const { return settings_.filter; }
    void setFilter(const QString& filter) { settings_.filter = filter; }
    int filterIndex() const { return settings_.filterIndex; }
    void setFilterIndex(int index) { settings_.filterIndex = index; }
    QString initDir() const { return settings_.initDir; }
    void setInitDir(const QString& dir) { settings_.initDir = dir; }
    QString fileName() const { return settings_.fileName; }
    void setFileName(const QString& name) { settings_.fileName = name; }
    int flags() const { return settings_.flags; }
    void setFlags(int flags) { settings_.flags = flags; }
    bool cancelError() const { return cancelError_; }
    void setCancelError(bool on) { cancelError_ = on; }
    vb::OleColor color() const { return settings_.color; }
    void setColor(vb::OleColor color) { settings_.color = color; }
    QString fontName() const { return settings_.fontName; }
    void setFontName(const QString& name) { settings_.fontName = name; }
    double fontSize() const { return settings_.fontSize; }
    void setFontSize(double size) { settings_.fontSize = size; }
    bool fontBold() const { return settings_.fontBold; }
    void setFontBold(bool on) { settings_.fontBold = on; }
    bool fontItalic() const { return settings_.fontItalic; }
    void setFontItalic(bool on) { settings_.fontItalic = on; }
    bool fontUnderline() const { return settings_.fontUnderline; }
    void setFontUnderline(bool on) { settings_.fontUnderline = on; }
    bool fontStrikethru() const { return settings_.fontStrikethru; }
    void setFontStrikethru(bool on) { settings_.fontStrikethru = on; }

    // Each shows its dialog. After OK the results are in the properties above (and Flags says what
    // the user ticked); after Cancel nothing changes, and with CancelError set 32755 is raised.
    void showOpen();
    void showSave();
    void showColor();
    void showFont();
    // After OK, printer() is set up for the printer the user chose.
    void showPrinter();

    // The printer of the last ShowPrinter (the default printer before any).
    QPrinter& printer();

private:
    bool show(DialogKind kind);

    DialogRequest settings_;
    bool cancelError_ = false;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace forms
