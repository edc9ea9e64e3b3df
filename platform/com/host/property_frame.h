#pragma once
// The frame that shows an object's property pages as tabs with OK, Cancel and Apply. Pages are
// created by class identifier through the class registry; Apply is enabled once a page says it is dirty.
#include "platform/com/control.h"

#include <QDialog>

class QPushButton;
class QTabWidget;

namespace com {

class PropertyFrame final : public QDialog {
public:
    // Creates the pages `pages` for `object`; a page that cannot be created is left out.
    PropertyFrame(IUnknown* object, const std::vector<Guid>& pages, const QString& caption, QWidget* parent = nullptr);
    ~PropertyFrame() override;

    int pageCount() const;
    IPropertyPage* page(int i) const;
    QTabWidget* tabs() const { return tabs_; }
    QPushButton* applyButton() const { return apply_; }

    // Applies every dirty page; Apply is then disabled.
    void apply();

    // Shows the pages the object names (ISpecifyPropertyPages) modally; false when it names none.
    static bool show(IUnknown* object, const QString& caption, QWidget* parent);

private:
    class Site;
    void pageStatusChanged();

    std::vector<ComPtr<IPropertyPage>> pages_;
    std::vector<ComPtr<Site>> sites_;
    QTabWidget* tabs_ = nullptr;
    QPushButton* apply_ = nullptr;
};

}  // namespace com
