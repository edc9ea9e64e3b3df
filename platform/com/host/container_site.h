#pragma once
// The container side for one hosted control: its client site (ambient UserMode, focus, its own
// extender) and the enumeration of the host widgets it contains, each seen through an extender with
// Name, Index, Left, Top, Width, Height (twips of the control's window) and Visible.
#include "platform/com/control.h"

#include <QPointer>
#include <QWidget>

namespace com {

// The extender of one host widget. Name is its objectName; Index its "Index" (or "index") property
// when it is a member of a control array, otherwise Index cannot be read.
class WidgetExtender final : public Object<IDispatch> {
public:
    explicit WidgetExtender(QWidget* widget) : widget_(widget) {}

    HResult GetIDsOfNames(const QString& name, DispId* id) override;
    HResult Invoke(DispId id, InvokeKind kind, const std::vector<Value>& args, Value* result) override;

    QWidget* widget() const { return widget_.data(); }
    // Property puts that reached the widget (for diagnostics and tests).
    int writes() const { return writes_; }

private:
    QPointer<QWidget> widget_;
    int writes_ = 0;
};

class ContainerSite final : public Object<IOleClientSite, IOleControlSite, IDispatch, IVBGetControl> {
public:
    ContainerSite() = default;

    // The widgets the control contains, in enumeration order.
    void setContained(const QList<QWidget*>& widgets);
    QList<QWidget*> contained() const;
    // The ambient UserMode the control reads (true: the program runs; false: design time).
    void setUserMode(bool on) { userMode_ = on; }
    // The widget of the hosted control itself (its extender's subject).
    void setControlWindow(QWidget* w) { self_ = make<WidgetExtender>(w); }
    // Property writes through all contained controls' extenders.
    int extenderWrites() const;
    void clear();

    // IOleClientSite
    HResult GetContainer(IUnknown** out) override;
    // IOleControlSite
    HResult GetExtendedControl(IDispatch** out) override;
    HResult OnFocus(bool) override { return S_OK; }
    // IDispatch: the ambient properties
    HResult GetIDsOfNames(const QString& name, DispId* id) override;
    HResult Invoke(DispId id, InvokeKind kind, const std::vector<Value>& args, Value* result) override;
    // IVBGetControl
    HResult EnumControls(uint32_t oleContF, uint32_t which, IEnumUnknown** out) override;

private:
    class Contained;
    std::vector<ComPtr<IUnknown>> contained_;
    std::vector<ComPtr<WidgetExtender>> extenders_;
    ComPtr<WidgetExtender> self_;
    bool userMode_ = true;
};

}  // namespace com
