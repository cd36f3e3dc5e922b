#pragma once

#include <QObject>
#include <QWidget>

#include <exception>
#include <functional>

namespace glyphbox::ui {

// Shows an error in plain words in a message box owned by `owner`. The box is
// window-modal: the call returns at once and the event loop runs on, but
// `owner` takes no input until the user has read and closed the box; the
// program's other windows stay usable.
void reportError(QWidget* owner, const std::exception& error);

// Runs a handler; any error it raises is reported and goes no further, so no
// exception ever reaches the event loop.
void runGuarded(QWidget* owner, const std::function<void()>& handler) noexcept;

// The same with a report of one's own: a window that must not stop the user
// with a box says it where it says everything else.
void runGuarded(const std::function<void()>& handler,
                const std::function<void(const std::exception&)>& report) noexcept;

// Connects a signal to a handler of `owner` through runGuarded: the one place
// where handlers are connected, and so the one place errors are caught.
template <typename Sender, typename Signal, typename Owner>
void connectHandler(Sender* sender, Signal signal, Owner* owner, void (Owner::*handler)()) {
  QObject::connect(sender, signal, owner, [owner, handler] {
    runGuarded(owner, [owner, handler] { (owner->*handler)(); });
  });
}

} // namespace glyphbox::ui
