#pragma once
// Hosting a control in a window.
//
//   #include "platform/com/host/control_host.h"
//
//   // In Form_Load of a window whose widgets lvFiles, splittertxt2 and splittertxt1 exist already:
//   splitter_ = com::hostSplitter(this, vb::programFolder() + "/" + com::kCaseListLayout,
//                                 {lvFiles, splittertxt2, splittertxt1});
//   splitter_->window()->setGeometry(...);   // the control's window, a child of `this`; move it with the window
//
// hostSplitter makes sure the class registry (classes.ini in the user's config folder) names the
// program folder's libsplitter.so for the splitter class (registering it when the class is missing or
// registered elsewhere), creates the control by its class identifier, loads the stored layout (a
// stream file as the control saves it), makes the control's window a child of `host`, and offers the
// given widgets as the controls it contains: they are moved into the control's window and the control
// places, sizes, shows and hides the one named in each pane (objectName, plus "(n)" for a widget whose
// "Index" or "index" property makes it member n of a control array).
//
// The returned handle owns the control. Destroy it before the host widget goes (a std::unique_ptr
// member of the window does this); its destructor gives the contained widgets back to `host` first,
// at the same place, so the control never deletes a widget of the host. Failures raise vb::Error:
// 429 when the control cannot be created, 53 when the layout file is missing, 321 when it is not a
// valid layout (nothing is hosted then).
#include "platform/com/control.h"
#include "platform/com/host/container_site.h"

#include <QList>
#include <QPointer>
#include <QString>

#include <memory>

namespace com {

// The stored layouts shipped in the program folder.
inline constexpr const char* kCaseListLayout = "FileDetails.Splitter1.stm";
inline constexpr const char* kChartWindowLayout = "Chart.Splitter1.stm";

class ControlHost {
public:
    ~ControlHost();
    ControlHost(const ControlHost&) = delete;
    ControlHost& operator=(const ControlHost&) = delete;

    // The control's window (a child of the host widget).
    QWidget* window() const;
    // The control's default dispatch interface: properties and methods by name.
    IDispatch* control() const { return dispatch_.get(); }
    IUnknown* object() const { return object_.get(); }
    ContainerSite* site() const { return site_.get(); }
    // Run time (true, the default) or design time, as the control's ambient UserMode.
    void setUserMode(bool on);
    // Shows the control's property pages, modal over `owner`; false when it has none.
    bool showPropertyPages(QWidget* owner, const QString& caption);
    // Saves the control's state in the stream form to `file`; false when that fails.
    bool save(const QString& file) const;

private:
    friend std::unique_ptr<ControlHost> hostControl(QWidget*, const Guid&, const QString&, const QList<QWidget*>&);
    ControlHost() = default;

    QPointer<QWidget> host_;
    ComPtr<ContainerSite> site_;
    ComPtr<IOleObject> object_;
    ComPtr<IDispatch> dispatch_;
    QPointer<QWidget> window_;
};

// Hosts the control of class `clsid` (already registered) in `host` with the stored stream `streamFile`
// (empty: a new control with its defaults) and the contained widgets `contained`.
std::unique_ptr<ControlHost> hostControl(QWidget* host, const Guid& clsid, const QString& streamFile,
                                         const QList<QWidget*>& contained);

// The splitter control from the program folder's libsplitter.so, as described above.
std::unique_ptr<ControlHost> hostSplitter(QWidget* host, const QString& layoutFile, const QList<QWidget*>& contained);

}  // namespace com
