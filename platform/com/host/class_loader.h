#pragma once
// Creating objects by class identifier: the class registry names the library, which is loaded once
// for the process and asked for its class object.
#include "platform/com/class_registry.h"
#include "platform/com/control.h"

namespace com {

// Creates an instance of `clsid` as interface `iid`. REGDB_E_CLASSNOTREG when the registry has no
// library for the class, CLASS_E_CLASSNOTAVAILABLE when the library cannot be loaded or lacks it.
HResult createInstance(const Guid& clsid, const Guid& iid, void** out);

template <class T>
ComPtr<T> createInstance(const Guid& clsid, HResult* result = nullptr) {
    void* p = nullptr;
    const HResult hr = createInstance(clsid, T::iid, &p);
    if (result) *result = hr;
    return succeeded(hr) ? ComPtr<T>::adopt(static_cast<T*>(p)) : ComPtr<T>();
}

// Makes `libraryPath` the registered server of `clsid`: when the registry has no entry for the class,
// or one naming another file, the library's own DllRegisterServer is called.
HResult ensureRegistered(const Guid& clsid, const QString& libraryPath);

// Calls a library's DllRegisterServer / DllUnregisterServer.
HResult registerLibrary(const QString& libraryPath);
HResult unregisterLibrary(const QString& libraryPath);

// Unloads the loaded libraries whose DllCanUnloadNow answers S_OK.
void freeUnusedLibraries();

}  // namespace com
