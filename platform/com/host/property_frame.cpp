#include "platform/com/host/property_frame.h"

#include "platform/com/host/class_loader.h"
#include "platform/vb/dialog_frame.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace com {

class PropertyFrame::Site final : public Object<IPropertyPageSite> {
public:
    explicit Site(PropertyFrame* frame) : frame_(frame) {}
    HResult OnStatusChange(uint32_t) override {
        if (frame_) frame_->pageStatusChanged();
        return S_OK;
    }
    void detach() { frame_ = nullptr; }

private:
    PropertyFrame* frame_;
};

PropertyFrame::PropertyFrame(IUnknown* object, const std::vector<Guid>& pages, const QString& caption, QWidget* parent)
    : QDialog(parent) {
    vb::setDialogFrame(*this);
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    layout->addWidget(tabs_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    apply_ = buttons->button(QDialogButtonBox::Apply);
    apply_->setEnabled(false);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        apply();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(apply_, &QPushButton::clicked, this, [this] { apply(); });

    for (const Guid& clsid : pages) {
        auto page = createInstance<IPropertyPage>(clsid);
        if (!page) continue;
        auto site = make<Site>(this);
        page->SetPageSite(site.get());
        page->SetObjects({object});
        PageInfo info;
        page->GetPageInfo(&info);
        auto* holder = new QWidget(tabs_);
        QWidget* content = nullptr;
        page->Activate(holder, &content);
        if (content) holder->setMinimumSize(content->size());
        tabs_->addTab(holder, info.title);
        pages_.push_back(page);
        sites_.push_back(site);
    }
}

PropertyFrame::~PropertyFrame() {
    for (auto& s : sites_) s->detach();
    for (auto& p : pages_) {
        p->Deactivate();
        p->SetPageSite(nullptr);
        p->SetObjects({});
    }
}

int PropertyFrame::pageCount() const { return static_cast<int>(pages_.size()); }

IPropertyPage* PropertyFrame::page(int i) const { return pages_.at(static_cast<std::size_t>(i)).get(); }

void PropertyFrame::apply() {
    for (auto& p : pages_)
        if (p->IsPageDirty() == S_OK) p->Apply();
    apply_->setEnabled(false);
}

void PropertyFrame::pageStatusChanged() { apply_->setEnabled(true); }

bool PropertyFrame::show(IUnknown* object, const QString& caption, QWidget* parent) {
    auto specify = queryInterface<ISpecifyPropertyPages>(object);
    std::vector<Guid> pages;
    if (!specify || failed(specify->GetPages(&pages)) || pages.empty()) return false;
    PropertyFrame frame(object, pages, caption, parent);
    if (frame.pageCount() == 0) return false;
    frame.exec();
    return true;
}

}  // namespace com
