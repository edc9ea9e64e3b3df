#include "splitter/container_client.h"

#include "platform/vb/codepage936.h"

namespace splitter {

template <class F>
bool ContainerClient::forEachExtender(F&& f) const {
    if (!site_) return false;
    auto getControl = com::queryInterface<com::IVBGetControl>(site_);
    if (!getControl) return false;
    com::ComPtr<com::IEnumUnknown> controls;
    if (com::failed(getControl->EnumControls(com::OLECONTF_EMBEDDINGS | com::OLECONTF_OTHERS, com::GC_WCH_CONTAINED,
                                             controls.put())) ||
        !controls)
        return false;
    for (;;) {
        com::ComPtr<com::IUnknown> item;
        if (controls->Next(item.put()) != com::S_OK || !item) break;
        auto object = com::queryInterface<com::IOleObject>(item);
        if (!object) continue;
        com::ComPtr<com::IOleClientSite> itsSite;
        if (com::failed(object->GetClientSite(itsSite.put())) || !itsSite) continue;
        auto controlSite = com::queryInterface<com::IOleControlSite>(itsSite);
        if (!controlSite) continue;
        com::ComPtr<com::IDispatch> extender;
        if (com::failed(controlSite->GetExtendedControl(extender.put())) || !extender) continue;
        f(extender.get());
    }
    return true;
}

bool ContainerClient::panelName(com::IDispatch* extender, QString* out) {
    com::Value name;
    if (com::failed(com::getProperty(extender, QStringLiteral("Name"), &name))) return false;
    bool ok = false;
    QString text = name.toString(&ok);
    if (!ok) return false;
    com::Value index;
    if (com::succeeded(com::getProperty(extender, QStringLiteral("Index"), &index))) {
        bool isNumber = false;
        const int32_t i = index.toInt32(&isNumber);
        if (isNumber && i >= 0) text += QStringLiteral("(%1)").arg(i);
    }
    *out = text;
    return true;
}

bool ContainerClient::writeProperty(com::IDispatch* extender, const QString& name, const com::Value& v) {
    com::DispId id = com::DISPID_UNKNOWN;
    if (com::failed(extender->GetIDsOfNames(name, &id))) return false;
    com::Value now;
    if (com::succeeded(com::getProperty(extender, id, &now)) && com::Value::sameValue(now, v)) return true;
    return com::succeeded(com::putProperty(extender, id, v));
}

namespace {
bool noControl(const QByteArray& name) { return name.isEmpty() || name == kNoControl; }
}  // namespace

bool ContainerClient::writeToPanel(const QByteArray& name, std::initializer_list<Property> properties) {
    if (noControl(name)) return true;
    bool matched = false, written = true;
    const bool enumerated = forEachExtender([&](com::IDispatch* ext) {
        QString panel;
        if (!panelName(ext, &panel) || vb::toCp936(panel) != name) return;
        matched = true;
        for (const auto& [property, value] : properties) written = writeProperty(ext, property, value) && written;
    });
    return enumerated && matched && written;
}

bool ContainerClient::place(const QByteArray& name, const QRect& px) {
    return writeToPanel(name, {{QStringLiteral("Left"), com::Value(pixelsToTwips(px.left()))},
                               {QStringLiteral("Top"), com::Value(pixelsToTwips(px.top()))},
                               {QStringLiteral("Width"), com::Value(pixelsToTwips(px.width()))},
                               {QStringLiteral("Height"), com::Value(pixelsToTwips(px.height()))}});
}

bool ContainerClient::show(const QByteArray& name, bool shown) {
    return writeToPanel(name, {{QStringLiteral("Visible"), com::Value(shown)}});
}

int ContainerClient::listControls(QStringList* names) const {
    int added = 0;
    forEachExtender([&](com::IDispatch* ext) {
        QString panel;
        if (!panelName(ext, &panel)) return;
        names->append(panel);
        ++added;
    });
    return added;
}

}  // namespace splitter
