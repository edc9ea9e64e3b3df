#pragma once
// The progress window of a file copy: the file being copied, a bar over all bytes, and a cancel
// button that stops the copy at its next piece.
#include "core/copy_job.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace core {

class CopyProgressDialog : public QDialog, public CopyProgress {
    Q_OBJECT
public:
    explicit CopyProgressDialog(QWidget* parent = nullptr);

    void start(int files, qint64 bytes) override;
    void startFile(const QString& source, const QString& target) override;
    void advance(qint64 bytesDone) override;
    bool cancelRequested() override;

    QPushButton* cancelButton() const { return cmdCancel_; }

    // The dialog of the copy now running, or null; tests press its button through it.
    static CopyProgressDialog* current();

public slots:
    void reject() override;  // Esc and the close box cancel too; the copy closes the dialog

private:
    QLabel* lblFile_;
    QLabel* lblTarget_;
    QProgressBar* bar_;
    QPushButton* cmdCancel_;
    qint64 total_ = 0;
    bool cancelled_ = false;
};

}  // namespace core
