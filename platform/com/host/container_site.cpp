#include "platform/com/host/container_site.h"

#include "platform/vb/twips.h"

#include <array>

namespace com {

namespace {

enum ExtenderId : DispId { kName = 1, kIndex, kLeft, kTop, kWidth, kHeight, kVisible };
constexpr std::array<const char*, 7> kExtenderNames{"Name", "Index", "Left", "Top", "Width", "Height", "Visible"};

bool arrayIndex(const QWidget* w, int32_t* out) {
    for (const char* name : {"Index", "index"}) {
        const QVariant v = w->property(name);
        bool ok = false;
        const int i = v.isValid() ? v.toInt(&ok) : 0;
        if (ok) {
            *out = i;
            return true;
        }
    }
    return false;
}

// One contained control as the enumeration hands it out: an object with a client site whose control
// site gives the extender.
class ContainedControl final : public Object<IOleObject, IOleClientSite, IOleControlSite> {
public:
    explicit ContainedControl(ComPtr<WidgetExtender> extender) : extender_(std::move(extender)) {}

    HResult SetClientSite(IOleClientSite*) override { return E_NOTIMPL; }
    HResult GetClientSite(IOleClientSite** out) override {
        if (!out) return E_POINTER;
        AddRef();
        *out = this;
        return S_OK;
    }
    HResult SetExtent(const QSize&) override { return E_NOTIMPL; }
    HResult GetExtent(QSize*) override { return E_NOTIMPL; }
    HResult Activate(QWidget*, QWidget**) override { return E_NOTIMPL; }
    HResult Close() override { return S_OK; }
    HResult GetContainer(IUnknown**) override { return E_NOTIMPL; }
    HResult GetExtendedControl(IDispatch** out) override {
        if (!out) return E_POINTER;
        if (!extender_->widget()) return E_FAIL;  // the widget is gone
        *out = ComPtr<IDispatch>(extender_).detach();
        return S_OK;
    }
    HResult OnFocus(bool) override { return S_OK; }

private:
    ComPtr<WidgetExtender> extender_;
};

class ListEnumerator final : public Object<IEnumUnknown> {
public:
    explicit ListEnumerator(std::vector<ComPtr<IUnknown>> items) : items_(std::move(items)) {}
    HResult Next(IUnknown** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (at_ >= items_.size()) return S_FALSE;
        *out = ComPtr<IUnknown>(items_[at_++]).detach();
        return S_OK;
    }
    HResult Reset() override {
        at_ = 0;
        return S_OK;
    }

private:
    std::vector<ComPtr<IUnknown>> items_;
    std::size_t at_ = 0;
};

}  // namespace

HResult WidgetExtender::GetIDsOfNames(const QString& name, DispId* id) {
    if (!id) return E_POINTER;
    for (std::size_t i = 0; i < kExtenderNames.size(); ++i) {
        if (name.compare(QLatin1String(kExtenderNames[i]), Qt::CaseInsensitive) == 0) {
            *id = static_cast<DispId>(i + 1);
            return S_OK;
        }
    }
    return DISP_E_UNKNOWNNAME;
}

HResult WidgetExtender::Invoke(DispId id, InvokeKind kind, const std::vector<Value>& args, Value* result) {
    QWidget* w = widget_.data();
    if (!w) return E_FAIL;
    if (kind == InvokeKind::PropertyGet || kind == InvokeKind::Method) {
        Value v;
        switch (id) {
        case kName: v = Value(w->objectName()); break;
        case kIndex: {
            int32_t i = 0;
            if (!arrayIndex(w, &i)) return DISP_E_MEMBERNOTFOUND;
            v = Value(int16_t(i));
            break;
        }
        case kLeft: v = Value(int32_t(vb::pixelsToTwips(w->x()))); break;
        case kTop: v = Value(int32_t(vb::pixelsToTwips(w->y()))); break;
        case kWidth: v = Value(int32_t(vb::pixelsToTwips(w->width()))); break;
        case kHeight: v = Value(int32_t(vb::pixelsToTwips(w->height()))); break;
        case kVisible: v = Value(!w->isHidden()); break;
        default: return DISP_E_MEMBERNOTFOUND;
        }
        if (result) *result = v;
        return S_OK;
    }
    if (args.size() != 1) return DISP_E_BADPARAMCOUNT;
    if (id == kVisible) {
        bool ok = false;
        const bool on = args[0].toBool(&ok);
        if (!ok) return DISP_E_TYPEMISMATCH;
        w->setVisible(on);
        ++writes_;
        return S_OK;
    }
    if (id < kLeft || id > kHeight) return DISP_E_MEMBERNOTFOUND;
    bool ok = false;
    const double twips = args[0].toDouble(&ok);
    if (!ok) return DISP_E_TYPEMISMATCH;
    const int px = vb::twipsToPixels(twips);
    QRect g = w->geometry();
    switch (id) {
    case kLeft: g.moveLeft(px); break;
    case kTop: g.moveTop(px); break;
    case kWidth: g.setWidth(std::max(px, 0)); break;
    default: g.setHeight(std::max(px, 0)); break;
    }
    w->setGeometry(g);
    ++writes_;
    return S_OK;
}

void ContainerSite::setContained(const QList<QWidget*>& widgets) {
    clear();
    for (QWidget* w : widgets) {
        auto ext = make<WidgetExtender>(w);
        extenders_.push_back(ext);
        contained_.push_back(ComPtr<IUnknown>(make<ContainedControl>(ext)->unknown()));
    }
}

QList<QWidget*> ContainerSite::contained() const {
    QList<QWidget*> out;
    for (const auto& e : extenders_)
        if (e->widget()) out << e->widget();
    return out;
}

int ContainerSite::extenderWrites() const {
    int n = 0;
    for (const auto& e : extenders_) n += e->writes();
    return n;
}

void ContainerSite::clear() {
    contained_.clear();
    extenders_.clear();
}

HResult ContainerSite::GetContainer(IUnknown** out) {
    if (!out) return E_POINTER;
    AddRef();
    *out = static_cast<IVBGetControl*>(this);
    return S_OK;
}

HResult ContainerSite::GetExtendedControl(IDispatch** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!self_) return E_NOTIMPL;
    *out = ComPtr<IDispatch>(self_).detach();
    return S_OK;
}

HResult ContainerSite::GetIDsOfNames(const QString& name, DispId* id) {
    if (!id) return E_POINTER;
    if (name.compare(QLatin1String("UserMode"), Qt::CaseInsensitive) != 0) return DISP_E_UNKNOWNNAME;
    *id = DISPID_AMBIENT_USERMODE;
    return S_OK;
}

HResult ContainerSite::Invoke(DispId id, InvokeKind kind, const std::vector<Value>&, Value* result) {
    if (id != DISPID_AMBIENT_USERMODE || kind == InvokeKind::PropertyPut) return DISP_E_MEMBERNOTFOUND;
    if (result) *result = Value(userMode_);
    return S_OK;
}

HResult ContainerSite::EnumControls(uint32_t, uint32_t which, IEnumUnknown** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (which != GC_WCH_CONTAINED) return E_NOTIMPL;
    *out = make<ListEnumerator>(contained_).detach();
    return S_OK;
}

}  // namespace com
