#pragma once
// Recording sinks for the control's events and property notifications, and a control with a
// container site and window on a host widget.
#include "platform/com/connection_points.h"
#include "platform/com/host/container_site.h"
#include "splitter/splitter_control.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace splittertest {

struct Call {
    com::DispId id;
    std::vector<com::Value> args;
};

class EventSink final : public com::Object<com::IDispatch> {
public:
    std::vector<Call> calls;
    int count(com::DispId id) const {
        int n = 0;
        for (const auto& c : calls) n += c.id == id;
        return n;
    }
    com::HResult GetIDsOfNames(const QString&, com::DispId*) override { return com::E_NOTIMPL; }
    com::HResult Invoke(com::DispId id, com::InvokeKind, const std::vector<com::Value>& args, com::Value*) override {
        calls.push_back({id, args});
        return com::S_OK;
    }

protected:
    com::HResult queryOther(const com::Guid& iid, void** out) override {
        if (iid != splitter::kDiidISplitterEvents) return com::E_NOINTERFACE;
        AddRef();
        *out = static_cast<com::IDispatch*>(this);
        return com::S_OK;
    }
};

class NotifySink final : public com::Object<com::IPropertyNotifySink> {
public:
    std::vector<com::DispId> changed;
    com::HResult OnChanged(com::DispId id) override {
        changed.push_back(id);
        return com::S_OK;
    }
    com::HResult OnRequestEdit(com::DispId) override { return com::S_OK; }
};

// Advises `sink` on the control's connection point `iid`.
inline com::Cookie advise(splitter::SplitterControl* c, const com::Guid& iid, com::IUnknown* sink) {
    com::ComPtr<com::IConnectionPoint> cp;
    c->FindConnectionPoint(iid, cp.put());
    com::Cookie cookie = 0;
    if (cp) cp->Advise(sink, &cookie);
    return cookie;
}

// A control in a host widget: its site, window and contained widgets as a host sets them up.
struct Hosted {
    std::unique_ptr<QWidget> host = std::make_unique<QWidget>();
    com::ComPtr<splitter::SplitterControl> control = com::make<splitter::SplitterControl>();
    com::ComPtr<com::ContainerSite> site = com::make<com::ContainerSite>();
    QWidget* window = nullptr;

    explicit Hosted(QSize size, bool userMode = true) {
        host->resize(size + QSize(20, 20));
        site->setUserMode(userMode);
        control->SetClientSite(site.get());
        control->Activate(host.get(), &window);
        window->setGeometry(QRect(QPoint(0, 0), size));
    }
    // Widgets named `names` (children of the control's window) offered as contained controls.
    std::vector<QWidget*> contain(const QStringList& names) {
        std::vector<QWidget*> out;
        QList<QWidget*> list;
        for (const QString& n : names) {
            auto* w = new QWidget(window);
            w->setObjectName(n);
            out.push_back(w);
            list << w;
        }
        site->setContained(list);
        return out;
    }
    ~Hosted() {
        site->clear();
        control->Close();
        control->SetClientSite(nullptr);
    }
    com::Value get(splitter::Dispid id) {
        com::Value v;
        control->Invoke(id, com::InvokeKind::PropertyGet, {}, &v);
        return v;
    }
    void put(splitter::Dispid id, const com::Value& v) { control->Invoke(id, com::InvokeKind::PropertyPut, {v}, nullptr); }
};

}  // namespace splittertest
