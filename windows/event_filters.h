#pragma once
// Small event filters for the events that the windows' text boxes and lists do not signal: a
// double-click and the loss of the focus.
#include <QEvent>
#include <QObject>

#include <functional>

namespace windows {

class EventFilter : public QObject {
public:
    // Runs `handler` on every event of `type` of the watched object; a double-click is consumed.
    EventFilter(QObject* parent, QEvent::Type type, std::function<void()> handler)
        : QObject(parent), type_(type), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == type_) {
            handler_();
            if (type_ == QEvent::MouseButtonDblClick) return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QEvent::Type type_;
    std::function<void()> handler_;
};

// Installs an EventFilter on `watched`, owned by `owner`.
inline void onEvent(QObject* owner, QObject* watched, QEvent::Type type, std::function<void()> handler) {
    watched->installEventFilter(new EventFilter(owner, type, std::move(handler)));
}

}  // namespace windows
