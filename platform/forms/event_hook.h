#pragma once
// Hands the events of the objects it is installed on to a handler, for a window that wants the
// events of controls whose classes it does not own. A window keeps its hooks in an EventHooks
// member, never loose: its controls still send events while Qt deletes them after the window's own
// destructor has ended, and a handler that reached the window's members then would call into an
// object that is no longer a window of that class.
#include <QObject>

#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace forms {

class EventHook : public QObject {
public:
    // The handler returns true to stop an event.
    using Handler = std::function<bool(QObject*, QEvent*)>;
    EventHook(QObject* parent, Handler handler) : QObject(parent), handler_(std::move(handler)) {}
    bool eventFilter(QObject* watched, QEvent* event) override { return handler_(watched, event); }

private:
    Handler handler_;
};

// The hooks of one window, removed when the member goes (so before the window's destructor ends)
// or when cleared. A watched object that goes first simply stops sending its events.
class EventHooks {
public:
    EventHooks() = default;
    EventHooks(const EventHooks&) = delete;
    EventHooks& operator=(const EventHooks&) = delete;
    ~EventHooks() { clear(); }

    // Hands every event of each of `watched` to `handler`.
    void install(std::initializer_list<QObject*> watched, EventHook::Handler handler) {
        auto& hook = hooks_.emplace_back(std::make_unique<EventHook>(nullptr, std::move(handler)));
        for (QObject* object : watched) object->installEventFilter(hook.get());
    }

    void clear() { hooks_.clear(); }

private:
    std::vector<std::unique_ptr<EventHook>> hooks_;
};

}  // namespace forms
