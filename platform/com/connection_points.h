#pragma once
// Outgoing interfaces: a control keeps one connection point per event interface and per property
// notification; every advised sink receives every call. Cookies have the platform's pointer width.
#include "platform/com/dispatch.h"

#include <map>

namespace com {

using Cookie = uintptr_t;

struct IConnectionPoint : IUnknown {
    static constexpr Guid iid = makeGuid("B196B286-BAB4-101A-B69C-00AA00341D07");
    virtual HResult GetConnectionInterface(Guid* iid) = 0;
    // The sink must offer the connection's interface; fails with CONNECT_E_CANNOTCONNECT otherwise.
    virtual HResult Advise(IUnknown* sink, Cookie* cookie) = 0;
    virtual HResult Unadvise(Cookie cookie) = 0;
};

struct IConnectionPointContainer : IUnknown {
    static constexpr Guid iid = makeGuid("B196B284-BAB4-101A-B69C-00AA00341D07");
    virtual HResult FindConnectionPoint(const Guid& iid, IConnectionPoint** out) = 0;
};

struct IPropertyNotifySink : IUnknown {
    static constexpr Guid iid = makeGuid("9BFBBC02-EFF1-101A-84ED-00AA00341D07");
    virtual HResult OnChanged(DispId id) = 0;
    virtual HResult OnRequestEdit(DispId id) = 0;
};

// One connection point: the sinks of one interface.
class ConnectionPoint final : public Object<IConnectionPoint> {
public:
    explicit ConnectionPoint(const Guid& iid) : iid_(iid) {}

    HResult GetConnectionInterface(Guid* iid) override;
    HResult Advise(IUnknown* sink, Cookie* cookie) override;
    HResult Unadvise(Cookie cookie) override;

    // Calls `f` with each sink's interface T; a sink that unadvises during the call is still called
    // this time, one advised during it is not.
    template <class T, class F>
    void forEach(F&& f) {
        std::vector<ComPtr<IUnknown>> now;
        now.reserve(sinks_.size());
        for (const auto& [c, s] : sinks_) now.push_back(s);
        for (const auto& s : now) f(static_cast<T*>(s.get()));
    }
    std::size_t count() const { return sinks_.size(); }
    void clear() { sinks_.clear(); }

private:
    Guid iid_;
    std::map<Cookie, ComPtr<IUnknown>> sinks_;  // each holds the interface asked for in Advise
    Cookie next_ = 1;
};

}  // namespace com
