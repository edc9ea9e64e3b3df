#pragma once
// The base of the object model: result codes, IUnknown with QueryInterface by GUID and reference
// counting, an owning smart pointer, and a base that implements IUnknown for a set of interfaces.
// Objects cross shared-library boundaries only through these abstract interfaces: no exception,
// dynamic_cast or typeid is used between modules.
#include "platform/com/guid.h"

#include <atomic>
#include <tuple>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace com {

using HResult = int32_t;

inline constexpr HResult S_OK = 0;
inline constexpr HResult S_FALSE = 1;
inline constexpr HResult E_NOTIMPL = static_cast<HResult>(0x80004001);
inline constexpr HResult E_NOINTERFACE = static_cast<HResult>(0x80004002);
inline constexpr HResult E_POINTER = static_cast<HResult>(0x80004003);
inline constexpr HResult E_FAIL = static_cast<HResult>(0x80004005);
inline constexpr HResult E_UNEXPECTED = static_cast<HResult>(0x8000FFFF);
inline constexpr HResult E_OUTOFMEMORY = static_cast<HResult>(0x8007000E);
inline constexpr HResult E_INVALIDARG = static_cast<HResult>(0x80070057);
inline constexpr HResult CLASS_E_NOAGGREGATION = static_cast<HResult>(0x80040110);
inline constexpr HResult CLASS_E_CLASSNOTAVAILABLE = static_cast<HResult>(0x80040111);
inline constexpr HResult REGDB_E_CLASSNOTREG = static_cast<HResult>(0x80040154);
inline constexpr HResult SELFREG_E_CLASS = static_cast<HResult>(0x80040201);
inline constexpr HResult CONNECT_E_NOCONNECTION = static_cast<HResult>(0x80040200);
inline constexpr HResult CONNECT_E_CANNOTCONNECT = static_cast<HResult>(0x80040202);
inline constexpr HResult DISP_E_UNKNOWNINTERFACE = static_cast<HResult>(0x80020001);
inline constexpr HResult DISP_E_MEMBERNOTFOUND = static_cast<HResult>(0x80020003);
inline constexpr HResult DISP_E_PARAMNOTFOUND = static_cast<HResult>(0x80020004);
inline constexpr HResult DISP_E_TYPEMISMATCH = static_cast<HResult>(0x80020005);
inline constexpr HResult DISP_E_UNKNOWNNAME = static_cast<HResult>(0x80020006);
inline constexpr HResult DISP_E_OVERFLOW = static_cast<HResult>(0x8002000A);
inline constexpr HResult DISP_E_BADPARAMCOUNT = static_cast<HResult>(0x8002000E);
inline constexpr HResult STG_E_FILENOTFOUND = static_cast<HResult>(0x80030002);
inline constexpr HResult STG_E_READFAULT = static_cast<HResult>(0x8003001E);
inline constexpr HResult STG_E_INVALIDHEADER = static_cast<HResult>(0x800300FB);
inline constexpr HResult STG_E_DOCFILECORRUPT = static_cast<HResult>(0x80030109);

constexpr bool succeeded(HResult hr) { return hr >= 0; }
constexpr bool failed(HResult hr) { return hr < 0; }

struct IUnknown {
    static constexpr Guid iid = makeGuid("00000000-0000-0000-C000-000000000046");
    // On success *out holds the interface, already counted.
    virtual HResult QueryInterface(const Guid& iid, void** out) = 0;
    virtual uint32_t AddRef() = 0;
    virtual uint32_t Release() = 0;

protected:
    ~IUnknown() = default;
};

// An owning reference: AddRef on copy, Release on destruction.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Takes a new reference to `p`.
    explicit ComPtr(T* p) : p_(p) {
        if (p_) p_->AddRef();
    }
    ComPtr(const ComPtr& o) : ComPtr(o.p_) {}
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    ComPtr(const ComPtr<U>& o) : ComPtr(static_cast<T*>(o.get())) {}
    ~ComPtr() { reset(); }
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }

    // Adopts a reference the caller already owns.
    static ComPtr adopt(T* p) {
        ComPtr r;
        r.p_ = p;
        return r;
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    // The address an out-parameter fills; the old reference is released first.
    T** put() {
        reset();
        return &p_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    // Hands the reference to the caller.
    T* detach() { return std::exchange(p_, nullptr); }

    friend bool operator==(const ComPtr& a, const ComPtr& b) { return a.p_ == b.p_; }

private:
    T* p_ = nullptr;
};

// The interface T of an object, or null.
template <class T>
ComPtr<T> queryInterface(IUnknown* object) {
    void* out = nullptr;
    if (!object || object->QueryInterface(T::iid, &out) != S_OK || !out) return {};
    return ComPtr<T>::adopt(static_cast<T*>(out));
}
template <class T, class U>
ComPtr<T> queryInterface(const ComPtr<U>& object) {
    return queryInterface<T>(static_cast<IUnknown*>(object.get()));
}

namespace detail {
template <class T, class = void>
struct HasBase : std::false_type {};
template <class T>
struct HasBase<T, std::void_t<typename T::Base>> : std::true_type {};

// True when `iid` names T or one of the interfaces T derives from (other than IUnknown).
template <class T>
constexpr bool names(const Guid& iid) {
    if (T::iid == iid) return true;
    if constexpr (HasBase<T>::value) return names<typename T::Base>(iid);
    return false;
}
}  // namespace detail

// Implements IUnknown for an object offering the listed interfaces (each declares its `iid` and, when
// it derives from another interface than IUnknown, `using Base = ...`). Starts with one reference,
// which the creator owns; create objects with `make`.
template <class... Interfaces>
class Object : public Interfaces... {
public:
    uint32_t AddRef() override { return ++refs_; }
    uint32_t Release() override {
        const uint32_t n = --refs_;
        if (n == 0) delete this;
        return n;
    }
    HResult QueryInterface(const Guid& iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == IUnknown::iid) {
            *out = unknown();
        } else {
            ((*out == nullptr && detail::names<Interfaces>(iid) ? (*out = static_cast<Interfaces*>(this)) : nullptr), ...);
            if (!*out) return queryOther(iid, out);
        }
        AddRef();
        return S_OK;
    }
    IUnknown* unknown() { return static_cast<First*>(this); }

protected:
    Object() = default;
    virtual ~Object() = default;
    // Further interfaces that are not base classes (tear-offs, inner objects); fill *out already counted.
    virtual HResult queryOther(const Guid&, void**) { return E_NOINTERFACE; }

private:
    using First = std::tuple_element_t<0, std::tuple<Interfaces...>>;
    std::atomic<uint32_t> refs_{1};
};

// A new object with its one reference owned by the returned pointer.
template <class T, class... Args>
ComPtr<T> make(Args&&... args) {
    return ComPtr<T>::adopt(new T(std::forward<Args>(args)...));
}

}  // namespace com
