#pragma once
// The library's class objects: one factory per creatable class, counted against unloading.
#include "platform/com/control.h"
#include "splitter/module_count.h"

namespace splitter {

// Creates instances of the control or page class T (default-constructible, starting with one
// reference).
template <class T>
class ClassFactory final : public com::Object<com::IClassFactory> {
public:
    com::HResult CreateInstance(com::IUnknown* outer, const com::Guid& iid, void** out) override {
        if (!out) return com::E_POINTER;
        *out = nullptr;
        if (outer) return com::CLASS_E_NOAGGREGATION;
        auto object = com::make<T>();
        return object->QueryInterface(iid, out);
    }
    com::HResult LockServer(bool lock) override {
        lock ? ++moduleCount() : --moduleCount();
        return com::S_OK;
    }

private:
    ModuleReference busy_;
};

// The class object of `clsid` as interface `iid`; CLASS_E_CLASSNOTAVAILABLE for a class not served here.
com::HResult getClassObject(const com::Guid& clsid, const com::Guid& iid, void** out);

}  // namespace splitter
