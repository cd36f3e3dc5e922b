#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace glyphbox::ui {

// Every window of the program exists at most once and is reached by its name.
// Showing a window creates it when absent; unloading destroys it with its
// timers, and a later show creates it afresh. When the last loaded window goes,
// allWindowsUnloaded() is emitted and the program ends.
class WindowRegistry : public QObject {
  Q_OBJECT

public:
  using Factory = std::function<QWidget*(WindowRegistry&)>;

  explicit WindowRegistry(QObject* parent = nullptr);
  ~WindowRegistry() override;

  // Makes a window known by name; it is created by `factory` on first use.
  void define(const QString& name, Factory factory);

  // Creates the window if needed, makes it visible, raises and activates it.
  // Never modal: returns at once. Returns the window.
  QWidget* show(const QString& name);

  // Hides and destroys the window if it is loaded; does nothing otherwise.
  // Safe to call from the window's own handlers.
  void unload(const QString& name);

  [[nodiscard]] QWidget* find(const QString& name) const;
  [[nodiscard]] bool isLoaded(const QString& name) const { return find(name) != nullptr; }
  [[nodiscard]] int loadedCount() const;

signals:
  void allWindowsUnloaded();

private:
  void forget(QWidget* window);

  QHash<QString, Factory> factories_;
  QHash<QString, QPointer<QWidget>> loaded_;
};

} // namespace glyphbox::ui
