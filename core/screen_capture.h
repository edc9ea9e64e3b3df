#pragma once

namespace core {

// Puts the screen rectangle (screen pixels) on the clipboard as a picture. The program's own active
// window is rendered rather than the screen read back, so what lies under other windows is drawn
// too. Raises 91 when the program has no active window.
void CopyScreenAreaToClipboard(int left, int top, int right, int bottom);

}  // namespace core
