#pragma once
// The add-bookmark dialog: a short description (250 characters at most) for a bookmark on one
// library item. A new instance each time, shown modal; OK stores the bookmark.
#include "platform/forms/form.h"

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace core {
class CCodeItem;
}
namespace dao {
class Database;
}

namespace library {

class FrmAddBookmark : public forms::Form {
    Q_OBJECT
public:
    static constexpr int kMaxDescription = 250;

    FrmAddBookmark();
    ~FrmAddBookmark() override;

    // Keeps the item, makes `db` the shared work database and shows the item's title.
    void Initialise(dao::Database& db, const std::shared_ptr<core::CCodeItem>& item);
    bool Cancelled() const { return cancelled_; }

    QLabel* lblcodeitem() const { return lblcodeitem_; }
    QLineEdit* txtBookmark() const { return txtBookmark_; }
    QPushButton* cmdok() const { return cmdok_; }
    QPushButton* cmdcancel() const { return cmdcancel_; }

    void txtBookmark_Change();
    void cmdOk_Click();
    void cmdcancel_Click();

protected:
    void Form_Unload(int& cancel) override;

private:
    std::shared_ptr<core::CCodeItem> item_;
    bool cancelled_ = false;
    QString accepted_;
    QLabel* lblcodeitem_;
    QLineEdit* txtBookmark_;
    QPushButton* cmdok_;
    QPushButton* cmdcancel_;
};

}  // namespace library
