// The library's C entry points: class objects, the unload check, and self-registration into the
// class registry of the user's config folder with this library's own path.
#include "platform/com/class_registry.h"
#include "splitter/class_factory.h"
#include "splitter/registration.h"

#include <QFileInfo>

#include <dlfcn.h>

#define SPLITTER_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

QString modulePath() {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&modulePath), &info) || !info.dli_fname) return {};
    const QFileInfo file(QString::fromLocal8Bit(info.dli_fname));
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

}  // namespace

SPLITTER_EXPORT com::HResult DllGetClassObject(const com::Guid* clsid, const com::Guid* iid, void** out) {
    if (!clsid || !iid) return com::E_POINTER;
    return splitter::getClassObject(*clsid, *iid, out);
}

SPLITTER_EXPORT com::HResult DllCanUnloadNow() { return splitter::moduleCount() == 0 ? com::S_OK : com::S_FALSE; }

SPLITTER_EXPORT com::HResult DllRegisterServer() {
    const QString path = modulePath();
    com::ClassRegistry registry;
    if (path.isEmpty() || !registry.load()) return com::SELFREG_E_CLASS;
    splitter::writeRegistration(registry, path);
    return registry.save() ? com::S_OK : com::SELFREG_E_CLASS;
}

SPLITTER_EXPORT com::HResult DllUnregisterServer() {
    com::ClassRegistry registry;
    if (!registry.load()) return com::SELFREG_E_CLASS;
    splitter::removeRegistration(registry);
    return registry.save() ? com::S_OK : com::SELFREG_E_CLASS;
}
