// Hands the frames painted so far to the display server at once.
#pragma once

namespace ui_detail {

// Qt sends a Wayland window's new frames only when its event loop next
// runs, so frames painted inside a handler that pauses between them would
// reach the compositor all together at the end.  This writes them out now.
// It only sends what is already queued for the server: it reads nothing
// and dispatches nothing, so no input and no message can run from here.
// On X, and where Qt's Wayland platform is absent, it does nothing.
void FlushDisplay();

}  // namespace ui_detail
