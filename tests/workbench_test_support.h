#pragma once

// What the workbench's tests share: a window on a settings store of its own
// in a scratch folder, typing as a user types, and glyphbox-cli as the oracle
// the window must never disagree with.

#include "cli_process.h"
#include "ui_test_main.h"

#include <glyphbox/workbench/workbench_window.h>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QSettings>

#include <memory>
#include <string>
#include <vector>

namespace glyphbox::testing {

// A file of settings no other test and no user shares.
inline QString scratchSettings() {
  return QDir::temp().filePath(
      QStringLiteral("glyphbox_workbench_%1.conf").arg(QCoreApplication::applicationPid()));
}

class WorkbenchTest : public ::testing::Test {
protected:
  void SetUp() override {
    QFile::remove(scratchSettings());
    store = std::make_unique<QSettings>(scratchSettings(), QSettings::IniFormat);
    open();
  }
  void TearDown() override {
    window.reset();
    store.reset();
    QFile::remove(scratchSettings());
  }

  // A new window on the same store, as the next run of the program.
  void open() {
    window = std::make_unique<workbench::WorkbenchWindow>(*store);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  template <typename T> T* child(const QString& name) const {
    T* w = window->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
  }

  // Replaces what an input line holds, typed key by key; what no key of
  // the test's keyboard types (letters outside ASCII) is pasted.
  static void retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    for (const QChar c : text) {
      if (c.unicode() < 0x80) {
        QTest::keyClick(edit, c.toLatin1());
      } else {
        edit->insert(c);
      }
    }
  }

  std::unique_ptr<QSettings> store;
  std::unique_ptr<workbench::WorkbenchWindow> window;
};

// The fields of glyphbox-cli's TSV row for one input, by column name, or
// its refusal's reason (after "input 1: "...": ") when it has no row.
struct CliAnswer {
  std::vector<std::pair<std::string, std::string>> fields;
  std::string reason;
  [[nodiscard]] std::string field(const std::string& name) const {
    for (const auto& [n, v] : fields) {
      if (n == name) {
        return v;
      }
    }
    return "(no " + name + ")";
  }
};

inline std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
    parts.push_back(line.substr(start, tab - start));
  }
  parts.push_back(line.substr(start));
  return parts;
}

inline CliAnswer cliAnswer(std::vector<std::string> options, const std::string& input,
                           const std::string& fields) {
  options.insert(options.end(), {"--format", "tsv", "--fields", fields, "--", input});
  const testing_process::Outcome o = testing_process::runCli(options);
  CliAnswer a;
  const std::size_t header = o.out.find('\n');
  if (header != std::string::npos && header + 1 < o.out.size()) {
    const std::vector<std::string> names = splitTabs(o.out.substr(0, header));
    const std::string row = o.out.substr(header + 1, o.out.find('\n', header + 1) - header - 1);
    const std::vector<std::string> values = splitTabs(row);
    for (std::size_t i = 0; i < names.size() && i < values.size(); ++i) {
      a.fields.emplace_back(names[i], values[i]);
    }
  }
  if (const std::size_t quoteColon = o.err.find("\": "); quoteColon != std::string::npos) {
    a.reason = o.err.substr(quoteColon + 3);
    if (!a.reason.empty() && a.reason.back() == '\n') {
      a.reason.pop_back();
    }
  }
  return a;
}

} // namespace glyphbox::testing
