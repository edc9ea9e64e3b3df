#pragma once
// Controls and their containers: class factories, the control object and its window, the client site
// with the container's services (ambient properties, the enumeration of contained controls, one
// extender per control), and the module entry points an in-process server exports.
#include "platform/com/dispatch.h"

#include <QSize>
#include <QStringList>

class QWidget;

namespace com {

struct IClassFactory : IUnknown {
    static constexpr Guid iid = makeGuid("00000001-0000-0000-C000-000000000046");
    // `outer` must be null: no aggregation.
    virtual HResult CreateInstance(IUnknown* outer, const Guid& iid, void** out) = 0;
    virtual HResult LockServer(bool lock) = 0;
};

struct IEnumUnknown : IUnknown {
    static constexpr Guid iid = makeGuid("00000100-0000-0000-C000-000000000046");
    // The next object (counted) or S_FALSE at the end.
    virtual HResult Next(IUnknown** out) = 0;
    virtual HResult Reset() = 0;
};

// Enumeration flags of the container's control enumerator.
inline constexpr uint32_t OLECONTF_EMBEDDINGS = 1;
inline constexpr uint32_t OLECONTF_OTHERS = 2;
inline constexpr uint32_t GC_WCH_CONTAINED = 3;

// Offered by a client site: the controls of the container, here those contained in the asking control.
struct IVBGetControl : IUnknown {
    static constexpr Guid iid = makeGuid("40A050A0-3C31-101B-A82E-08002B2B2337");
    virtual HResult EnumControls(uint32_t oleContF, uint32_t which, IEnumUnknown** out) = 0;
};

struct IOleClientSite : IUnknown {
    static constexpr Guid iid = makeGuid("00000118-0000-0000-C000-000000000046");
    // The container object (may be E_NOTIMPL).
    virtual HResult GetContainer(IUnknown** out) = 0;
};

struct IOleControlSite : IUnknown {
    static constexpr Guid iid = makeGuid("B196B289-BAB4-101A-B69C-00AA00341D07");
    // The extender: the container's dispatch object that adds Name, Index, Left, Top, Width, Height and
    // Visible (twips) to the control.
    virtual HResult GetExtendedControl(IDispatch** out) = 0;
    virtual HResult OnFocus(bool gotFocus) = 0;
};

// The control object as its container sees it. Qt has no OLE windows, so activation hands the
// control a parent widget in which it makes its window, and closing destroys that window.
struct IOleObject : IUnknown {
    static constexpr Guid iid = makeGuid("00000112-0000-0000-C000-000000000046");
    virtual HResult SetClientSite(IOleClientSite* site) = 0;
    virtual HResult GetClientSite(IOleClientSite** out) = 0;
    // Extent in HIMETRIC (0.01 mm).
    virtual HResult SetExtent(const QSize& himetric) = 0;
    virtual HResult GetExtent(QSize* himetric) = 0;
    // Makes (or re-parents) the control's window inside `parent` and returns it (not counted: Qt's parent
    // tree owns it until Close).
    virtual HResult Activate(QWidget* parent, QWidget** window) = 0;
    // Destroys the window; the container must have taken its own widgets out of it before.
    virtual HResult Close() = 0;
};

struct ISpecifyPropertyPages : IUnknown {
    static constexpr Guid iid = makeGuid("B196B28B-BAB4-101A-B69C-00AA00341D07");
    virtual HResult GetPages(std::vector<Guid>* pages) = 0;
};

struct IPerPropertyBrowsing : IUnknown {
    static constexpr Guid iid = makeGuid("376BD3AA-3845-101B-84ED-08002B2EC713");
    virtual HResult GetDisplayString(DispId id, QString* out) = 0;
    virtual HResult GetPredefinedStrings(DispId id, QStringList* strings, std::vector<uint32_t>* cookies) = 0;
    virtual HResult GetPredefinedValue(DispId id, uint32_t cookie, Value* out) = 0;
};

// Property pages.
inline constexpr uint32_t PROPPAGESTATUS_DIRTY = 1;
inline constexpr uint32_t PROPPAGESTATUS_VALIDATE = 2;

struct PageInfo {
    QString title;
    QSize size;  // pixels
    QString docString;
};

struct IPropertyPageSite : IUnknown {
    static constexpr Guid iid = makeGuid("B196B28C-BAB4-101A-B69C-00AA00341D07");
    virtual HResult OnStatusChange(uint32_t flags) = 0;
};

struct IPropertyPage : IUnknown {
    static constexpr Guid iid = makeGuid("B196B28D-BAB4-101A-B69C-00AA00341D07");
    virtual HResult SetPageSite(IPropertyPageSite* site) = 0;
    // Makes the page's widget inside `parent` (owned by Qt's parent tree until Deactivate).
    virtual HResult Activate(QWidget* parent, QWidget** page) = 0;
    virtual HResult Deactivate() = 0;
    virtual HResult GetPageInfo(PageInfo* info) = 0;
    virtual HResult SetObjects(const std::vector<IUnknown*>& objects) = 0;
    virtual HResult IsPageDirty() = 0;  // S_OK dirty, S_FALSE clean
    virtual HResult Apply() = 0;
};

// The C entry points of an in-process server (looked up with dlsym).
using DllGetClassObjectFn = HResult (*)(const Guid* clsid, const Guid* iid, void** out);
using DllCanUnloadNowFn = HResult (*)();
using DllRegisterServerFn = HResult (*)();
using DllUnregisterServerFn = HResult (*)();

}  // namespace com
