#pragma once
// Shows the application-wide mouse pointer value as Qt's override cursor.

namespace vb {

// From now on every pointer value shows as the override cursor of the GUI application (nothing
// shows while the application object is not a GUI one). The program's application object and the
// test main install it.
void installPointerDisplay();

}  // namespace vb
