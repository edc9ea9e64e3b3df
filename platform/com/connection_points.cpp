#include "platform/com/connection_points.h"

namespace com {

HResult ConnectionPoint::GetConnectionInterface(Guid* iid) {
    if (!iid) return E_POINTER;
    *iid = iid_;
    return S_OK;
}

HResult ConnectionPoint::Advise(IUnknown* sink, Cookie* cookie) {
    if (!sink || !cookie) return E_POINTER;
    void* p = nullptr;
    if (sink->QueryInterface(iid_, &p) != S_OK || !p) return CONNECT_E_CANNOTCONNECT;
    const Cookie c = next_++;
    sinks_.emplace(c, ComPtr<IUnknown>::adopt(static_cast<IUnknown*>(p)));
    *cookie = c;
    return S_OK;
}

HResult ConnectionPoint::Unadvise(Cookie cookie) {
    return sinks_.erase(cookie) ? S_OK : CONNECT_E_NOCONNECTION;
}

}  // namespace com
