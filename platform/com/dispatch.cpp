#include "platform/com/dispatch.h"

namespace com {

HResult getProperty(IDispatch* d, DispId id, Value* out) {
    if (!d) return E_POINTER;
    return d->Invoke(id, InvokeKind::PropertyGet, {}, out);
}
HResult putProperty(IDispatch* d, DispId id, const Value& v) {
    if (!d) return E_POINTER;
    return d->Invoke(id, InvokeKind::PropertyPut, {v}, nullptr);
}
HResult getProperty(IDispatch* d, const QString& name, Value* out) {
    DispId id = DISPID_UNKNOWN;
    if (!d) return E_POINTER;
    if (const HResult hr = d->GetIDsOfNames(name, &id); failed(hr)) return hr;
    return getProperty(d, id, out);
}
HResult putProperty(IDispatch* d, const QString& name, const Value& v) {
    DispId id = DISPID_UNKNOWN;
    if (!d) return E_POINTER;
    if (const HResult hr = d->GetIDsOfNames(name, &id); failed(hr)) return hr;
    return putProperty(d, id, v);
}
HResult callMethod(IDispatch* d, const QString& name, const std::vector<Value>& args, Value* result) {
    DispId id = DISPID_UNKNOWN;
    if (!d) return E_POINTER;
    if (const HResult hr = d->GetIDsOfNames(name, &id); failed(hr)) return hr;
    return d->Invoke(id, InvokeKind::Method, args, result);
}

}  // namespace com
