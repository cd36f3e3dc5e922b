#include <glyphbox/ui/window_system.h>

#include <QGuiApplication>
#include <QWidget>

#if defined(GLYPHBOX_HAVE_XCB) && QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#define GLYPHBOX_USE_XCB 1
#endif

namespace glyphbox::ui {

#ifdef GLYPHBOX_USE_XCB
namespace {

xcb_connection_t* x11Connection() {
  auto* x11 =
      qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 != nullptr ? x11->connection() : nullptr;
}

// xcb replies are malloc'ed.
template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
  const Reply<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(
          c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr),
      &std::free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The window a property of `window` names, or XCB_WINDOW_NONE.
xcb_window_t windowProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property) {
  const Reply<xcb_get_property_reply_t> reply(
      xcb_get_property_reply(c, xcb_get_property(c, 0, window, property, XCB_ATOM_WINDOW, 0, 1),
                             nullptr),
      &std::free);
  if (!reply || reply->type != XCB_ATOM_WINDOW || reply->format != 32 ||
      xcb_get_property_value_length(reply.get()) < 4) {
    return XCB_WINDOW_NONE;
  }
  return *static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
}

// The Motif window manager hints, as window managers read them.
struct MotifWmHints {
  std::uint32_t flags;
  std::uint32_t functions;
  std::uint32_t decorations;
  std::int32_t inputMode;
  std::uint32_t status;
};
constexpr std::uint32_t kMwmHintsFunctions = 1u << 0;
constexpr std::uint32_t kMwmHintsDecorations = 1u << 1;
constexpr std::uint32_t kMwmDecorBorder = 1u << 1;

} // namespace

bool windowManagerDrawsFrames() {
  xcb_connection_t* c = x11Connection();
  if (c == nullptr) {
    return false;
  }
  const xcb_atom_t check = atom(c, "_NET_SUPPORTING_WM_CHECK");
  for (auto it = xcb_setup_roots_iterator(xcb_get_setup(c)); it.rem > 0; xcb_screen_next(&it)) {
    // The manager names a window of its own, which names itself back.
    const xcb_window_t wm = windowProperty(c, it.data->root, check);
    if (wm != XCB_WINDOW_NONE && windowProperty(c, wm, check) == wm) {
      return true;
    }
  }
  return false;
}

void requestBorderWithoutTitle(QWidget* window) {
  xcb_connection_t* c = x11Connection();
  if (c == nullptr || !window->isWindow()) {
    return;
  }
  const xcb_atom_t motif = atom(c, "_MOTIF_WM_HINTS");
  // No functions: the window manager offers no moving, resizing or closing.
  const MotifWmHints hints{kMwmHintsFunctions | kMwmHintsDecorations, 0, kMwmDecorBorder, 0, 0};
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()), motif,
                      motif, 32, sizeof hints / 4, &hints);
  xcb_flush(c);
}

#else

bool windowManagerDrawsFrames() { return false; }
void requestBorderWithoutTitle(QWidget* /*window*/) {}

#endif

} // namespace glyphbox::ui
