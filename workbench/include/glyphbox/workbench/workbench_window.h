#pragma once

// Glyphbox Workbench's window: the pickers every view reads, above the
// views (a date, an inscription's worksheet, a search), with a menu entry and
// a shortcut for every action. The choices, the window's place and size and
// the recent files are kept in the desktop's settings store between runs.

#include <QMainWindow>

class QAction;
class QSettings;
class QTabWidget;

namespace glyphbox::workbench {

class DateView;
class InscriptionView;
class SearchView;
class SettingsBar;

class WorkbenchWindow : public QMainWindow {
  Q_OBJECT
  Q_DISABLE_COPY(WorkbenchWindow)

public:
  // The views, in the order of their tabs.
  enum class View { Date, Inscription, Search };

  // store: where the choices are read from and written to when the window closes.
  explicit WorkbenchWindow(QSettings& store, QWidget* parent = nullptr);

  [[nodiscard]] SettingsBar* settingsBar() const { return settingsBar_; }
  [[nodiscard]] DateView* dateView() const { return dateView_; }
  [[nodiscard]] InscriptionView* inscriptionView() const { return inscriptionView_; }
  [[nodiscard]] SearchView* searchView() const { return searchView_; }
  [[nodiscard]] QTabWidget* views() const { return views_; }
  void showView(View view);

  // Writes the choices and the window's geometry to the store.
  void saveState();

protected:
  // Asks first when the worksheet has unsaved changes.
  void closeEvent(QCloseEvent* event) override;

private:
  void createViews();
  void createMenus();
  void restoreState();
  void connectHandlers();

  void settingsChanged();
  void dayOpened(std::int64_t day);
  void todayTriggered();
  void goToInputTriggered();
  void copyValuesTriggered();
  void aboutTriggered();
  void documentChanged();

  QSettings& store_;
  SettingsBar* settingsBar_ = nullptr;
  QTabWidget* views_ = nullptr;
  DateView* dateView_ = nullptr;
  InscriptionView* inscriptionView_ = nullptr;
  SearchView* searchView_ = nullptr;
  QAction* today_ = nullptr;
  QAction* goToInput_ = nullptr;
  QAction* copyValues_ = nullptr;
  QAction* about_ = nullptr;
  QAction* quit_ = nullptr;
  QAction* viewActions_[3] = {};
};

} // namespace glyphbox::workbench
