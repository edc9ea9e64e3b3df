#pragma once
// The case list `ctlFileDetails1`: the person records (cases) of the current library item, rows of
// table codefiles, with the reason and conclusion of the selected case in two panes below. The list
// and the panes sit in the panes of the hosted splitter control `Splitter1`. A double-click opens a
// case's chart or adds a case, the pop-up menu adds, deletes, toggles grid lines, fits columns and
// sets colours. The list reloads when it gains the focus while gCodeID is not 0 (the signal the
// new-case dialog and the chart window leave when they close).
#include "platform/vb/colour.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <memory>

class QAction;
class QFrame;
class QMenu;
class QPlainTextEdit;
class QTreeWidgetItem;

namespace com {
class ControlHost;
}
namespace core {
class CCodeItem;
}
namespace dao {
class Database;
}
namespace forms {
class ListView;
}

namespace library {

// Column headers of the list, in order.
inline constexpr const char16_t* kCaseListHeaders[] = {
    u"序号    ", u"姓名      ", u"性别     ", u"出生时间  ", u"排命盘时间 ", u"编号      ",
    u"保存时间", u"地址      ", u"电话      ", u"事由      ", u"结论     ", u"随机号"};

class CtlFileDetails : public QWidget {
    Q_OBJECT
public:
    explicit CtlFileDetails(QWidget* parent = nullptr);
    ~CtlFileDetails() override;

    // Binds the list to `item` (null: none) and lists its cases.
    void Initialise(dao::Database& db, std::shared_ptr<core::CCodeItem> item);
    void Terminate();
    void LvfilesBColor();
    void LvfilesFColor();

    // --- Event handlers (public so that tests drive them as the events do) ---
    void PopulateListView();
    void lvFiles_Click();
    void lvFiles_DblClick(QTreeWidgetItem* row);
    void mnuAddFile_Click();
    // Opens the chart of `row`; false when it was not opened.
    bool ExportFile(QTreeWidgetItem* row);
    void DeleteFile();
    // The pop-up for the pointer at `pos` (lvFiles' viewport); the row there is selected first.
    void showPopup(const QPoint& pos);
    void MnuGrid_Click();
    void MnuWide_Click();
    void lvFiles_GotFocus();

    // --- Controls and state ---
    forms::ListView* lvFiles() const { return lvFiles_; }
    QPlainTextEdit* splittertxt1() const { return splittertxt1_; }
    QPlainTextEdit* splittertxt2() const { return splittertxt2_; }
    QMenu* mnuPopup() const { return mnuPopup_; }
    QAction* menuEntry(const QString& name) const;
    com::ControlHost* Splitter1() const { return splitter_.get(); }
    bool gridLines() const { return gridLines_; }
    // The id of the item whose cases are listed; 0 for none.
    int32_t itemId() const;
    // A row's record id, from its key "ID=<id>"; 0 for none.
    static int32_t recordId(const QTreeWidgetItem* row);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void hostPanes();
    void setColours(vb::OleColor colour, bool background);

    std::shared_ptr<core::CCodeItem> item_;
    bool gridLines_ = true;

    QFrame* fraFile_ = nullptr;
    forms::ListView* lvFiles_ = nullptr;
    QPlainTextEdit* splittertxt1_ = nullptr;
    QPlainTextEdit* splittertxt2_ = nullptr;
    QMenu* mnuPopup_ = nullptr;
    std::unique_ptr<com::ControlHost> splitter_;
    QWidget* fallbackPanes_ = nullptr;
};

}  // namespace library
