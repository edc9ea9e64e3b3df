#pragma once
// What both property pages share: the page site, the first object given, the dirty mark, the page's
// widget, and number fields read as signed 32-bit values before they are narrowed.
#include "platform/com/control.h"
#include "splitter/module_count.h"
#include "splitter/splitter_members.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QLineEdit;

namespace splitter {

class PropertyPageBase : public com::Object<com::IPropertyPage> {
public:
    com::HResult SetPageSite(com::IPropertyPageSite* site) override;
    com::HResult Activate(QWidget* parent, QWidget** page) override;
    com::HResult Deactivate() override;
    com::HResult GetPageInfo(com::PageInfo* info) override;
    com::HResult SetObjects(const std::vector<com::IUnknown*>& objects) override;
    com::HResult IsPageDirty() override { return dirty_ ? com::S_OK : com::S_FALSE; }
    com::HResult Apply() override;

    QWidget* widget() const { return widget_.data(); }

    // The page's size: 250 x 110 dialog units of "MS Sans Serif" 8 (6 x 13 pixel base units).
    static QSize pageSize() { return {250 * 6 / 4, (110 * 13 + 4) / 8}; }

protected:
    PropertyPageBase(QString title, QString docString);
    ~PropertyPageBase() override;

    // Builds the page's controls into `page` and fills them from the object.
    virtual void build(QWidget* page) = 0;
    // Writes the page's values to the object; called only when it offers ISplitter.
    virtual void applyToObject() = 0;

    ISplitter* splitter() const { return splitter_.get(); }
    void setDirty();
    void setClean() { dirty_ = false; }
    // Loading fields from the object or the working copy must not mark the page dirty.
    bool filling() const { return filling_; }
    struct Filling {
        explicit Filling(PropertyPageBase* p) : page(p), was(p->filling_) { p->filling_ = true; }
        ~Filling() { page->filling_ = was; }
        PropertyPageBase* page;
        bool was;
    };

    // A number field with an id (its objectName is "ctl" + id) and a handler for losing the focus.
    QLineEdit* numberField(QWidget* page, int id, std::function<void(QLineEdit*)> onLeave);
    // Calls `onLeave` whenever `w` loses the focus.
    void onFocusLost(QWidget* w, std::function<void()> onLeave);
    // Calls `onShow` whenever `w` is shown.
    void onShown(QWidget* w, std::function<void()> onShow);
    // The field's number as a signed 32-bit value; false when the text is no such number.
    static bool readNumber(const QLineEdit* field, int32_t* out);
    static void showNumber(QLineEdit* field, int64_t v);
    // Property get / put on the object by DISPID.
    com::Value get(com::DispId id) const;
    void put(com::DispId id, const com::Value& v) const;

private:
    ModuleReference busy_;
    QString title_, docString_;
    com::ComPtr<com::IPropertyPageSite> site_;
    com::ComPtr<ISplitter> splitter_;
    QPointer<QWidget> widget_;
    bool dirty_ = false;
    bool filling_ = false;
};

}  // namespace splitter
