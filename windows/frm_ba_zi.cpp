// The chart window: its controls, load and unload, the conclusion, the sex list, the chart button,
// and the opening of a case.
#include "windows/frm_ba_zi.h"

#include "calendar/widgets/wnl.h"
#include "core/globals.h"
#include "core/recovery.h"
#include "core/work_database.h"
#include "platform/com/host/control_host.h"
#include "platform/forms/combobox.h"
#include "platform/forms/error_report.h"
#include "platform/forms/event_hook.h"
#include "platform/forms/font_faces.h"
#include "platform/forms/form_registry.h"
#include "platform/forms/label.h"
#include "platform/forms/picturebox.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/folders.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/twips.h"
#include "platform/vb/unattended_end.h"
#include "windows/chart_annotations.h"
#include "windows/chart_background.h"
#include "windows/chart_cells_widget.h"
#include "windows/chart_conclusion.h"
#include "windows/event_filters.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGroupBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace windows {

namespace {

constexpr int kWindowWidth = 12120;
constexpr int kWindowHeight = 9120;
constexpr int kConclusionLimit = 250;

// The scroll surface and what lies on it (twips): the chart on the left; beside it a strip with the
// annotation lists above the annotation and the conclusion, which share the strip through the
// splitter (its stored layout is of this strip's size); then the calendar with the sex, the name and
// the chart button.
constexpr int kSurfaceWidth = 20300;
constexpr int kSurfaceHeight = 10000;
constexpr int kChartLeft = 60;
constexpr int kChartTop = 30;
constexpr int kStripLeft = 11000;
constexpr int kStripWidth = 2775;
constexpr int kPanesTop = 1260;
constexpr int kPanesHeight = 8655;
constexpr int kColumnLeft = 13900;
constexpr int kColumnWidth = 6270;
constexpr int kRowTop = 3800;
constexpr int kBarSize = 255;

constexpr char16_t kCaption[] = u"紫微斗数命盘       ......下载地址：https://www.example.org/veyra/";
constexpr char16_t kOutsideCalendar[] =
    u"出生时间不在万年历的范围（1882年3月1日至2031年12月31日）之内，无法排出命盘。";

// The library window's case list, when it is there.
QWidget* caseList() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (QWidget* w = top->findChild<QWidget*>(QStringLiteral("ctlFileDetails1"))) return w;
    return nullptr;
}

}  // namespace

vb::Date FrmBaZi::firstBirthDay() { return calendar::Wnl::firstDay(); }
vb::Date FrmBaZi::lastBirthDay() { return calendar::Wnl::lastDay(); }

FrmBaZi::FrmBaZi(QWidget* parent) : forms::Form(QStringLiteral("frmBaZi"), parent) {
    setCaption(QString::fromUtf16(kCaption));
    setFont(forms::designFont(QStringLiteral("宋体"), 9));
    buildControls();
    buildMenus();
    connectEvents();
}

// The list's focus handler reaches this window: it goes before the window's members do.
FrmBaZi::~FrmBaZi() = default;

void FrmBaZi::buildControls() {
    QWidget* area = client();

    picbox_ = new forms::PictureBox(QStringLiteral("picbox"), area);
    forms::setTwipsGeometry(picbox_, 0, 0, kSurfaceWidth, kSurfaceHeight);

    // The background takes the size of its picture.
    PicBack_ = new QLabel(picbox_);
    PicBack_->setObjectName(QStringLiteral("PicBack"));
    PicBack_->setPixmap(drawChartBackground(vb::twipsToPixels(QSizeF(kSurfaceWidth, kSurfaceHeight))));
    PicBack_->adjustSize();
    PicBack_->move(0, 0);

    picMain_ = new ChartCellsWidget(picbox_);
    picMain_->setObjectName(QStringLiteral("picMain"));
    picMain_->move(vb::twipsToPixels(QPointF(kChartLeft, kChartTop)));

    calendar_ = new calendar::Wnl(picbox_);
    calendar_->setObjectName(QStringLiteral("wnl"));
    const QRect cal = forms::twipsGeometry(calendar_);
    forms::setTwipsGeometry(calendar_, kColumnLeft, kChartTop, cal.width(), cal.height());
    // The calendar's column label names the lists and takes the window to the present moment.
    Label18_ = calendar_->findChild<forms::Label*>(QStringLiteral("Label11"));
    Label18_->setObjectName(QStringLiteral("Label18"));
    Label18_->setCaption(QStringLiteral("年  月  日  时  分"));
    Label18_->setToolTip(QStringLiteral("点击此处回到当前时间"));
    QObject::disconnect(Label18_, &forms::Label::clicked, calendar_, nullptr);

    lblhour1_ = new forms::Label(QStringLiteral("lblhour1"), QString(), picbox_);
    forms::setTwipsGeometry(lblhour1_, kColumnLeft, kRowTop, 900, 240);
    lblhour2_ = new forms::Label(QStringLiteral("lblhour2"), QString(), picbox_);
    forms::setTwipsGeometry(lblhour2_, kColumnLeft + 950, kRowTop, 900, 240);

    Label11_ = new forms::Label(QStringLiteral("Label11"), QStringLiteral("性别"), picbox_);
    Label11_->setToolTip(QStringLiteral("双击可改变性别"));
    forms::setTwipsGeometry(Label11_, kColumnLeft + 2000, kRowTop, 700, 240);
    cboXing_ = new forms::ComboBox(QStringLiteral("cboXing"), picbox_);
    forms::setTwipsGeometry(cboXing_, kColumnLeft + 2000, kRowTop - 45, 900, 330);

    // The name follows the chart's "姓名：" inside the chart, so the picture and the print carry it.
    const QRect who = picMain_->label(chart::Control::lblWho)->geometry();
    lblXMing_ = new forms::Label(QStringLiteral("lblXMing"), QStringLiteral("无名氏"), picMain_);
    lblXMing_->setBackStyle(forms::Label::BackStyle::Transparent);
    lblXMing_->setGeometry(who.right() + 3, who.y(), ChartCellsWidget::kNameCaptionWidth, who.height());

    command1_ = new QPushButton(QStringLiteral("确  定"), picbox_);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setToolTip(QStringLiteral("用当前选定的时间排命盘"));
    forms::setTwipsGeometry(command1_, kColumnLeft + kColumnWidth - 1400, kRowTop - 80, 1400, 390);

    Frame2_ = new QGroupBox(QStringLiteral("对照解释"), picbox_);
    Frame2_->setObjectName(QStringLiteral("Frame2"));
    forms::setTwipsGeometry(Frame2_, kStripLeft, kChartTop, kStripWidth, 1140);
    cboMg_ = new forms::ComboBox(QStringLiteral("cboMg"), Frame2_);
    cboMg_->setPlaceholderText(QString::fromUtf16(kStarPicksText));
    forms::setTwipsGeometry(cboMg_, 90, 270, kStripWidth - 180, 330);
    cboDZ_ = new forms::ComboBox(QStringLiteral("cboDZ"), Frame2_);
    cboDZ_->setPlaceholderText(QString::fromUtf16(kPalacePicksText));
    forms::setTwipsGeometry(cboDZ_, 90, 690, kStripWidth - 180, 330);

    // The annotation above the conclusion; the splitter shares this area out between them.
    txtDuiZao_ = new QPlainTextEdit(picbox_);
    txtDuiZao_->setObjectName(QStringLiteral("txtDuiZao"));
    txtDuiZao_->setReadOnly(true);
    txtDuiZao_->setPlainText(QString::fromUtf16(kAnnotationNotice));
    forms::setTwipsGeometry(txtDuiZao_, kStripLeft, kPanesTop, kStripWidth, 4500);
    txtJieLun_ = new QPlainTextEdit(picbox_);
    txtJieLun_->setObjectName(QStringLiteral("txtJieLun"));
    txtJieLun_->setToolTip(QStringLiteral("命例的结论，关闭窗口时保存"));
    forms::setTwipsGeometry(txtJieLun_, kStripLeft, kPanesTop + 4590, kStripWidth, kPanesHeight - 4590);

    hScroll_ = new QScrollBar(Qt::Horizontal, area);
    hScroll_->setObjectName(QStringLiteral("HScroll"));
    vScroll_ = new QScrollBar(Qt::Vertical, area);
    vScroll_->setObjectName(QStringLiteral("VScroll"));
    for (QScrollBar* bar : {hScroll_, vScroll_}) {
        bar->setSingleStep(150);
        bar->setPageStep(1500);
    }
    forms::setTwipsGeometry(hScroll_, 0, 0, 1000, kBarSize);
    forms::setTwipsGeometry(vScroll_, 0, 0, kBarSize, 1000);
    lblFiller_ = new QLabel(area);
    lblFiller_->setObjectName(QStringLiteral("lblFiller"));
    lblFiller_->setAutoFillBackground(true);
    forms::setTwipsGeometry(lblFiller_, 0, 0, kBarSize, kBarSize);

    // The surface's own drawing font must not pass to what lies on it: each control gets its font
    // with every attribute set.
    for (QWidget* child : picbox_->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QFont inherited = child->font();
        QFont own(inherited.family());
        own.setPointSizeF(inherited.pointSizeF());
        own.setBold(inherited.bold());
        own.setItalic(false);
        own.setUnderline(false);
        own.setStrikeOut(false);
        child->setFont(own);
    }

    const QString soundFile = vb::joinPath(vb::programFolder(), QStringLiteral("s2.wav"));
    if (QFileInfo::exists(soundFile)) {
        clickSound_ = new QSoundEffect(this);
        clickSound_->setSource(QUrl::fromLocalFile(soundFile));
    }
}

void FrmBaZi::buildMenus() {
    QMenu* print = menuBar()->addMenu(QStringLiteral("打印"));
    print->setObjectName(QStringLiteral("Mnuprint"));
    QAction* printChart = print->addAction(QStringLiteral("打印命盘图"));
    printChart->setObjectName(QStringLiteral("MnuPrIn"));
    QAction* saveChart = print->addAction(QStringLiteral("保存命盘图"));
    saveChart->setObjectName(QStringLiteral("MnuJT"));
    QAction* knowledge = menuBar()->addAction(QStringLiteral("知识"));
    knowledge->setObjectName(QStringLiteral("MnuZS"));
    connect(printChart, &QAction::triggered, this, [this] { MnuPrIn_Click(); });
    connect(saveChart, &QAction::triggered, this, [this] { MnuJT_Click(); });
    connect(knowledge, &QAction::triggered, this, [this] { MnuZS_Click(); });
}

void FrmBaZi::connectEvents() {
    connect(calendar_, &calendar::Wnl::painted, this, [this] { calendarPainted(); });
    connect(command1_, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Label18_, &forms::Label::clicked, this, [this] { Label18_Click(); });
    connect(Label11_, &forms::Label::doubleClicked, this, [this] { Label11_DblClick(); });
    connect(cboXing_, &forms::ComboBox::clicked, this, [this] { cboXing_Click(); });
    // Opening the list moves the focus to its popup: that is not the list losing the focus.
    hooks_.install({cboXing_}, [this](QObject*, QEvent* event) {
        if (event->type() != QEvent::FocusOut) return false;
        const QWidget* popup = cboXing_->view()->window();
        const QWidget* focus = QApplication::focusWidget();
        const bool intoItsList = popup->isVisible() || (focus && popup->isAncestorOf(focus)) ||
                                 static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason;
        if (!intoItsList) cboXing_LostFocus();
        return false;
    });
    connect(txtJieLun_, &QPlainTextEdit::textChanged, this, [this] { txtJieLun_Change(); });
    connect(cboMg_, &forms::ComboBox::clicked, this, [this] { cboMg_Click(); });
    connect(cboDZ_, &forms::ComboBox::clicked, this, [this] { cboDZ_Click(); });
    onEvent(hooks_, txtDuiZao_->viewport(), QEvent::MouseButtonDblClick, [this] { txtDuiZao_DblClick(); });
    connect(hScroll_, &QScrollBar::valueChanged, this, [this] { HScroll_Change(); });
    connect(vScroll_, &QScrollBar::valueChanged, this, [this] { VScroll_Change(); });
}

void FrmBaZi::guarded(const char* procedure, const std::function<void()>& work) {
    forms::reportErrors(QStringLiteral(" frmBaZi::") + QLatin1String(procedure), work);
}

// --- Load and unload ---

void FrmBaZi::Form_Load() {
    setWidth(kWindowWidth);
    setHeight(kWindowHeight);

    cboXing_->addItem(QStringLiteral("男"));
    cboXing_->addItem(QStringLiteral("女"));
    cboXing_->hide();
    for (const char16_t* pick : kStarPicks) cboMg_->addItem(QString::fromUtf16(pick));
    for (const char16_t* pick : kPalacePicks) cboDZ_->addItem(QString::fromUtf16(pick));

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSizeF s = vb::pixelsToTwips(screen->geometry().size());
        // Centred, and on the screen even where the screen is smaller than the window.
        MoveOnScreen((static_cast<int>(s.width()) - Width()) / 2, (static_cast<int>(s.height()) - Height()) / 2, Width(), Height());
    }

    // A birth the calendar cannot show would be shown as some other day: the window says so and
    // closes instead.
    if (!birthCanBeCharted(core::gChartTime)) {
        fileId_ = 0;
        QTimer::singleShot(0, this, [this] { Unload(); });
        return;
    }
    hostSplitter();
    guarded("Form_Load", [this] { showSharedCase(); });
    AlignScrollBars();
}

void FrmBaZi::hostSplitter() {
    // Without the control the two boxes keep their places.
    guarded("Form_Load", [this] {
        splitter_ = com::hostSplitter(picbox_, vb::joinPath(vb::programFolder(), QLatin1String(com::kChartWindowLayout)),
                                      {txtDuiZao_, txtJieLun_});
        forms::setTwipsGeometry(splitter_->window(), kStripLeft, kPanesTop, kStripWidth, kPanesHeight);
        splitter_->window()->show();
    });
}

void FrmBaZi::showSharedCase() {
    birth_ = core::gChartTime;
    fileId_ = core::gCurrentFileID;
    cboXing_->setListIndex(core::gIsMale ? 0 : 1);
    cboXing_->hide();
    birthCaptionPending_ = true;
    calendar_->ShowMoment(birth_);

    const QString stored = LoadConclusion(fileId_);
    settingConclusion_ = true;
    txtJieLun_->setPlainText(stored);
    settingConclusion_ = false;
    lastConclusion_ = stored;
}

bool FrmBaZi::storeConclusion() {
    bool ok = true;
    guarded("SaveConclusion", [&] {
        ok = false;
        if (SaveConclusion(fileId_, txtJieLun_->toPlainText()) == ConclusionSave::RowDeleted)
            vb::MsgBox(QString::fromUtf16(kCaseDeletedMessage), vb::vbOKOnly | vb::vbExclamation);
        ok = true;
    });
    return ok;
}

void FrmBaZi::Form_QueryUnload(int&, int unloadMode) { lastUnloadMode_ = unloadMode; }

void FrmBaZi::Form_Unload(int& cancel) {
    // A conclusion that could not be stored stays on screen when the user closed the window, so it
    // can be kept some other way; an end of the program cannot wait.
    if (!storeConclusion()) {
        if (lastUnloadMode_ == forms::vbFormControlMenu) {
            cancel = 1;
            return;
        }
        if (vb::unattendedEnd())
            core::keepUnsavedText(QStringLiteral("命例 %1 的结论").arg(fileId_), QStringLiteral("conclusion-%1.txt").arg(fileId_),
                                  txtJieLun_->toPlainText().toUtf8());
    }
    splitter_.reset();
    core::gCurrentFileID = 0;
    if (!core::gWorkPath.isEmpty()) {
        const QString path = core::workDatabasePath(core::gWorkPath);
        if (QFileInfo::exists(path))
            guarded("Form_Unload", [&] { core::gWorkDB = dao::DBEngine::defaultWorkspace().openDatabase(path); });
    }
    if (QWidget* list = caseList()) list->setFocus();
    core::gCodeID = -1;
}

// --- Events ---

void FrmBaZi::Command1_Click() {
    guarded("Command1_Click", [this] {
        if (clickSound_ && clickSound_->status() != QSoundEffect::Error) clickSound_->play();
        birthCaptionPending_ = true;
        auto* hour = calendar_->findChild<forms::ComboBox*>(QStringLiteral("cboHour"));
        auto* minute = calendar_->findChild<forms::ComboBox*>(QStringLiteral("cboMin"));
        calendar_->setTimeText(QStringLiteral("%1-%2").arg(hour->listIndex()).arg(minute->listIndex()));
        calendar_->SetSelectedDate();
    });
}

void FrmBaZi::Label18_Click() {
    guarded("Label18_Click", [this] {
        const vb::Date now = vb::Date::now();
        calendar_->findChild<forms::ComboBox*>(QStringLiteral("cboHour"))->setListIndex(now.hour());
        calendar_->findChild<forms::ComboBox*>(QStringLiteral("cboMin"))->setListIndex(now.minute());
        // The calendar's go-to-today, from a month outside its range so that the lists follow.
        calendar_->Label11_Click();
    });
}

void FrmBaZi::Label11_DblClick() {
    cboXing_->show();
    cboXing_->raise();
    cboXing_->setFocus();
}

void FrmBaZi::cboXing_Click() {
    if (cboXing_->listIndex() == 0) core::gIsMale = true;
    if (cboXing_->listIndex() == 1) core::gIsMale = false;
    cboXing_->hide();
}

void FrmBaZi::cboXing_LostFocus() { cboXing_->hide(); }

void FrmBaZi::txtJieLun_Change() {
    if (settingConclusion_) return;
    if (txtJieLun_->toPlainText().size() > kConclusionLimit) {
        settingConclusion_ = true;
        txtJieLun_->setPlainText(lastConclusion_);
        txtJieLun_->moveCursor(QTextCursor::End);
        settingConclusion_ = false;
        vb::MsgBox(QStringLiteral("请将输入的字符限制在于250个以内！"));
    }
    lastConclusion_ = txtJieLun_->toPlainText();
}

void FrmBaZi::Form_Resize() { AlignScrollBars(); }

QString FrmBaZi::NianShangQiYue(const QString& yearStem, const QString& number) {
    return calendar_->NianShangQiYue(yearStem, number);
}

QString FrmBaZi::TianGanTouChu(const QString& dayStem, const QString& otherStem) {
    return calendar::Wnl::TianGanTouChu(dayStem, otherStem);
}

// --- Opening a case ---

bool birthCanBeCharted(const vb::Date& birth) {
    if (birth >= FrmBaZi::firstBirthDay() && birth.datePart() <= FrmBaZi::lastBirthDay()) return true;
    vb::MsgBox(QString::fromUtf16(kOutsideCalendar), vb::vbOKOnly | vb::vbExclamation);
    return false;
}

bool openCase(const vb::Date& birth, bool isMale, int32_t fileId, const QString& name) {
    if (!birthCanBeCharted(birth)) return false;
    if (FrmBaZi* shown = forms::loadedInstance<FrmBaZi>(); shown && !shown->isUnloaded()) {
        if (fileId != 0 && shown->fileId_ == fileId && shown->birth_ == birth) {
            shown->Show();
            shown->raise();
            shown->activateWindow();
            return true;
        }
        // The conclusion on screen belongs to the case shown: it goes into that case's row before
        // the window turns to the new case.
        if (!shown->storeConclusion()) return false;
        core::gChartTime = birth;
        core::gIsMale = isMale;
        core::gCurrentFileID = fileId;
        shown->lblXMing_->setCaption(name);
        shown->guarded("Form_Load", [shown] { shown->showSharedCase(); });
        shown->Show();
        shown->raise();
        return true;
    }
    core::gChartTime = birth;
    core::gIsMale = isMale;
    core::gCurrentFileID = fileId;
    FrmBaZi& w = forms::defaultInstance<FrmBaZi>();
    if (w.isUnloaded()) return false;
    w.lblXMing_->setCaption(name);
    w.Show();
    return true;
}

bool storeShownConclusion() {
    FrmBaZi* shown = forms::loadedInstance<FrmBaZi>();
    return !shown || shown->isUnloaded() || shown->storeConclusion();
}

bool closeChartWindow() {
    if (!storeShownConclusion()) return false;
    FrmBaZi* shown = forms::loadedInstance<FrmBaZi>();
    return !shown || shown->isUnloaded() || shown->Unload();
}

}  // namespace windows
