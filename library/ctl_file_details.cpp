#include "library/ctl_file_details.h"

#include "core/code_item.h"
#include "core/file_object.h"
#include "core/globals.h"
#include "core/listview_helpers.h"
#include "core/wait_cursor.h"
#include "library/chart_window_link.h"
#include "library/frm_calendar.h"
#include "platform/com/host/control_host.h"
#include "platform/dao/dao.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/error_report.h"
#include "platform/forms/listview.h"
#include "platform/vb/folders.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/twips.h"

#include <QAction>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSplitter>

namespace library {

namespace {

constexpr char16_t kDeleteTag[] = u"::ctlFileDetails_DeleteFile";
constexpr char16_t kDropTag[] = u"::lvFiles_OLEDragDrop";

// Fields shown as sub-items 1 … 10, in column order.
constexpr const char16_t* kSubItemFields[] = {u"NAME",     u"xingbie", u"borntime", u"guatime", u"id",
                                              u"savetime", u"address", u"tel",      u"why",     u"jielun"};
constexpr int kIdSubItem = 5;

struct PopupEntry {
    const char16_t* name;
    const char16_t* caption;
};
constexpr PopupEntry kPopupEntries[] = {
    {u"mnuAddFile", u"排命盘"},      {u"MnuGrid", u"网格"},
    {u"mnuDeleteFile", u"删除"},     {u"MnuWide", u"宽度调整"},
    {u"MnuLvfilesFcolor", u"前景颜色"}, {u"MnuLvfilesBcolor", u"背景颜色"},
    {u"mnuquanji", u""},
};

QString fieldText(const vb::Variant& v) {
    if (v.isNull() || v.isEmpty()) return QString();
    try {
        return v.toString();
    } catch (const vb::Error&) {
        return QString();
    }
}

QString lastDigits(long long n, int width) { return (QStringLiteral("000000") + QString::number(n)).right(width); }

void setPaneFont(QPlainTextEdit* pane, int points) {
    QFont f = pane->font();
    f.setPointSize(points);
    pane->setFont(f);
}

}  // namespace

CtlFileDetails::CtlFileDetails(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ctlFileDetails1"));
    fraFile_ = new QFrame(this);
    fraFile_->setObjectName(QStringLiteral("fraFile"));
    fraFile_->setFrameShape(QFrame::Box);

    lvFiles_ = new forms::ListView(QStringLiteral("lvFiles"), this);
    lvFiles_->setToolTip(QStringLiteral("双击空表格排一新命盘，双击有内容的表格列出对应的命盘，点击右键可弹出操作菜单"));
    lvFiles_->setView(forms::lvwReport);
    int column = 0;
    for (const char16_t* header : kCaseListHeaders) {
        ++column;
        const bool left = column == 1 || column == 6;
        lvFiles_->addColumn(QString::fromUtf16(header), forms::ListView::kDefaultColumnTwips,
                            left ? forms::lvwColumnLeft : forms::lvwColumnRight);
    }
    lvFiles_->setExtendedStyle(lvFiles_->extendedStyle() | forms::lvsExFullRowSelect);
    core::SetListViewExStyle(lvFiles_, forms::lvsExGridLines, gridLines_);
    core::SetListViewExStyle(lvFiles_, forms::lvsExFullRowSelect, true);
    core::SetListViewExStyle(lvFiles_, forms::lvsExTrackSelect, true);
    lvFiles_->installEventFilter(this);
    lvFiles_->viewport()->installEventFilter(this);
    lvFiles_->viewport()->setAcceptDrops(true);
    connect(lvFiles_, &forms::ListView::columnClick, this, [this](int c) {
        lvFiles_->setSortKey(c);
        lvFiles_->setSorted(true);
    });
    setFocusProxy(lvFiles_);

    splittertxt1_ = new QPlainTextEdit(this);
    splittertxt1_->setObjectName(QStringLiteral("splittertxt1"));
    splittertxt2_ = new QPlainTextEdit(this);
    splittertxt2_->setObjectName(QStringLiteral("splittertxt2"));
    for (QPlainTextEdit* pane : {splittertxt1_, splittertxt2_}) pane->setReadOnly(true);

    buildMenu();
    hostPanes();
}

CtlFileDetails::~CtlFileDetails() = default;

void CtlFileDetails::buildMenu() {
    mnuPopup_ = new QMenu(QStringLiteral("popup"), this);
    mnuPopup_->setObjectName(QStringLiteral("mnuPopup"));
    for (const PopupEntry& e : kPopupEntries) {
        QAction* a = mnuPopup_->addAction(QString::fromUtf16(e.caption));
        a->setObjectName(QString::fromUtf16(e.name));
    }
    auto on = [this](const char* name, void (CtlFileDetails::*handler)()) {
        connect(menuEntry(QString::fromLatin1(name)), &QAction::triggered, this, [this, name, handler] {
            forms::reportErrors(QStringLiteral(" ctlFileDetails::%1_Click").arg(QString::fromLatin1(name)),
                                [this, handler] { (this->*handler)(); });
        });
    };
    on("mnuAddFile", &CtlFileDetails::mnuAddFile_Click);
    on("MnuGrid", &CtlFileDetails::MnuGrid_Click);
    on("mnuDeleteFile", &CtlFileDetails::DeleteFile);
    on("MnuWide", &CtlFileDetails::MnuWide_Click);
    on("MnuLvfilesFcolor", &CtlFileDetails::LvfilesFColor);
    on("MnuLvfilesBcolor", &CtlFileDetails::LvfilesBColor);
    QFont bold = menuEntry(QStringLiteral("MnuGrid"))->font();
    bold.setBold(true);
    menuEntry(QStringLiteral("MnuGrid"))->setFont(bold);
    mnuPopup_->setDefaultAction(menuEntry(QStringLiteral("MnuGrid")));
}

QAction* CtlFileDetails::menuEntry(const QString& name) const { return mnuPopup_->findChild<QAction*>(name); }

void CtlFileDetails::hostPanes() {
    try {
        splitter_ = com::hostSplitter(this, vb::joinPath(vb::programFolder(), QString::fromLatin1(com::kCaseListLayout)),
                                      {lvFiles_, splittertxt2_, splittertxt1_});
        splitter_->window()->setObjectName(QStringLiteral("Splitter1"));
    } catch (const vb::Error&) {
        // Without the control (a copy of the program that lacks its library) the panes still work,
        // stacked in a plain splitter.
        auto* panes = new QSplitter(Qt::Vertical, this);
        panes->setObjectName(QStringLiteral("Splitter1"));
        panes->addWidget(lvFiles_);
        panes->addWidget(splittertxt2_);
        panes->addWidget(splittertxt1_);
        panes->setSizes({200, 60, 60});
        fallbackPanes_ = panes;
    }
}

int32_t CtlFileDetails::itemId() const {
    if (!item_) return 0;
    bool ok = false;
    const int32_t id = item_->Key().toInt(&ok);
    return ok ? id : 0;
}

int32_t CtlFileDetails::recordId(const QTreeWidgetItem* row) {
    if (!row) return 0;
    bool ok = false;
    const int32_t id = forms::ListView::key(row).mid(3).toInt(&ok);
    return ok ? id : 0;
}

void CtlFileDetails::Initialise(dao::Database& db, std::shared_ptr<core::CCodeItem> item) {
    splittertxt1_->setPlainText(QStringLiteral(" "));
    splittertxt2_->setPlainText(QStringLiteral(" "));
    item_ = std::move(item);
    if (&db != &core::gWorkDB) core::gWorkDB = db;
    PopulateListView();
}

void CtlFileDetails::Terminate() {
    lvFiles_->clearItems();
    item_.reset();
    core::gWorkDB = dao::Database();
}

void CtlFileDetails::PopulateListView() {
    // Listing never fails: a row or field that cannot be read is left out.
    lvFiles_->clearItems();
    if (!item_ || !core::gWorkDB.isOpen()) return;
    try {
        dao::Recordset rs = core::gWorkDB.openRecordset(QStringLiteral("select * from codefiles where codeid = ?"),
                                                        dao::dbOpenSnapshot, {core::keyValue(item_->Key())});
        int n = 0;
        while (!rs.eof()) {
            ++n;
            try {
                const QString id = fieldText(rs.value(QStringLiteral("ID")));
                QTreeWidgetItem* row = lvFiles_->addItem(QStringLiteral("ID=") + id, lastDigits(n, 6));
                int sub = 0;
                for (const char16_t* field : kSubItemFields) {
                    ++sub;
                    try {
                        QString text = fieldText(rs.value(QString::fromUtf16(field)));
                        if (sub == kIdSubItem) text = lastDigits(text.toLongLong(), 7);
                        forms::ListView::setSubItem(row, sub, text);
                    } catch (const vb::Error&) {
                    }
                }
            } catch (const vb::Error&) {
            }
            rs.moveNext();
        }
        rs.close();
    } catch (const vb::Error&) {
    }
    // The columns fit what was listed, as 宽度调整 fits them.
    core::SetAllColumnWidths(lvFiles_, forms::lvscwAutoSizeUseHeader);
}

void CtlFileDetails::lvFiles_Click() {
    core::chourglass wait;
    QTreeWidgetItem* current = lvFiles_->currentItem();
    if (current && current->isSelected()) {
        setPaneFont(splittertxt1_, 12);
        setPaneFont(splittertxt2_, 12);
        splittertxt1_->setPlainText(forms::ListView::subItem(current, 9));
        splittertxt2_->setPlainText(forms::ListView::subItem(current, 10));
    } else if (current) {
        setPaneFont(splittertxt1_, 12);
        setPaneFont(splittertxt2_, 12);
        splittertxt1_->setPlainText(QStringLiteral("此栏显示事由"));
        splittertxt2_->setPlainText(QStringLiteral("此栏显示结论"));
    } else {
        setPaneFont(splittertxt1_, 36);
        setPaneFont(splittertxt2_, 36);
        splittertxt1_->clear();
        splittertxt2_->clear();
    }
}

void CtlFileDetails::lvFiles_DblClick(QTreeWidgetItem* row) {
    core::chourglass wait;
    if (row) {
        lvFiles_->setCurrentItem(row);
        row->setSelected(true);
        ExportFile(row);
    } else {
        mnuAddFile_Click();
    }
}

void CtlFileDetails::mnuAddFile_Click() {
    const int32_t id = itemId();
    if (id == 0) return;  // no item is bound: there is nothing to add a case to
    core::gCodeID = id;
    showFrmcalendar(id);
}

bool CtlFileDetails::ExportFile(QTreeWidgetItem* row) {
    if (!row) return false;
    const QString born = forms::ListView::subItem(row, 3);
    vb::Date birth;
    if (!vb::Date::parse(born.trimmed(), &birth)) {
        vb::MsgBox(QStringLiteral("出生时间“%1”不是有效的日期时间，无法排出命盘。").arg(born), vb::vbOKOnly | vb::vbExclamation);
        return false;
    }
    const bool isMale = forms::ListView::subItem(row, 2) == QStringLiteral("男");
    return openChartWindow(birth, isMale, recordId(row), forms::ListView::subItem(row, 1));
}

void CtlFileDetails::DeleteFile() {
    QTreeWidgetItem* row = lvFiles_->selectedItem();
    if (!row) return;
    try {
        const int32_t id = recordId(row);
        if (vb::MsgBox(QStringLiteral("真的要删除这一选定的条目吗？"), vb::vbYesNo | vb::vbQuestion | vb::vbDefaultButton2,
                       QStringLiteral("Delete")) != vb::vbYes)
            return;
        core::CFileObject record;
        record.Initialise(core::gWorkDB, QString::number(id));
        record.Delete();
        record.Commit();
        lvFiles_->removeItem(row);
        lvFiles_Click();
    } catch (const vb::Error& e) {
        forms::reportError(e, QString::fromUtf16(kDeleteTag));
    }
}

void CtlFileDetails::showPopup(const QPoint& pos) {
    QTreeWidgetItem* row = lvFiles_->itemAt(pos);
    if (row) {
        lvFiles_->setCurrentItem(row);
        lvFiles_->clearSelection();
        row->setSelected(true);
    }
    menuEntry(QStringLiteral("mnuAddFile"))->setEnabled(true);
    menuEntry(QStringLiteral("mnuDeleteFile"))->setEnabled(row != nullptr);
    mnuPopup_->popup(lvFiles_->viewport()->mapToGlobal(pos));
}

void CtlFileDetails::MnuGrid_Click() {
    gridLines_ = !gridLines_;
    const uint32_t style = lvFiles_->extendedStyle();
    lvFiles_->setExtendedStyle(gridLines_ ? style | forms::lvsExGridLines : style & ~uint32_t(forms::lvsExGridLines));
}

void CtlFileDetails::MnuWide_Click() {
    lvFiles_->hide();
    core::SetAllColumnWidths(lvFiles_, forms::lvscwAutoSizeUseHeader);
    lvFiles_->show();
}

void CtlFileDetails::LvfilesBColor() {
    if (auto colour = forms::chooseColor(window()); colour) setColours(*colour, true);
}

void CtlFileDetails::LvfilesFColor() {
    if (auto colour = forms::chooseColor(window()); colour) setColours(*colour, false);
}

void CtlFileDetails::setColours(vb::OleColor colour, bool background) {
    if (background) lvFiles_->setBackColor(colour);
    else lvFiles_->setForeColor(colour);
    for (QPlainTextEdit* pane : {splittertxt1_, splittertxt2_}) {
        QPalette p = pane->palette();
        p.setColor(background ? QPalette::Base : QPalette::Text, vb::toQColor(colour));
        pane->setPalette(p);
    }
}

void CtlFileDetails::lvFiles_GotFocus() {
    if (core::gCodeID == 0) return;
    PopulateListView();
    core::gCodeID = 0;
}

void CtlFileDetails::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int w = width(), h = height();
    fraFile_->setGeometry(0, 0, w, h);
    const int inset = vb::twipsToPixels(50);
    QWidget* panes = splitter_ ? splitter_->window() : fallbackPanes_;
    if (panes) panes->setGeometry(inset, 0, std::max(0, w - inset), h);
    try {
        core::AutoSizeLastColumn(lvFiles_);
    } catch (const vb::Error&) {
    }
}

bool CtlFileDetails::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lvFiles_) {
        if (event->type() == QEvent::FocusIn) {
            forms::reportErrors(QStringLiteral(" ctlFileDetails::lvFiles_GotFocus"), [this] { lvFiles_GotFocus(); });
        } else if (event->type() == QEvent::KeyRelease) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Backspace || key == Qt::Key_Delete) DeleteFile();
        }
    } else if (watched == lvFiles_->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(event);
            if (me->button() == Qt::LeftButton) lvFiles_Click();
            else showPopup(me->position().toPoint());
            break;
        }
        case QEvent::MouseButtonDblClick: {
            auto* me = static_cast<QMouseEvent*>(event);
            if (me->button() == Qt::LeftButton) {
                QTreeWidgetItem* row = lvFiles_->itemAt(me->position().toPoint());
                forms::reportErrors(QStringLiteral(" ctlFileDetails::lvFiles_DblClick"), [&] { lvFiles_DblClick(row); });
                return true;
            }
            break;
        }
        case QEvent::DragEnter:
        case QEvent::DragMove:
            static_cast<QDropEvent*>(event)->acceptProposedAction();
            return true;
        case QEvent::Drop:
            // Dropped files are not stored; the rows are listed again.
            static_cast<QDropEvent*>(event)->acceptProposedAction();
            forms::reportErrors(QString::fromUtf16(kDropTag), [this] { PopulateListView(); });
            return true;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace library
