#include "splitter/registration.h"

namespace splitter {

QString classKey(const com::Guid& clsid) { return QStringLiteral("CLSID\\") + clsid.toString(); }

namespace {
QString keyOf(const RegistryEntry& e) {
    QString k = classKey(*e.clsid);
    if (*e.subkey) k += QLatin1Char('\\') + QString::fromLatin1(e.subkey);
    return k;
}
}  // namespace

void writeRegistration(com::ClassRegistry& registry, const QString& modulePath) {
    for (const RegistryEntry& e : kRegistryEntries) {
        const QString key = keyOf(e);
        if (!e.name) {
            registry.createKey(key);
            continue;
        }
        QString value = QString::fromLatin1(e.value);
        value.replace(QStringLiteral("%MODULE%"), modulePath);
        registry.setValue(key, QString::fromLatin1(e.name), value);
    }
}

void removeRegistration(com::ClassRegistry& registry) {
    for (const com::Guid* clsid : {&kClsidSplitter, &kClsidPpgBorder, &kClsidPpgPanels})
        registry.removeTree(classKey(*clsid));
}

}  // namespace splitter
