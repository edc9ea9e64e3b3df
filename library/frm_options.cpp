#include "library/frm_options.h"

#include "core/settings.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/msgbox.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabWidget>

#include <array>

namespace library {

namespace {

constexpr std::array<const char16_t*, 3> kSwitchCaptions{u"程序起动立即进行数据备份", u"程序退出压缩数据库", u"保存界面设定"};

QLabel* captionLabel(const QString& text, QWidget* parent, int left, int top) {
    auto* l = new QLabel(text, parent);
    forms::setTwipsGeometry(l, left, top, 1800, 300);
    return l;
}

// An up-down button beside its box: up raises the value, as the control does.
QScrollBar* upDown(const QString& name, QWidget* parent, int left, int top) {
    auto* bar = new QScrollBar(Qt::Vertical, parent);
    bar->setObjectName(name);
    bar->setRange(-kReadCountMax, -kReadCountMin);  // a vertical bar grows downwards: negate
    bar->setPageStep(1);
    forms::setTwipsGeometry(bar, left, top, 255, 315);
    return bar;
}

QLineEdit* numberBox(const QString& name, QWidget* parent, int left, int top) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    forms::setTwipsGeometry(box, left, top, 600, 315);
    return box;
}

}  // namespace

FrmOptions::FrmOptions() : forms::Form(QStringLiteral("frmOptions")) {
    setCaption(QStringLiteral("设置"));
    QWidget* area = client();
    auto* tabs = new QTabWidget(area);
    tabs->setObjectName(QStringLiteral("SSTab1"));
    auto* page = new QWidget;
    tabs->addTab(page, QStringLiteral("设定"));
    forms::setTwipsGeometry(tabs, 120, 120, 6000, 4200);

    lstOptions_ = new QListWidget(page);
    lstOptions_->setObjectName(QStringLiteral("lstOptions"));
    forms::setTwipsGeometry(lstOptions_, 120, 120, 5640, 1000);

    captionLabel(QStringLiteral("阅读总的屏数："), page, 120, 1320);
    txtUpDownpage_ = numberBox(QStringLiteral("txtUpDownpage"), page, 1980, 1290);
    upDownPN_ = upDown(QStringLiteral("UpDownPN"), page, 2580, 1290);
    captionLabel(QStringLiteral("总的循环次数："), page, 120, 1740);
    txtUpDownLoop_ = numberBox(QStringLiteral("txtUpDownLoop"), page, 1980, 1710);
    upDownZLN_ = upDown(QStringLiteral("UpDownZLN"), page, 2580, 1710);
    captionLabel(QStringLiteral("每屏重复次数："), page, 120, 2160);
    txtUpDownPageLoop_ = numberBox(QStringLiteral("txtUpDownPageLoop"), page, 1980, 2130);
    upDownPLN_ = upDown(QStringLiteral("UpDownPLN"), page, 2580, 2130);
    captionLabel(QStringLiteral("阅读速度设定："), page, 120, 2580);
    sldUpDown_ = new QSlider(Qt::Horizontal, page);
    sldUpDown_->setObjectName(QStringLiteral("sldUpDown"));
    sldUpDown_->setRange(kReadSpeedMin, kReadSpeedMax);
    sldUpDown_->setTickPosition(QSlider::TicksBelow);
    forms::setTwipsGeometry(sldUpDown_, 1980, 2580, 3780, 420);

    auto* note = new QGroupBox(QStringLiteral("注意"), page);
    note->setObjectName(QStringLiteral("Frmsuomi"));
    forms::setTwipsGeometry(note, 3120, 1200, 2640, 1260);
    auto* txtSuoMi = new QLabel(QStringLiteral("阅读面板自动滚动：速度 1 最慢、10 最快；屏数与次数可取 1 到 99。"), note);
    txtSuoMi->setObjectName(QStringLiteral("txtSuoMi"));
    txtSuoMi->setWordWrap(true);
    forms::setTwipsGeometry(txtSuoMi, 120, 240, 2400, 960);

    cmdok_ = new QPushButton(QStringLiteral("确定"), area);
    cmdok_->setObjectName(QStringLiteral("cmdok"));
    forms::setTwipsGeometry(cmdok_, 3480, 4440, 1200, 390);
    cmdcancel_ = new QPushButton(QStringLiteral("取消"), area);
    cmdcancel_->setObjectName(QStringLiteral("cmdcancel"));
    forms::setTwipsGeometry(cmdcancel_, 4920, 4440, 1200, 390);
    setClientSize(6240, 4980);

    const std::array<std::pair<QScrollBar*, QLineEdit*>, 3> pairs{{{upDownPN_, txtUpDownpage_},
                                                                   {upDownZLN_, txtUpDownLoop_},
                                                                   {upDownPLN_, txtUpDownPageLoop_}}};
    for (const auto& [bar, box] : pairs)
        connect(bar, &QScrollBar::valueChanged, box, [box = box](int v) { box->setText(QString::number(-v)); });
    cmdok_->setDefault(true);
    setDialogKeys(cmdcancel_);
    connect(cmdok_, &QPushButton::clicked, this, &FrmOptions::cmdok_Click);
    connect(cmdcancel_, &QPushButton::clicked, this, &FrmOptions::cmdcancel_Click);
}

void FrmOptions::Initialise(core::CSettings& settings) {
    settings_ = &settings;
    lstOptions_->clear();
    const std::array<bool, 3> on{settings.BackupDatabaseAtStart(), settings.CompactDatabaseOnExit(), settings.SaveFormLayout()};
    for (size_t i = 0; i < kSwitchCaptions.size(); ++i) {
        auto* item = new QListWidgetItem(QString::fromUtf16(kSwitchCaptions[i]), lstOptions_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(on[i] ? Qt::Checked : Qt::Unchecked);
    }
    lstOptions_->setCurrentRow(0);
    txtUpDownpage_->setText(QString::number(settings.ReadPage()));
    txtUpDownLoop_->setText(QString::number(settings.Readloop()));
    txtUpDownPageLoop_->setText(QString::number(settings.ReadPageloop()));
    sldUpDown_->setValue(settings.Readvelocity());
    for (auto [bar, box] : {std::pair{upDownPLN_, txtUpDownPageLoop_}, std::pair{upDownPN_, txtUpDownpage_},
                            std::pair{upDownZLN_, txtUpDownLoop_}}) {
        const QSignalBlocker keepText(bar);  // the box keeps what was stored, even out of range
        bar->setValue(-box->text().toInt());
    }
}

void FrmOptions::cmdok_Click() {
    if (!settings_) return hide();
    // Every box is checked before anything is written, so a wrong one changes nothing.
    struct Box {
        QLineEdit* box;
        const char16_t* caption;
    };
    const std::array<Box, 3> boxes{{{txtUpDownpage_, u"阅读总的屏数"}, {txtUpDownLoop_, u"总的循环次数"},
                                    {txtUpDownPageLoop_, u"每屏重复次数"}}};
    std::array<int, 3> values{};
    for (size_t i = 0; i < boxes.size(); ++i) {
        bool ok = false;
        values[i] = boxes[i].box->text().trimmed().toInt(&ok);
        if (!ok || values[i] < kReadCountMin || values[i] > kReadCountMax) {
            vb::MsgBox(QStringLiteral("%1必须是 %2 到 %3 之间的整数。").arg(QString::fromUtf16(boxes[i].caption))
                           .arg(kReadCountMin).arg(kReadCountMax),
                       vb::vbOKOnly | vb::vbExclamation);
            boxes[i].box->setFocus();
            boxes[i].box->selectAll();
            return;
        }
    }
    settings_->setBackupDatabaseAtStart(lstOptions_->item(0)->checkState() == Qt::Checked);
    settings_->setCompactDatabaseOnExit(lstOptions_->item(1)->checkState() == Qt::Checked);
    settings_->setSaveFormLayout(lstOptions_->item(2)->checkState() == Qt::Checked);
    settings_->setReadPage(static_cast<int16_t>(values[0]));
    settings_->setReadloop(static_cast<int16_t>(values[1]));
    settings_->setReadPageloop(static_cast<int16_t>(values[2]));
    settings_->setReadvelocity(static_cast<int16_t>(sldUpDown_->value()));
    settings_ = nullptr;
    hide();
}

void FrmOptions::cmdcancel_Click() {
    settings_ = nullptr;
    hide();
}

}  // namespace library
