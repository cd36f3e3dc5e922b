#include <glyphbox/ui/window_registry.h>

#include <QTimer>

namespace glyphbox::ui {

WindowRegistry::WindowRegistry(QObject* parent) : QObject(parent) {}

WindowRegistry::~WindowRegistry() {
  // Windows still loaded go with the registry; nobody is told.
  const auto windows = loaded_;
  loaded_.clear();
  for (const auto& w : windows) {
    delete w.data();
  }
}

void WindowRegistry::define(const QString& name, Factory factory) {
  factories_.insert(name, std::move(factory));
}

QWidget* WindowRegistry::find(const QString& name) const {
  const auto it = loaded_.constFind(name);
  return it == loaded_.constEnd() ? nullptr : it->data();
}

int WindowRegistry::loadedCount() const {
  int n = 0;
  for (const auto& w : loaded_) {
    n += w.isNull() ? 0 : 1;
  }
  return n;
}

QWidget* WindowRegistry::show(const QString& name) {
  QWidget* window = find(name);
  if (window == nullptr) {
    const auto factory = factories_.constFind(name);
    Q_ASSERT_X(factory != factories_.constEnd(), "WindowRegistry::show", "unknown window");
    if (factory == factories_.constEnd()) {
      return nullptr;
    }
    window = (*factory)(*this);
    window->setObjectName(name);
    window->setAttribute(Qt::WA_DeleteOnClose);
    loaded_.insert(name, window);
    // A window closed by the desktop (not unloaded by the program) is gone too.
    connect(window, &QObject::destroyed, this, [this, window] { forget(window); });
  }
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

void WindowRegistry::unload(const QString& name) {
  QWidget* window = find(name);
  if (window == nullptr) {
    return;
  }
  // Its timers die with it now, not when the deferred deletion runs: a
  // pending timer must never act for a window that is gone.
  for (QTimer* timer : window->findChildren<QTimer*>()) {
    timer->stop();
  }
  window->hide();
  window->deleteLater(); // it may be unloading itself from its own handler
  forget(window);
}

void WindowRegistry::forget(QWidget* window) {
  for (auto it = loaded_.begin(); it != loaded_.end(); ++it) {
    if (it->data() == window || it->isNull()) {
      loaded_.erase(it);
      if (loaded_.isEmpty()) {
        emit allWindowsUnloaded();
      }
      return;
    }
  }
}

} // namespace glyphbox::ui
