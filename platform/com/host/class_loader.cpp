#include "platform/com/host/class_loader.h"

#include <QFileInfo>

#include <dlfcn.h>

#include <map>

namespace com {

namespace {

// Libraries loaded by path; kept until they say they can be unloaded.
std::map<QString, void*>& loaded() {
    static std::map<QString, void*> libraries;
    return libraries;
}

QString canonical(const QString& path) {
    const QFileInfo f(path);
    const QString c = f.canonicalFilePath();
    return c.isEmpty() ? f.absoluteFilePath() : c;
}

void* load(const QString& path) {
    const QString key = canonical(path);
    auto it = loaded().find(key);
    if (it != loaded().end()) return it->second;
    void* h = dlopen(QFile::encodeName(key).constData(), RTLD_NOW | RTLD_LOCAL);
    if (h) loaded().emplace(key, h);
    return h;
}

template <class Fn>
Fn entry(void* library, const char* name) {
    return library ? reinterpret_cast<Fn>(dlsym(library, name)) : nullptr;
}

}  // namespace

HResult createInstance(const Guid& clsid, const Guid& iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    ClassRegistry registry;
    if (!registry.load()) return REGDB_E_CLASSNOTREG;
    const QString path = registry.inprocServer(clsid);
    if (path.isEmpty()) return REGDB_E_CLASSNOTREG;
    auto getClassObject = entry<DllGetClassObjectFn>(load(path), "DllGetClassObject");
    if (!getClassObject) return CLASS_E_CLASSNOTAVAILABLE;
    ComPtr<IClassFactory> factory;
    if (const HResult hr = getClassObject(&clsid, &IClassFactory::iid, factory.putVoid()); failed(hr)) return hr;
    return factory->CreateInstance(nullptr, iid, out);
}

HResult registerLibrary(const QString& libraryPath) {
    auto reg = entry<DllRegisterServerFn>(load(libraryPath), "DllRegisterServer");
    return reg ? reg() : CLASS_E_CLASSNOTAVAILABLE;
}

HResult unregisterLibrary(const QString& libraryPath) {
    auto unreg = entry<DllUnregisterServerFn>(load(libraryPath), "DllUnregisterServer");
    return unreg ? unreg() : CLASS_E_CLASSNOTAVAILABLE;
}

HResult ensureRegistered(const Guid& clsid, const QString& libraryPath) {
    ClassRegistry registry;
    registry.load();
    const QString registered = registry.inprocServer(clsid);
    if (!registered.isEmpty() && canonical(registered) == canonical(libraryPath)) return S_FALSE;
    return registerLibrary(libraryPath);
}

void freeUnusedLibraries() {
    for (auto it = loaded().begin(); it != loaded().end();) {
        auto canUnload = entry<DllCanUnloadNowFn>(it->second, "DllCanUnloadNow");
        if (canUnload && canUnload() == S_OK) {
            dlclose(it->second);
            it = loaded().erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace com
