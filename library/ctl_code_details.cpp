#include "library/ctl_code_details.h"

#include "core/code_item.h"
#include "core/globals.h"
#include "core/page_file.h"
#include "core/recovery.h"
#include "core/text_helpers.h"
#include "core/wait_cursor.h"
#include "library/ctl_file_details.h"
#include "library/formatting_bar.h"
#include "library/frm_code_lib.h"
#include "library/reading_panel.h"
#include "platform/dao/dao.h"
#include "platform/forms/error_report.h"
#include "platform/forms/label.h"
#include "platform/forms/richtextbox.h"
#include "platform/forms/twips_geometry.h"
#include "platform/vb/folders.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/twips.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QTabBar>
#include <QTextDocument>

#include <optional>

namespace library {

namespace {

struct TabEntry {
    const char16_t* caption;
    const char16_t* key;
    const char16_t* tag;
    const char16_t* toolTip;
};
constexpr TabEntry kTabs[] = {{u"笔记本", u"CODE", u"CODE", u"笔记"}, {u"紫微斗数", u"FILES", u"FILES", u"紫微斗数"}};

struct ButtonPictures {
    int index;
    const char16_t* pressed;
    const char16_t* released;
};
constexpr ButtonPictures kButtons[] = {{1, u"new_d", u"new_u"},
                                       {2, u"save_d", u"save_u"},
                                       {3, u"cut_d", u"cut_u"},
                                       {4, u"wordb_d", u"wordf_u"},
                                       {5, u"backcolor_d", u"backcolor_u"}};
constexpr int kSaveButton = 2;

// Layout, in twips.
constexpr int kEdge = 15;
constexpr int kGap = 30;
constexpr int kMargin = 60;
constexpr int kCaptionHeight = 380;
constexpr int kPictureWidth = 420;
constexpr int kCaptionLeft = 580;
constexpr int kTabsTop = 420;
constexpr int kButtonWidth = 330;
constexpr int kButtonStep = 345;
constexpr int kMarqueeStep = 15;
constexpr int kMarqueeMs = 100;

constexpr char16_t kMarqueeText[] = u"双击空表格排一新命盘，双击有内容的表格列出对应的命盘";

bool isTextKey(const QString& key) {
    return key == QStringLiteral("CODE") || key == QStringLiteral("NOTES") || key == QStringLiteral("USAGE");
}

const DetailPage* pageOf(const QString& key) {
    for (const DetailPage& p : kDetailPages)
        if (key == QString::fromUtf16(p.key)) return &p;
    return nullptr;
}

void place(QWidget* w, int left, int top, int width, int height) {
    if (w && width >= 0 && height >= 0) forms::setTwipsGeometry(w, left, top, width, height);
}

int twips(int pixels) { return static_cast<int>(vb::pixelsToTwips(pixels)); }

}  // namespace

CtlCodeDetails::CtlCodeDetails(FrmCodeLib& window, QWidget* parent) : QWidget(parent), window_(window) {
    setObjectName(QStringLiteral("ctlCodeItemDetails"));
    const QString pictures = vb::joinPath(vb::programFolder(), QStringLiteral("pictures"));
    tabImages_.addFolder(pictures);
    buttonImages_.addFolder(pictures);
    buildControls();
}

CtlCodeDetails::~CtlCodeDetails() = default;

void CtlCodeDetails::buildControls() {
    imgLabel_ = new QLabel(this);
    imgLabel_->setObjectName(QStringLiteral("imgLabel"));
    imgLabel_->setAlignment(Qt::AlignCenter);
    Label1_ = new forms::Label(QStringLiteral("Label1"), QStringLiteral(" "), this);
    LblScroll_ = new forms::Label(QStringLiteral("LblScroll"), QString::fromUtf16(kMarqueeText), Label1_);
    LblScroll_->setBackStyle(forms::Label::BackStyle::Transparent);
    LblScroll_->setWordWrap(false);  // one line that moves, never a wrapped block
    LblScroll_->adjustSize();
    LblScroll_->hide();
    connect(LblScroll_, &forms::Label::clicked, this, &CtlCodeDetails::LblScroll_Click);
    timerLeft_.setObjectName(QStringLiteral("TimerLeft"));
    timerLeft_.setInterval(kMarqueeMs);
    connect(&timerLeft_, &QTimer::timeout, this, &CtlCodeDetails::TimerLeft_Timer);

    tbsTabs_ = new QTabBar(this);
    tbsTabs_->setObjectName(QStringLiteral("tbsTabs"));
    tbsTabs_->setExpanding(false);
    for (const TabEntry& t : kTabs) {
        const int i = tbsTabs_->addTab(QString::fromUtf16(t.caption));
        tbsTabs_->setTabData(i, QString::fromUtf16(t.key));
        tbsTabs_->setTabToolTip(i, QString::fromUtf16(t.toolTip));
        tbsTabs_->setTabWhatsThis(i, QString::fromUtf16(t.tag));
    }
    tbsTabs_->setCurrentIndex(0);
    connect(tbsTabs_, &QTabBar::currentChanged, this, &CtlCodeDetails::onTabChanged);

    picPicture1_ = new QWidget(this);
    picPicture1_->setObjectName(QStringLiteral("picPicture1"));
    for (const ButtonPictures& b : kButtons) {
        auto* button = new forms::ImageButton(&buttonImages_, QString(), picPicture1_);
        imgButtons_.add(b.index, button);
        button->showKey(QString::fromUtf16(b.released));
        button->installEventFilter(this);
        place(button, (b.index - 1) * kButtonStep, 0, kButtonWidth, kButtonWidth);
        connect(button, &forms::ImageButton::Click, this, [this, index = b.index] {
            forms::reportErrors(QStringLiteral(" ctlCodeDetails::imgButtons_Click"), [&] { imgButtons_Click(index); });
        });
    }
    picPicture2_ = new QWidget(this);
    picPicture2_->setObjectName(QStringLiteral("picPicture2"));
    auto* hint = new QLabel(QStringLiteral("右键单击列表弹出操作菜单"), picPicture2_);
    hint->setObjectName(QStringLiteral("lblHint"));
    hint->move(0, 2);
    hint->adjustSize();
    hideToolPanels();
}

QString CtlCodeDetails::selectedKey() const { return tbsTabs_->tabData(tbsTabs_->currentIndex()).toString().toUpper(); }

void CtlCodeDetails::selectTab(const QString& key) {
    for (int i = 0; i < tbsTabs_->count(); ++i)
        if (tbsTabs_->tabData(i).toString().compare(key, Qt::CaseInsensitive) == 0) tbsTabs_->setCurrentIndex(i);
}

QString CtlCodeDetails::CodeWindowText() const { return window_.txtCode()->text(); }

QString CtlCodeDetails::pagePath(const QString& key) const {
    if (!item_) return QString();
    if (key == QStringLiteral("CODE")) return item_->Code();
    if (key == QStringLiteral("NOTES")) return item_->Notes();
    if (key == QStringLiteral("USAGE")) return item_->Example();
    return QString();
}

// --- Binding ---

bool CtlCodeDetails::Initialise(dao::Database& db, std::shared_ptr<core::CCodeItem> item) {
    if (!SaveShownPage()) return false;
    if (&db != &core::gWorkDB) core::gWorkDB = db;
    forms::RichTextBox* txtCode = window_.txtCode();
    if (!item || !core::gWorkDB.isOpen()) {
        hideToolPanels();
        // The editor's page belongs to the item let go: nothing of it is written any more.
        item_.reset();
        shownPath_.clear();
        timerLeft_.stop();
        LblScroll_->hide();
        Label1_->setCaption(QString());
        tbsTabs_->hide();
        tbsTabs_->setFocusPolicy(Qt::NoFocus);
        txtCode->setFocusPolicy(Qt::NoFocus);
        if (CtlFileDetails* files = window_.ctlFileDetails1()) files->hide();
        if (ReadingPanel* panel = window_.Picscroll()) panel->StartReading();
    } else {
        showToolPanels(true);
        if (ReadingPanel* panel = window_.Picscroll()) panel->hide();
        item_ = std::move(item);
        txtCode->setFocusPolicy(Qt::StrongFocus);
        tbsTabs_->setFocusPolicy(Qt::TabFocus);
        ShowCurrentTab();
        if (CtlFileDetails* files = window_.ctlFileDetails1()) files->Initialise(core::gWorkDB, item_);
        tbsTabs_->show();
        tbsTabs_->setEnabled(true);
        txtCode->setEnabled(true);
    }
    UserControl_Resize();
    return true;
}

bool CtlCodeDetails::Terminate(bool quiet) {
    const bool saved = SaveShownPage(quiet);
    item_.reset();
    shownPath_.clear();
    core::gWorkDB = dao::Database();
    return saved;
}

bool CtlCodeDetails::SaveShownPage(bool quiet) {
    if (shownPath_.isEmpty() || !item_) return true;
    forms::RichTextBox* txtCode = window_.txtCode();
    // Only what the user changed is written: a page shown and left alone stays the file it was.
    if (!txtCode->document()->isModified()) return true;
    // An item deleted meanwhile keeps no pages: writing one would bring its file back.
    if (!itemStored()) {
        shownPath_.clear();
        return true;
    }
    try {
        if (!pageReadWhole_) {
            // What the reader passed over would be gone with the first save: the original stays beside it.
            const QString copy = core::keepOriginalPage(shownPath_);
            pageReadWhole_ = true;
            vb::MsgBox(QStringLiteral("页面文件“%1”未能完整读取，保存前已将原文件另存为“%2”。")
                           .arg(QFileInfo(shownPath_).fileName(), QFileInfo(copy).fileName()),
                       vb::vbOKOnly | vb::vbInformation);
        }
        txtCode->saveFile(shownPath_);
        txtCode->document()->setModified(false);
        return true;
    } catch (const vb::Error& e) {
        if (!quiet) forms::reportError(e, QStringLiteral(" ctlCodeDetails::SaveCurrentPage"));
        return false;
    }
}

void CtlCodeDetails::KeepUnsavedPage() {
    forms::RichTextBox* txtCode = window_.txtCode();
    if (shownPath_.isEmpty() || !item_ || !txtCode->document()->isModified()) return;
    const QString name = QFileInfo(shownPath_).fileName();
    core::keepUnsavedText(QStringLiteral("条目“%1”的页面 %2").arg(item_->Description(), name), name, txtCode->textRtf());
    txtCode->document()->setModified(false);
}

bool CtlCodeDetails::itemStored() const {
    try {
        dao::Recordset rs = core::gWorkDB.openRecordset(QStringLiteral("select id from codeitems where id = ?"),
                                                        dao::dbOpenSnapshot, {core::keyValue(item_->Key())});
        const bool stored = !rs.eof();
        rs.close();
        return stored;
    } catch (const vb::Error&) {
        return true;  // when in doubt the page is written
    }
}

bool CtlCodeDetails::commitItem() {
    if (item_) item_->Commit();
    return true;
}

// --- Pages ---

void CtlCodeDetails::ShowCurrentTab() {
    const QString key = selectedKey();
    if (isTextKey(key)) {
        showToolPanels(true);
        if (CtlFileDetails* files = window_.ctlFileDetails1()) files->hide();
        window_.txtCode()->show();
        showTextPage(key);
    } else if (key == QStringLiteral("FILES")) {
        showToolPanels(false);
        window_.txtCode()->hide();
        shownPath_.clear();
        ShowFilesPage();
    }
    Label1_->setCaption(QStringLiteral(" "));
}

void CtlCodeDetails::showTextPage(const QString& key) {
    std::optional<core::chourglass> wait;
    if (key == QStringLiteral("CODE")) wait.emplace();
    const DetailPage* page = pageOf(key);
    forms::RichTextBox* txtCode = window_.txtCode();
    timerLeft_.stop();
    LblScroll_->hide();
    shownPath_.clear();
    const QString path = pagePath(key);
    try {
        if (!core::FileExists(path)) {
            txtCode->clear();
            txtCode->saveFile(path);
        }
        txtCode->loadFile(path);
        pageReadWhole_ = txtCode->loadedWhole();
    } catch (...) {
        // What the editor holds is no page of this item, so nothing may save it as one.
        txtCode->clear();
        txtCode->document()->setModified(false);
        throw;
    }
    txtCode->document()->setModified(false);
    shownPath_ = path;
    core::gCurrentRtfFile = path;
    // A page newly shown is searched from its top.
    core::gFindPos = 0;
    setCaptionPicture(QString::fromUtf16(page->image));
    currentView_ = page->view;
    emit ViewChanged(page->view);
}

void CtlCodeDetails::ShowFilesPage() {
    LblScroll_->move(Label1_->width() / 2, 0);
    LblScroll_->show();
    timerLeft_.start();
    setCaptionPicture(QStringLiteral("FILES"));
    if (CtlFileDetails* files = window_.ctlFileDetails1()) {
        files->Initialise(core::gWorkDB, item_);
        files->show();
        files->raise();
    }
    currentView_ = 4;
    emit ViewChanged(4);
}

void CtlCodeDetails::setCaptionPicture(const QString& key) {
    imgLabelKey_ = key;
    imgLabel_->setPixmap(tabImages_.picture(key));
}

// --- Tab switch ---

void CtlCodeDetails::onTabChanged(int index) {
    if (revertingTab_) return;
    const QString oldKey = tbsTabs_->tabData(tabIndex_).toString().toUpper();
    bool saved = false;
    if (!forms::reportErrors(QStringLiteral(" ctlCodeDetails::tbsTabs_BeforeClick"),
                             [&] { saved = tbsTabs_BeforeClick(oldKey); }))
        saved = false;
    if (!saved) {
        // The page that could not be saved stays on screen under its own tab.
        revertingTab_ = true;
        tbsTabs_->setCurrentIndex(tabIndex_);
        revertingTab_ = false;
        return;
    }
    tabIndex_ = index;
    forms::reportErrors(QStringLiteral(" ctlCodeDetails::tbsTabs_Click"), [this] { tbsTabs_Click(); });
}

bool CtlCodeDetails::tbsTabs_BeforeClick(const QString& oldKey) {
    if (!item_) return true;
    if (isTextKey(oldKey) && !SaveShownPage()) return false;
    commitItem();
    return true;
}

void CtlCodeDetails::tbsTabs_Click() {
    const QString newKey = selectedKey();
    if (mCurrentTabKey.compare(newKey, Qt::CaseInsensitive) == 0) return;
    if (!item_) return;  // the tabs are hidden while no item is bound
    commitItem();
    mCurrentTabKey = newKey;
    forms::RichTextBox* txtCode = window_.txtCode();
    CtlFileDetails* files = window_.ctlFileDetails1();
    txtCode->setEnabled(false);
    struct Enable {
        QWidget* w;
        ~Enable() { w->setEnabled(true); }
    } enableAgain{txtCode};
    if (files) files->hide();
    if (isTextKey(newKey)) {
        showToolPanels(true);
        txtCode->show();
        showTextPage(newKey);
    } else if (newKey == QStringLiteral("FILES")) {
        showToolPanels(false);
        txtCode->hide();
        shownPath_.clear();
        ShowFilesPage();
    }
}

// --- Tool panels and buttons ---

namespace {
// The tool panel of that name on the library window (its formatting bar lives inside this control),
// apart from this control's own.
QWidget* windowPanel(QWidget* window, const QWidget* own, const QString& name) {
    for (QWidget* w : window->findChildren<QWidget*>(name))
        if (w != own) return w;
    return nullptr;
}
}  // namespace

QWidget* CtlCodeDetails::windowBar() const { return window_.picPicture1(); }

void CtlCodeDetails::showToolPanels(bool forText) {
    if (QWidget* bar = windowBar(); bar && bar != watchedBar_) {
        bar->installEventFilter(this);
        watchedBar_ = bar;
    }
    if (QWidget* w = windowBar()) w->setVisible(forText);
    if (QWidget* w = windowPanel(&window_, picPicture2_, QStringLiteral("picPicture2"))) w->setVisible(!forText);
    picPicture1_->setVisible(forText);
    picPicture2_->setVisible(!forText);
    UserControl_Resize();
}

void CtlCodeDetails::hideToolPanels() {
    if (QWidget* w = windowBar()) w->hide();
    if (QWidget* w = windowPanel(&window_, picPicture2_, QStringLiteral("picPicture2"))) w->hide();
    picPicture1_->hide();
    picPicture2_->hide();
}

void CtlCodeDetails::imgButtons_Click(int index) {
    if (index == kSaveButton) SaveCurrentPage();
}

void CtlCodeDetails::SaveCurrentPage() {
    forms::RichTextBox* txtCode = window_.txtCode();
    const int pos = txtCode->selStart();
    {
        core::chourglass wait;
        if (isTextKey(selectedKey()) && SaveShownPage()) {
            try {
                commitItem();
            } catch (const vb::Error&) {
            }
        }
    }
    if (QAction* insert = window_.menuEntry(QStringLiteral("mnuInsert"))) insert->setVisible(true);
    txtCode->setFocus();
    txtCode->setSelStart(pos);
}

void CtlCodeDetails::imgButtons_MouseDown(int index, Qt::MouseButton button) {
    if (button != Qt::LeftButton || !imgButtons_.contains(index)) return;
    for (const ButtonPictures& b : kButtons)
        if (b.index == index) imgButtons_[index].showKey(QString::fromUtf16(b.pressed));
}

void CtlCodeDetails::imgButtons_MouseUp(int index, Qt::MouseButton button) {
    if (button != Qt::LeftButton || !imgButtons_.contains(index)) return;
    for (const ButtonPictures& b : kButtons)
        if (b.index == index) imgButtons_[index].showKey(QString::fromUtf16(b.released));
}

// --- Marquee ---

void CtlCodeDetails::LblScroll_Click() {
    if (timerLeft_.isActive()) timerLeft_.stop();
    else timerLeft_.start();
    TimerLeft_Timer();
}

void CtlCodeDetails::TimerLeft_Timer() {
    const int step = vb::twipsToPixels(kMarqueeStep) > 0 ? vb::twipsToPixels(kMarqueeStep) : 1;
    int x = LblScroll_->x() + (marqueeStep_ > 0 ? step : -step);
    if (x + LblScroll_->width() >= Label1_->width()) {
        x = std::max(0, Label1_->width() - LblScroll_->width());
        marqueeStep_ = -kMarqueeStep;
    } else if (x <= 0) {
        x = 0;
        marqueeStep_ = kMarqueeStep;
    }
    LblScroll_->move(x, LblScroll_->y());
}

// --- Layout ---

void CtlCodeDetails::UserControl_Resize() {
    if (mResizing) return;
    mResizing = true;
    const int w = twips(width());
    const int h = twips(height());
    place(imgLabel_, kMargin, kGap, kPictureWidth, kCaptionHeight);
    place(Label1_, kCaptionLeft, kGap, w - kCaptionLeft - kMargin, kCaptionHeight);
    const int tabHeight = twips(tbsTabs_->sizeHint().height());
    const int toolsWidth = 5 * kButtonStep;
    place(tbsTabs_, kMargin, kTabsTop, std::max(0, w - kMargin - toolsWidth - kMargin), tabHeight);
    const int toolsTop = kTabsTop + std::max(0, (tabHeight - kButtonWidth) / 2);
    place(picPicture1_, w - toolsWidth - kEdge, toolsTop, toolsWidth, kButtonWidth);
    // The case list's panel is as wide as its hint, which is shown whole.
    const QWidget* hint = picPicture2_->findChild<QLabel*>(QStringLiteral("lblHint"));
    const int hintWidth = std::max(toolsWidth, twips(hint->width()));
    place(picPicture2_, w - hintWidth - kEdge, toolsTop, hintWidth, std::max(kButtonWidth, twips(hint->y() + hint->height())));
    int top = kTabsTop + tabHeight;
    // The library window's formatting bar, when it sits in this control, lies above the page.
    QWidget* bar = windowBar();
    if (bar && isAncestorOf(bar) && !bar->isHidden()) {
        // The bar takes as many rows as the width leaves it.
        const int barWidth = w - 2 * kEdge;
        const int barPixels = bar->hasHeightForWidth() ? bar->heightForWidth(vb::twipsToPixels(barWidth)) : bar->height();
        const int barHeight = twips(barPixels);
        place(bar, kEdge, top, barWidth, barHeight);
        top += barHeight;
    }
    // An enlarged editor belongs to the window meanwhile and keeps its place there.
    if (isAncestorOf(window_.txtCode())) place(window_.txtCode(), kEdge, top, w - 2 * kEdge, h - top - kEdge);
    place(window_.ctlFileDetails1(), kEdge, top, w - 2 * kEdge, h - top - kEdge);
    place(window_.Picscroll(), 0, kTabsTop, w, h - kTabsTop);
    mResizing = false;
}

void CtlCodeDetails::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    UserControl_Resize();
}

bool CtlCodeDetails::eventFilter(QObject* watched, QEvent* event) {
    // The formatting bar comes and goes with the editor's focus: the page takes the room it leaves.
    if (watched == watchedBar_.data() && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        QTimer::singleShot(0, this, [this] { UserControl_Resize(); });
        return false;
    }
    if (auto* button = qobject_cast<forms::ImageButton*>(watched)) {
        const int index = button->property("Index").toInt();
        if (event->type() == QEvent::MouseButtonPress)
            imgButtons_MouseDown(index, static_cast<QMouseEvent*>(event)->button());
        else if (event->type() == QEvent::MouseButtonRelease)
            imgButtons_MouseUp(index, static_cast<QMouseEvent*>(event)->button());
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace library
