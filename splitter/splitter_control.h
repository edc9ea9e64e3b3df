#pragma once
// The Splitter control object: ISplitter by dispatch, its events and property notifications, stream,
// storage and property-bag persistence, the control's window inside its container, property pages
// and property browsing.
#include "platform/com/connection_points.h"
#include "platform/com/control.h"
#include "platform/com/persistence.h"
#include "splitter/splitter_members.h"
#include "splitter/splitter_model.h"

#include <QPointer>

namespace splitter {

class SplitterWindow;

class SplitterControl final
    : public com::Object<ISplitter, com::IConnectionPointContainer, com::IPersistStreamInit, com::IPersistStorage,
                         com::IPersistPropertyBag, com::IOleObject, com::ISpecifyPropertyPages,
                         com::IPerPropertyBrowsing> {
public:
    SplitterControl();

    // The live control behind a GetControl handle, or null when the handle names none.
    static SplitterControl* fromHandle(int64_t handle);

    // IDispatch
    com::HResult GetIDsOfNames(const QString& name, com::DispId* id) override;
    com::HResult Invoke(com::DispId id, com::InvokeKind kind, const std::vector<com::Value>& args,
                        com::Value* result) override;
    // IConnectionPointContainer
    com::HResult FindConnectionPoint(const com::Guid& iid, com::IConnectionPoint** out) override;
    // IPersist*
    com::HResult GetClassID(com::Guid* clsid) override;
    com::HResult IsDirty() override;
    com::HResult InitNew() override;
    com::HResult Load(com::IStream* stream) override;
    com::HResult Save(com::IStream* stream, bool clearDirty) override;
    com::HResult InitNew(com::IStorage* storage) override;
    com::HResult Load(com::IStorage* storage) override;
    com::HResult Save(com::IStorage* storage, bool sameAsLoad) override;
    com::HResult Load(com::IPropertyBag* bag) override;
    com::HResult Save(com::IPropertyBag* bag, bool clearDirty, bool saveAll) override;
    // IOleObject
    com::HResult SetClientSite(com::IOleClientSite* site) override;
    com::HResult GetClientSite(com::IOleClientSite** out) override;
    com::HResult SetExtent(const QSize& himetric) override;
    com::HResult GetExtent(QSize* himetric) override;
    com::HResult Activate(QWidget* parent, QWidget** window) override;
    com::HResult Close() override;
    // ISpecifyPropertyPages
    com::HResult GetPages(std::vector<com::Guid>* pages) override;
    // IPerPropertyBrowsing
    com::HResult GetDisplayString(com::DispId id, QString* out) override;
    com::HResult GetPredefinedStrings(com::DispId id, QStringList* strings, std::vector<uint32_t>* cookies) override;
    com::HResult GetPredefinedValue(com::DispId id, uint32_t cookie, com::Value* out) override;

    // State, for the window, the pages and tests.
    SplitterModel& model() { return model_; }
    const SplitterModel& model() const { return model_; }
    // The state the window last laid out (what paint shows).
    const SplitterModel& shownModel() const { return shown_; }
    QWidget* window() const;
    QSize clientSize() const;
    // Whether the container says it runs the program (not design time).
    bool userMode() const;
    void markDirty() { dirty_ = true; }
    // Sends the property-changed notification to every property notify sink.
    void notifyChanged(com::DispId id);
    // Recomputes the last column and row, sizes the contained controls when needed, and repaints.
    void redraw();
    // The contained controls' panel names, in the container's order.
    int listContainedControls(QStringList* names);
    bool autoSizeAll();

    // Window events.
    void mouseMoved(QPoint p, int16_t button, int16_t shift, bool anyFlag);
    bool leftButtonDown(QPoint p);
    bool leftButtonUp();
    // A lost capture ends the drag as a release does.
    void captureLost();
    void focusChanged(bool gotFocus);

private:
    ~SplitterControl() override;

    void apply(unsigned effects, com::DispId id);
    void fire(com::DispId id, const std::vector<com::Value>& args);
    void updateFeedback();
    com::HResult put(com::DispId id, const com::Value& v);
    com::HResult get(com::DispId id, com::Value* out);
    com::HResult loadStream(com::IStream* stream, SplitterModel* into, QSize* extent);
    com::HResult loadBag(com::IPropertyBag* bag, SplitterModel* into);
    // Takes a loaded state whose column and row records the rules could have produced; refuses any other.
    com::HResult commitLoad(const SplitterModel& loaded);
    int clientExtent(Direction d) const;

    SplitterModel model_;
    SplitterModel shown_;
    QSize extent_{5080, 5080};
    bool dirty_ = false;
    com::ComPtr<com::IOleClientSite> site_;
    com::ComPtr<com::ConnectionPoint> events_;
    com::ComPtr<com::ConnectionPoint> propertyNotify_;
    QPointer<SplitterWindow> window_;
};

}  // namespace splitter
