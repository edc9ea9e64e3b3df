#pragma once
// The program's application object: no exception from an event handler crosses Qt's event loop; an
// error that no handler caught is shown with its number and text, and the program goes on.
#include <QApplication>

namespace core {

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace core
