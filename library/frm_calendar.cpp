#include "library/frm_calendar.h"

#include "calendar/widgets/wnl.h"
#include "core/code_item.h"
#include "core/globals.h"
#include "core/main_window_host.h"
#include "core/wait_cursor.h"
#include "core/work_database.h"
#include "library/chart_window_link.h"
#include "library/ctl_file_details.h"
#include "library/frm_code_lib.h"
#include "platform/dao/dao.h"
#include "platform/forms/error_report.h"
#include "platform/forms/font_faces.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/codepage936.h"
#include "platform/vb/folders.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/twips.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace library {

namespace {

constexpr int kLabelLeft = 120;
constexpr int kEntryLeft = 720;
constexpr int kRowHeight = 330;
constexpr int kRowStep = 420;

// A later copy of the program ends through the main window's own unload, which closes the other
// windows and saves what they hold, and then leaves the event loop.
void endThisCopy() {
    if (core::MainWindowHost* mainWindow = core::mainWindowHost()) mainWindow->unloadWindow();
    QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
}

// The birth text as a whole date and time ("1990-6-6 8:30"); a date or a time alone is no birth.
bool parseBirthText(const QString& text, vb::Date* birth) {
    const QStringList parts = text.simplified().split(u' ');
    return parts.size() == 2 && !parts[0].contains(u':') && parts[1].contains(u':') &&
           vb::Date::parse(parts.join(u' '), birth);
}

int lengthOf(const QString& text, bool bytes) {
    return bytes ? static_cast<int>(vb::toCp936(text).size()) : static_cast<int>(text.size());
}

}  // namespace

FrmCalendar::FrmCalendar(QWidget* parent) : forms::Form(QStringLiteral("frmcalendar"), parent) {
    setCaption(QStringLiteral("个人资料"));
    QWidget* area = client();
    setFont(forms::designFont(QStringLiteral("宋体"), 9));

    auto* frame2 = new QGroupBox(area);
    frame2->setObjectName(QStringLiteral("Frame2"));
    wnlqd_ = new calendar::Wnl(frame2);
    wnlqd_->setObjectName(QStringLiteral("wnlqd"));
    const QRect control = forms::twipsGeometry(wnlqd_);
    const int frameWidth = control.width() + 240;
    const int entryWidth = frameWidth + 60 - kEntryLeft - kLabelLeft;

    txtnume_ = addEntry(QStringLiteral("txtnume"), QStringLiteral("姓名"), 120, 2200);
    Frame1_ = new QGroupBox(QStringLiteral("性别"), area);
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    opXingbie1_ = new QRadioButton(QStringLiteral("男"), Frame1_);
    opXingbie1_->setObjectName(QStringLiteral("opXingbie1"));
    opXingbie2_ = new QRadioButton(QStringLiteral("女"), Frame1_);
    opXingbie2_->setObjectName(QStringLiteral("opXingbie2"));
    forms::setTwipsGeometry(Frame1_, kEntryLeft + 2400, 0, 2000, 500);
    forms::setTwipsGeometry(opXingbie1_, 150, 200, 800, 270);
    forms::setTwipsGeometry(opXingbie2_, 1050, 200, 800, 270);
    txtborntime_ = addEntry(QStringLiteral("txtborntime"), QStringLiteral("出生"), 120 + kRowStep, entryWidth);
    txtborntime_->setToolTip(QStringLiteral("请在下面的万年历中选择输入出生时间"));
    txtWhy_ = addEntry(QStringLiteral("txtWhy"), QStringLiteral("事由"), 120 + 2 * kRowStep, entryWidth);
    txtaddress_ = addEntry(QStringLiteral("txtaddress"), QStringLiteral("地址"), 120 + 3 * kRowStep, entryWidth);
    txttel_ = addEntry(QStringLiteral("txttel"), QStringLiteral("电话"), 120 + 4 * kRowStep, 2200);
    txttel_->setMaxLength(kTelephoneLength);

    wnlqd_->setBornTimeBox(txtborntime_);
    wnlqd_->setEndProgram([this] {
        endingProgram_ = true;
        endThisCopy();
    });
    const int frameTop = 120 + 5 * kRowStep;
    forms::setTwipsGeometry(frame2, 60, frameTop, frameWidth, control.height() + 300);
    forms::setTwipsGeometry(wnlqd_, 120, 180, control.width(), control.height());
    const QRect frame = forms::twipsGeometry(frame2);

    cmdok_ = new QPushButton(QStringLiteral("确定"), area);
    cmdok_->setObjectName(QStringLiteral("cmdok"));
    cmdok_->setToolTip(QStringLiteral(" 开始排所选出生时间的八字"));
    cmdok_->setDefault(true);
    cmdcancel_ = new QPushButton(QStringLiteral("取消"), area);
    cmdcancel_->setObjectName(QStringLiteral("cmdcancel"));
    const int buttonsTop = frame.y() + frame.height() + 120;
    forms::setTwipsGeometry(cmdcancel_, frame.x() + frame.width() - 1200, buttonsTop, 1200, 400);
    forms::setTwipsGeometry(cmdok_, frame.x() + frame.width() - 2520, buttonsTop, 1200, 400);

    setDialogKeys(cmdcancel_);
    // The entries in reading order, the name first; the calendar, then the buttons.
    QWidget* const order[] = {txtnume_, opXingbie1_, opXingbie2_, txtborntime_, txtWhy_, txtaddress_, txttel_, wnlqd_,
                              cmdok_, cmdcancel_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    setFocusProxy(txtnume_);
    txtnume_->setFocus();

    const QSize clientSize = vb::twipsToPixels(QSizeF(frame.x() + frame.width() + 60, buttonsTop + 400 + 120));
    area->setFixedSize(clientSize);
    setFixedSize(clientSize);

    connect(opXingbie1_, &QRadioButton::clicked, this, &FrmCalendar::opXingbie1_Click);
    connect(opXingbie2_, &QRadioButton::clicked, this, &FrmCalendar::opXingbie2_Click);
    connect(cmdok_, &QPushButton::clicked, this, [this] {
        forms::reportErrors(QStringLiteral(" frmcalendar::cmdok_Click"), [this] { cmdok_Click(); });
    });
    connect(cmdcancel_, &QPushButton::clicked, this, &FrmCalendar::cmdcancel_Click);
    connect(txtnume_, &QLineEdit::textChanged, this, [this] { checkLimit(txtnume_, kCaseEntryLimits[0], lastName_); });
    connect(txtaddress_, &QLineEdit::textChanged, this,
            [this] { checkLimit(txtaddress_, kCaseEntryLimits[1], lastAddress_); });
    connect(txtWhy_, &QLineEdit::textChanged, this, [this] { checkLimit(txtWhy_, kCaseEntryLimits[2], lastWhy_); });
    connect(txttel_, &QLineEdit::textChanged, this, [this] { txttel_->setMaxLength(kTelephoneLength); });
}

QLineEdit* FrmCalendar::addEntry(const QString& name, const QString& label, int top, int width) {
    auto* caption = new QLabel(label, client());
    caption->setObjectName(QStringLiteral("Label2"));
    forms::setTwipsGeometry(caption, kLabelLeft, top + 45, kEntryLeft - kLabelLeft, 270);
    auto* box = new QLineEdit(client());
    box->setObjectName(name);
    forms::setTwipsGeometry(box, kEntryLeft, top, width, kRowHeight);
    return box;
}

void FrmCalendar::Form_Load() {
    wnlqd_->Initialise();
    // A copy that the calendar ends at once loads no sound: Qt's loader thread would still hold the
    // file when the program ends.
    const QString tap = vb::joinPath(vb::programFolder(), QStringLiteral("tap.wav"));
    if (!endingProgram_ && !tapSound_ && QFileInfo::exists(tap)) {
        tapSound_ = new QSoundEffect(this);
        tapSound_->setSource(QUrl::fromLocalFile(tap));
    }
    opXingbie1_->setChecked(true);
    opXingbie1_Click();
}

void FrmCalendar::showEvent(QShowEvent* event) {
    forms::Form::showEvent(event);
    // Without a window manager nothing asks a new window to paint until something changes it; the
    // first show is painted here, so the window never stays black.
    QTimer::singleShot(0, this, [this] { update(); });
}

void FrmCalendar::opXingbie1_Click() { core::gIsMale = true; }
void FrmCalendar::opXingbie2_Click() { core::gIsMale = false; }

void FrmCalendar::checkLimit(QLineEdit* box, const EntryLimit& limit, QString& lastAccepted) {
    if (settingBack_) return;
    if (lengthOf(box->text(), limit.bytes) > limit.limit) {
        settingBack_ = true;
        box->setText(lastAccepted);
        settingBack_ = false;
        vb::MsgBox(QString::fromUtf16(limit.message), vb::vbOKOnly);
    }
    lastAccepted = box->text();
}

void FrmCalendar::cmdok_Click() {
    core::chourglass wait;
    if (tapSound_ && tapSound_->status() != QSoundEffect::Error) tapSound_->play();
    vb::Date birth;
    if (!parseBirthText(txtborntime_->text(), &birth)) {
        // A date or a time alone reads as a moment, but not as the one the person was born at.
        const QString text = txtborntime_->text().trimmed();
        vb::MsgBox(vb::Date::parse(text, nullptr) ? QStringLiteral("出生时间“%1”不完整，须有日期和时间，请在万年历中选择。").arg(text)
                                                  : QStringLiteral("请在万年历中选择出生时间"),
                   vb::vbOKOnly | vb::vbExclamation);
        return;
    }
    // A case the chart window cannot show would be stored for nothing.
    if (!birthCanBeCharted(birth)) return;
    if (itemId_ == 0) {
        vb::MsgBox(QStringLiteral("请先在条目树中选择一个条目，命例将存入该条目"), vb::vbOKOnly | vb::vbExclamation);
        return;
    }
    core::gChartTime = birth;
    // A database error is reported by the caller and the window stays open with its entries.
    const int32_t id = SaveCaseRecord(birth);
    savedId_ = id;
    const QString name = txtnume_->text();
    const bool isMale = opXingbie1_->isChecked();
    Unload();
    openChartWindow(birth, isMale, id, name);
}

int32_t FrmCalendar::SaveCaseRecord(const vb::Date& birth) {
    dao::Database db = dao::DBEngine::defaultWorkspace().openDatabase(core::workDatabasePath(core::gWorkPath));
    dao::Recordset rs = db.openRecordset(QStringLiteral("select * from codefiles where id = 0"));
    int32_t id = 0;
    try {
        rs.addNew();
        rs.setValue(QStringLiteral("codeid"), vb::Variant(static_cast<int>(itemId_)));
        rs.setValue(QStringLiteral("name"), vb::Variant(txtnume_->text()));
        rs.setValue(QStringLiteral("xingbie"), vb::Variant(opXingbie1_->isChecked() ? QStringLiteral("男") : QStringLiteral("女")));
        rs.setValue(QStringLiteral("borntime"), vb::Variant(txtborntime_->text()));
        rs.setValue(QStringLiteral("why"), vb::Variant(txtWhy_->text()));
        rs.setValue(QStringLiteral("guatime"), vb::Variant(birth));
        rs.setValue(QStringLiteral("address"), vb::Variant(txtaddress_->text()));
        rs.setValue(QStringLiteral("tel"), vb::Variant(txttel_->text()));
        rs.setValue(QStringLiteral("savetime"), vb::Variant(vb::Date::now()));
        rs.update();
        rs.setBookmark(rs.lastModified());
        id = rs.value(QStringLiteral("id")).toLong();
        rs.close();
    } catch (...) {
        if (rs.isOpen()) {
            try {
                rs.cancelUpdate();
            } catch (...) {
            }
            rs.close();
        }
        throw;
    }
    db.close();
    dao::DBEngine::idle(dao::dbRefreshCache);
    return id;
}

void FrmCalendar::cmdcancel_Click() { Unload(); }

bool FrmCalendar::holdsEntries() const {
    for (const QLineEdit* box : {txtnume_, txtWhy_, txtaddress_, txttel_})
        if (!box->text().isEmpty()) return true;
    return opXingbie2_->isChecked();
}

bool FrmCalendar::mayDiscardEntries() {
    if (!holdsEntries()) return true;
    show();
    raise();
    return vb::MsgBox(QStringLiteral("“个人资料”窗口中填写的命例尚未保存，换用其它工作库将放弃这些资料。\n确实要放弃吗？"),
                      vb::vbYesNo | vb::vbQuestion | vb::vbDefaultButton2) == vb::vbYes;
}

void FrmCalendar::Form_QueryUnload(int& /*cancel*/, int /*unloadMode*/) {
    const QString path = core::workDatabasePath(core::gWorkPath);
    if (!core::gWorkPath.isEmpty() && QFileInfo(path).isFile()) {
        forms::reportErrors(QStringLiteral(" frmcalendar::Form_QueryUnload"),
                            [&] { core::gWorkDB = dao::DBEngine::defaultWorkspace().openDatabase(path); });
    }
    if (auto* main = forms::loadedInstance<FrmCodeLib>(); main && main->ctlFileDetails1())
        main->ctlFileDetails1()->setFocus();
    core::gCodeID = -1;
}

void showFrmcalendar(int32_t itemId) {
    FrmCalendar& w = forms::defaultInstance<FrmCalendar>();
    w.setItemId(itemId);
    // Opened from the case list: it comes up over the library window, not wherever there is room.
    if (!w.endingProgram()) w.ShowCentredOn(forms::loadedInstance<FrmCodeLib>());
}

}  // namespace library
