#pragma once

// The workbench's one error path. Slots are connected through
// connectGuarded, the one place where an exception is caught: it is shown in
// the window's status bar, never in a box that stops the user typing, and
// goes no further than the handler.

#include <glyphbox/ui/error_report.h>

#include <QObject>
#include <QWidget>

#include <exception>
#include <utility>

namespace glyphbox::workbench {

// Shows what went wrong in the status bar of owner's window.
void reportProblem(QWidget* owner, const std::exception& error);

// Runs a handler of owner: what it throws is reported and goes no further.
template <typename Handler> void guard(QWidget* owner, Handler&& handler) noexcept {
  ui::runGuarded(std::forward<Handler>(handler),
                 [owner](const std::exception& e) { reportProblem(owner, e); });
}

// Connects a signal to a handler of owner, through ui::runGuarded. The
// handler takes the signal's first arguments, or none.
template <typename Sender, typename Signal, typename Owner, typename... Args>
void connectGuarded(Sender* sender, Signal signal, Owner* owner, void (Owner::*handler)(Args...)) {
  QObject::connect(sender, signal, owner, [owner, handler](Args... args) {
    guard(owner, [&] { (owner->*handler)(args...); });
  });
}

} // namespace glyphbox::workbench
