#pragma once
// Late-bound calls: members looked up by name and called by DISPID with values.
#include "platform/com/unknown.h"
#include "platform/com/value.h"

#include <vector>

namespace com {

using DispId = int32_t;

inline constexpr DispId DISPID_UNKNOWN = -1;
inline constexpr DispId DISPID_AMBIENT_USERMODE = -709;

enum class InvokeKind { Method = 1, PropertyGet = 2, PropertyPut = 4 };

struct IDispatch : IUnknown {
    static constexpr Guid iid = makeGuid("00020400-0000-0000-C000-000000000046");
    // Case-insensitive, as the platform's name lookup is.
    virtual HResult GetIDsOfNames(const QString& name, DispId* id) = 0;
    // `args` in the order the member declares them (for a put, the new value last); `result` may be null.
    virtual HResult Invoke(DispId id, InvokeKind kind, const std::vector<Value>& args, Value* result) = 0;
};

// Helpers for callers: property get / put and method call by name or id.
HResult getProperty(IDispatch* d, DispId id, Value* out);
HResult putProperty(IDispatch* d, DispId id, const Value& v);
HResult getProperty(IDispatch* d, const QString& name, Value* out);
HResult putProperty(IDispatch* d, const QString& name, const Value& v);
HResult callMethod(IDispatch* d, const QString& name, const std::vector<Value>& args, Value* result);

}  // namespace com
