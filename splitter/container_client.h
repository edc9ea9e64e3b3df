#pragma once
// The control's side of its container's services: finds the contained control named for a pane
// through the client site's control enumerator and moves, sizes, shows and hides it through its
// extender (twips), writing nothing that already has the value.
#include "platform/com/control.h"
#include "splitter/splitter_model.h"

#include <QStringList>

#include <initializer_list>
#include <utility>

namespace splitter {

// Pixels to twips at the program's 96 logical pixels per inch (multiplication first).
constexpr int32_t pixelsToTwips(int32_t px) { return static_cast<int32_t>(int64_t(px) * 1440 / 96); }

class ContainerClient final : public PaneHost {
public:
    explicit ContainerClient(com::IOleClientSite* site) : site_(site) {}

    // Find-and-place and find-and-show: true when at least one contained control matched and was
    // written (or the name is empty or "<none>").
    bool place(const QByteArray& name, const QRect& pixels) override;
    bool show(const QByteArray& name, bool shown) override;
    // Appends the panel name of every contained control; returns how many were added.
    int listControls(QStringList* names) const;

    // A control's panel name: its extender Name, with "(" index ")" for a member of a control array.
    // False when the name cannot be read.
    static bool panelName(com::IDispatch* extender, QString* out);
    // Writes one extender property unless it already has the value.
    static bool writeProperty(com::IDispatch* extender, const QString& name, const com::Value& v);

private:
    using Property = std::pair<QString, com::Value>;
    // Calls `f` on the extender of every contained control; false when the enumeration is not available.
    template <class F>
    bool forEachExtender(F&& f) const;
    // Writes `properties` to every contained control whose panel name is `name`: true when at least
    // one matched and every write took (or the name is empty or "<none>").
    bool writeToPanel(const QByteArray& name, std::initializer_list<Property> properties);

    com::IOleClientSite* site_;
};

}  // namespace splitter
