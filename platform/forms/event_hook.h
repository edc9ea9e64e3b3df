#pragma once
// Hands the events of the objects it is installed on to a handler, for a window that wants the
// events of controls whose classes it does not own. Install it with installEventFilter; it belongs
// to its Qt parent.
#include <QObject>

#include <functional>
#include <utility>

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

}  // namespace forms
