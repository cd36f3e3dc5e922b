#pragma once

class QWidget;

namespace glyphbox::ui {

// Whether a window manager runs that draws window frames: on X11, one that
// announces itself the standard way (_NET_SUPPORTING_WM_CHECK on the root
// window). False on other platforms and without one.
[[nodiscard]] bool windowManagerDrawsFrames();

// Asks the window manager to frame `window` with a thin border and no title
// bar, and to offer no moving or resizing (the Motif window manager hints,
// which most X11 window managers honour). The toolkit's own flags know only
// "full frame" or "nothing at all". Does nothing on other platforms.
void requestBorderWithoutTitle(QWidget* window);

} // namespace glyphbox::ui
