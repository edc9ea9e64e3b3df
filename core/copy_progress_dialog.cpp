#include "core/copy_progress_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace core {

namespace {
QPointer<CopyProgressDialog> gCurrent;
// The bar counts in KiB so that libraries beyond 2 GiB still fit its int range.
int barValue(qint64 bytes) { return static_cast<int>(bytes / 1024); }
}  // namespace

CopyProgressDialog::CopyProgressDialog(QWidget* parent)
    : QDialog(parent), lblFile_(new QLabel(this)), lblTarget_(new QLabel(this)), bar_(new QProgressBar(this)),
      cmdCancel_(new QPushButton(QStringLiteral("取消"), this)) {
    setObjectName(QStringLiteral("CopyProgressDialog"));
    setWindowTitle(QStringLiteral("正在复制…"));
    setModal(true);
    lblFile_->setObjectName(QStringLiteral("lblFile"));
    lblTarget_->setObjectName(QStringLiteral("lblTarget"));
    bar_->setObjectName(QStringLiteral("barProgress"));
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    lblFile_->setMinimumWidth(360);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblFile_);
    layout->addWidget(lblTarget_);
    layout->addWidget(bar_);
    layout->addWidget(cmdCancel_, 0, Qt::AlignRight);
    connect(cmdCancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
}

CopyProgressDialog* CopyProgressDialog::current() { return gCurrent.data(); }

void CopyProgressDialog::start(int files, qint64 bytes) {
    total_ = bytes;
    cancelled_ = false;
    bar_->setRange(0, std::max(1, barValue(bytes)));
    bar_->setValue(0);
    lblFile_->setText(QStringLiteral("共 %1 个文件").arg(files));
    gCurrent = this;
    show();
    QCoreApplication::processEvents();
}

void CopyProgressDialog::startFile(const QString& source, const QString& target) {
    lblFile_->setText(QStringLiteral("正在复制：%1").arg(QFileInfo(source).fileName()));
    lblTarget_->setText(QStringLiteral("到：%1").arg(QDir::toNativeSeparators(QFileInfo(target).absolutePath())));
    QCoreApplication::processEvents();
}

void CopyProgressDialog::advance(qint64 bytesDone) {
    bar_->setValue(std::min(bar_->maximum(), barValue(bytesDone)));
    QCoreApplication::processEvents();
}

bool CopyProgressDialog::cancelRequested() {
    QCoreApplication::processEvents();
    return cancelled_;
}

void CopyProgressDialog::reject() { cancelled_ = true; }

}  // namespace core
