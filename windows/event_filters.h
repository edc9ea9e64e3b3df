#pragma once
// The events that the windows' text boxes and lists do not signal: a double-click and the loss of
// the focus.
#include "platform/forms/event_hook.h"

#include <QEvent>
#include <QObject>

#include <functional>
#include <utility>

namespace windows {

// Runs `handler` on every event of `type` of `watched`, through the window's hooks; a double-click
// is consumed.
inline void onEvent(forms::EventHooks& hooks, QObject* watched, QEvent::Type type, std::function<void()> handler) {
    hooks.install({watched}, [type, handler = std::move(handler)](QObject*, QEvent* event) {
        if (event->type() != type) return false;
        handler();
        return type == QEvent::MouseButtonDblClick;
    });
}

}  // namespace windows
