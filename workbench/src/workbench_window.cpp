#include <glyphbox/workbench/workbench_window.h>

#include <glyphbox/workbench/date_view.h>
#include <glyphbox/workbench/guarded.h>
#include <glyphbox/workbench/inscription_view.h>
#include <glyphbox/workbench/search_view.h>
#include <glyphbox/workbench/settings_bar.h>

#include <glyphbox/version.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace glyphbox::workbench {
namespace {

const QString kGeometryKey = QStringLiteral("window/geometry");
const QString kViewKey = QStringLiteral("window/view");

// The size of a first run, before the user has chosen one.
constexpr int kFirstWidth = 1100;
constexpr int kFirstHeight = 760;

} // namespace

WorkbenchWindow::WorkbenchWindow(QSettings& store, QWidget* parent)
    : QMainWindow(parent), store_(store) {
  setObjectName(QStringLiteral("workbench"));
  setWindowTitle(tr("Glyphbox Workbench[*]"));
  createViews();
  createMenus();
  restoreState();
  connectHandlers();
  statusBar()->setObjectName(QStringLiteral("status"));
  dateView_->input()->setFocus();
}

void WorkbenchWindow::createViews() {
  auto* client = new QWidget(this);
  settingsBar_ = new SettingsBar(client);
  settingsBar_->setObjectName(QStringLiteral("settingsBar"));
  views_ = new QTabWidget(client);
  views_->setObjectName(QStringLiteral("views"));
  views_->setAccessibleName(tr("Views"));
  dateView_ = new DateView(views_);
  dateView_->setObjectName(QStringLiteral("dateView"));
  inscriptionView_ = new InscriptionView(store_, views_);
  inscriptionView_->setObjectName(QStringLiteral("inscriptionView"));
  searchView_ = new SearchView(views_);
  searchView_->setObjectName(QStringLiteral("searchView"));
  views_->addTab(dateView_, tr("&Date"));
  views_->addTab(inscriptionView_, tr("&Inscription"));
  views_->addTab(searchView_, tr("&Search"));
  auto* layout = new QVBoxLayout(client);
  layout->addWidget(settingsBar_);
  layout->addWidget(views_, 1);
  setCentralWidget(client);
}

void WorkbenchWindow::createMenus() {
  const auto action = [this](const QString& text, const QString& name, const QKeySequence& key) {
    auto* a = new QAction(text, this);
    a->setObjectName(name);
    a->setShortcut(key);
    return a;
  };
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(inscriptionView_->newAction());
  file->addAction(inscriptionView_->openAction());
  file->addMenu(inscriptionView_->recentMenu());
  file->addAction(inscriptionView_->saveAction());
  file->addAction(inscriptionView_->saveAsAction());
  file->addSeparator();
  file->addAction(dateView_->savePictureAction());
  file->addAction(inscriptionView_->exportAction());
  file->addAction(searchView_->exportAction());
  file->addSeparator();
  quit_ = action(tr("&Quit"), QStringLiteral("quit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
  file->addAction(quit_);

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  copyValues_ = action(tr("&Copy the Day's Values"), QStringLiteral("copyValues"),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  edit->addAction(copyValues_);

  QMenu* view = menuBar()->addMenu(tr("&View"));
  const QString names[] = {tr("&Date View"), tr("&Inscription View"), tr("&Search View")};
  for (int i = 0; i < 3; ++i) {
    viewActions_[i] = action(names[i], QStringLiteral("view%1").arg(i + 1),
                             QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i)));
    view->addAction(viewActions_[i]);
  }
  view->addSeparator();
  goToInput_ = action(tr("&Go to the Input Line"), QStringLiteral("goToInput"),
                      QKeySequence(Qt::CTRL | Qt::Key_L));
  view->addAction(goToInput_);

  QMenu* day = menuBar()->addMenu(tr("Da&y"));
  today_ = action(tr("&Today"), QStringLiteral("today"), QKeySequence(Qt::CTRL | Qt::Key_T));
  day->addAction(today_);
  day->addSeparator();
  for (QAction* step : dateView_->stepActions()) {
    day->addAction(step);
  }

  QMenu* search = menuBar()->addMenu(tr("&Search"));
  search->addAction(searchView_->openAction());
  search->addAction(searchView_->exportAction());

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  about_ =
      action(tr("&About Glyphbox Workbench"), QStringLiteral("about"), QKeySequence(Qt::Key_F1));
  help->addAction(about_);
}

void WorkbenchWindow::restoreState() {
  settingsBar_->restore(store_);
  if (!restoreGeometry(store_.value(kGeometryKey).toByteArray())) {
    resize(kFirstWidth, kFirstHeight);
  }
  views_->setCurrentIndex(std::clamp(store_.value(kViewKey, 0).toInt(), 0, views_->count() - 1));
  settingsChanged();
}

void WorkbenchWindow::saveState() {
  settingsBar_->save(store_);
  store_.setValue(kGeometryKey, saveGeometry());
  store_.setValue(kViewKey, views_->currentIndex());
  store_.sync();
}

void WorkbenchWindow::connectHandlers() {
  connectGuarded(settingsBar_, &SettingsBar::changed, this, &WorkbenchWindow::settingsChanged);
  connectGuarded(searchView_, &SearchView::openDay, this, &WorkbenchWindow::dayOpened);
  connectGuarded(today_, &QAction::triggered, this, &WorkbenchWindow::todayTriggered);
  connectGuarded(goToInput_, &QAction::triggered, this, &WorkbenchWindow::goToInputTriggered);
  connectGuarded(copyValues_, &QAction::triggered, this, &WorkbenchWindow::copyValuesTriggered);
  connectGuarded(about_, &QAction::triggered, this, &WorkbenchWindow::aboutTriggered);
  connectGuarded(inscriptionView_, &InscriptionView::documentChanged, this,
                 &WorkbenchWindow::documentChanged);
  connect(quit_, &QAction::triggered, this, &QWidget::close);
  for (int i = 0; i < 3; ++i) {
    connect(viewActions_[i], &QAction::triggered, this,
            [this, i] { guard(this, [&] { showView(static_cast<View>(i)); }); });
  }
}

void WorkbenchWindow::showView(View view) {
  views_->setCurrentIndex(static_cast<int>(view));
  goToInputTriggered();
}

void WorkbenchWindow::settingsChanged() {
  const rows::ConversionSettings s = settingsBar_->settings();
  dateView_->setSettings(s);
  inscriptionView_->setSettings(s);
  searchView_->setSettings(s);
}

void WorkbenchWindow::dayOpened(std::int64_t day) {
  views_->setCurrentWidget(dateView_);
  dateView_->showDay(day);
  dateView_->input()->setFocus();
}

void WorkbenchWindow::todayTriggered() {
  views_->setCurrentWidget(dateView_);
  dateView_->input()->setText(QStringLiteral("today"));
  dateView_->input()->setFocus();
}

void WorkbenchWindow::goToInputTriggered() {
  QWidget* current = views_->currentWidget();
  if (current == inscriptionView_) {
    inscriptionView_->editor()->setFocus();
    return;
  }
  QLineEdit* input = current == dateView_ ? dateView_->input() : searchView_->patternInput();
  input->setFocus();
  input->selectAll();
}

void WorkbenchWindow::copyValuesTriggered() {
  if (const QString text = dateView_->valuesText(); !text.isEmpty()) {
    QApplication::clipboard()->setText(text);
    statusBar()->showMessage(tr("The day's values are on the clipboard."));
  }
}

void WorkbenchWindow::aboutTriggered() {
  QMessageBox::about(this, tr("About Glyphbox Workbench"),
                     tr("<p><b>Glyphbox Workbench %1</b></p>"
                        "<p>Dates of the Maya calendar and of the Gregorian, Julian and "
                        "historical calendars, the worksheets of inscriptions and searches "
                        "by clues, on the same library as glyphbox-cli.</p>")
                         .arg(QString::fromLatin1(kVersionText)));
}

void WorkbenchWindow::documentChanged() {
  const QString path = inscriptionView_->filePath();
  setWindowTitle(path.isEmpty() ? tr("Glyphbox Workbench[*]")
                                : tr("%1[*] - Glyphbox Workbench").arg(QFileInfo(path).fileName()));
  setWindowModified(inscriptionView_->isModified());
}

void WorkbenchWindow::closeEvent(QCloseEvent* event) {
  // An event, not a signal: guarded here as connectGuarded guards the handlers.
  bool closing = false;
  guard(this, [this, &closing] {
    closing = inscriptionView_->maybeSave();
    if (closing) {
      saveState();
    }
  });
  event->setAccepted(closing);
}

} // namespace glyphbox::workbench
