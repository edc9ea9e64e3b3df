#include "splitter/property_page_base.h"

#include <QEvent>
#include <QLineEdit>

namespace splitter {

namespace {
// Runs a callback when the watched widget receives an event of one type.
class EventWatcher final : public QObject {
public:
    EventWatcher(QWidget* w, QEvent::Type type, std::function<void()> f) : QObject(w), type_(type), f_(std::move(f)) {
        w->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == type_) f_();
        return false;
    }

private:
    QEvent::Type type_;
    std::function<void()> f_;
};
}  // namespace

PropertyPageBase::PropertyPageBase(QString title, QString docString)
    : title_(std::move(title)), docString_(std::move(docString)) {}

PropertyPageBase::~PropertyPageBase() { delete widget_.data(); }

com::HResult PropertyPageBase::SetPageSite(com::IPropertyPageSite* site) {
    site_ = com::ComPtr<com::IPropertyPageSite>(site);
    return com::S_OK;
}

com::HResult PropertyPageBase::Activate(QWidget* parent, QWidget** page) {
    delete widget_.data();
    widget_ = new QWidget(parent);
    widget_->setFixedSize(pageSize());
    // The pages are laid out for an 8-point dialog font.
    QFont font = widget_->font();
    font.setPointSize(8);
    widget_->setFont(font);
    {
        Filling f(this);
        build(widget_);
    }
    dirty_ = false;
    if (page) *page = widget_.data();
    return com::S_OK;
}

com::HResult PropertyPageBase::Deactivate() {
    delete widget_.data();
    return com::S_OK;
}

com::HResult PropertyPageBase::GetPageInfo(com::PageInfo* info) {
    if (!info) return com::E_POINTER;
    *info = com::PageInfo{title_, pageSize(), docString_};
    return com::S_OK;
}

com::HResult PropertyPageBase::SetObjects(const std::vector<com::IUnknown*>& objects) {
    splitter_ = objects.empty() ? com::ComPtr<ISplitter>() : com::queryInterface<ISplitter>(objects.front());
    return com::S_OK;
}

com::HResult PropertyPageBase::Apply() {
    if (splitter_ && widget_) applyToObject();
    dirty_ = false;
    return com::S_OK;
}

void PropertyPageBase::setDirty() {
    if (filling_ || dirty_) return;
    dirty_ = true;
    if (site_) site_->OnStatusChange(com::PROPPAGESTATUS_DIRTY | com::PROPPAGESTATUS_VALIDATE);
}

QLineEdit* PropertyPageBase::numberField(QWidget* page, int id, std::function<void(QLineEdit*)> onLeave) {
    auto* e = new QLineEdit(page);
    e->setObjectName(QStringLiteral("ctl%1").arg(id));
    QObject::connect(e, &QLineEdit::textChanged, e, [this] { setDirty(); });
    onFocusLost(e, [e, onLeave] { onLeave(e); });
    return e;
}

void PropertyPageBase::onFocusLost(QWidget* w, std::function<void()> onLeave) {
    new EventWatcher(w, QEvent::FocusOut, std::move(onLeave));
}

void PropertyPageBase::onShown(QWidget* w, std::function<void()> onShow) {
    new EventWatcher(w, QEvent::Show, std::move(onShow));
}

bool PropertyPageBase::readNumber(const QLineEdit* field, int32_t* out) {
    bool ok = false;
    const qlonglong v = field->text().trimmed().toLongLong(&ok);
    if (!ok || v < INT32_MIN || v > INT32_MAX) return false;
    *out = static_cast<int32_t>(v);
    return true;
}

void PropertyPageBase::showNumber(QLineEdit* field, int64_t v) {
    const QString t = QString::number(v);
    if (field->text() != t) field->setText(t);
}

com::Value PropertyPageBase::get(com::DispId id) const {
    com::Value v;
    if (splitter_) com::getProperty(splitter_.get(), id, &v);
    return v;
}

void PropertyPageBase::put(com::DispId id, const com::Value& v) const {
    if (splitter_) com::putProperty(splitter_.get(), id, v);
}

}  // namespace splitter
