// The inscription view driven as a user drives it: a worksheet typed and
// answered line by line as `glyphbox-cli inscription` answers it, the clues
// that disagree marked and explained, the file's round trip, the prompt
// before unsaved changes are lost, the recent files and the CSV export.

#include "workbench_test_support.h"

#include <glyphbox/workbench/inscription_view.h>

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>

#include <functional>
#include <sstream>

namespace glyphbox::workbench {
namespace {

using glyphbox::testing::chooseItem;

const char* const kWorksheet = "9.12.11.5.18 6 Etznab 11 Yax G1  # Palenque\n"
                               "+2.5.3 10 Imix 4 Muan G5\n"
                               "-1.0.0 1 Imix 9 Muan\n"
                               "\n"
                               "12.19.13.4.0 8 Ahau 18 Zec 819 South\n"
                               "9.12.11.5.18 7 Etznab 16 Yax\n"
                               "foo bar\n"
                               "+1d G2\n";

class InscriptionViewTest : public glyphbox::testing::WorkbenchTest {
protected:
  void SetUp() override {
    WorkbenchTest::SetUp();
    QTest::keyClick(window.get(), Qt::Key_2, Qt::ControlModifier);
    view = window->inscriptionView();
    editor = view->editor();
    ASSERT_EQ(QApplication::focusWidget(), editor);
  }
  void TearDown() override {
    editor->document()->setModified(false); // no prompt when the window closes
    for (const QString& f : files) {
      QFile::remove(f);
    }
    WorkbenchTest::TearDown();
  }

  QString scratch(const QString& name) {
    files << QDir::temp().filePath(
        QStringLiteral("glyphbox_%1_%2").arg(QCoreApplication::applicationPid()).arg(name));
    return files.back();
  }
  static void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  static QByteArray read(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
  }

  // Types text into the editor key by key, a line end as the Return key.
  void type(const QString& text) {
    for (const QChar c : text) {
      if (c == QLatin1Char('\n')) {
        QTest::keyClick(editor, Qt::Key_Return);
      } else {
        QTest::keyClick(editor, c.toLatin1());
      }
    }
  }

  // Runs `act`, answering the box that asks about unsaved changes, if it
  // comes, with `button`. Whether it came.
  bool answerPrompt(QMessageBox::StandardButton button, const std::function<void()>& act) {
    bool asked = false;
    QTimer watch; // runs only in the box's own event loop
    watch.setInterval(0);
    QObject::connect(&watch, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box != nullptr && box->objectName() == QLatin1String("unsavedChanges")) {
        asked = true;
        watch.stop();
        box->button(button)->click();
      }
    });
    watch.start();
    act();
    watch.stop();
    return asked;
  }

  InscriptionView* view = nullptr;
  WorksheetEditor* editor = nullptr;
  QStringList files;
};

TEST_F(InscriptionViewTest, EachLineTypedIsAnsweredBesideItAsTheCommandLineAnswersIt) {
  type(QString::fromLatin1(kWorksheet));
  // glyphbox-cli's plain answer: each worksheet line, then its day indented.
  const auto cli = testing_process::runCli({"inscription"}, kWorksheet);
  std::vector<std::string> days; // the row under each worksheet line, or ""
  std::istringstream out(cli.out);
  for (std::string line; std::getline(out, line);) {
    if (!line.starts_with("  ")) {
      days.emplace_back();
    } else if (days.back().empty() && line.find(" CE  ") != std::string::npos) {
      days.back() = line.substr(2);
    } else if (days.back().empty() && line.find(" BCE  ") != std::string::npos) {
      days.back() = line.substr(2);
    }
  }
  const auto& answers = editor->answers();
  ASSERT_EQ(answers.size(), days.size());
  for (std::size_t i = 0; i < answers.size(); ++i) {
    const std::string shown = answers[i].text.toStdString();
    if (!days[i].empty()) {
      EXPECT_EQ(shown.substr(0, days[i].size()), days[i]) << "line " << i + 1;
    }
  }
  // The line that disagrees and the refused ones say so; the others do not.
  const std::vector<bool> wrong = {false, false, false, false, false, true, true, true};
  for (std::size_t i = 0; i < answers.size(); ++i) {
    EXPECT_EQ(answers[i].wrong, wrong[i]) << "line " << i + 1;
  }
  // A refused line's answer is the command line's reason.
  EXPECT_NE(cli.err.find("line 7: \"foo\": " + answers[6].text.toStdString()), std::string::npos)
      << cli.err << answers[6].text.toStdString();
  EXPECT_NE(cli.err.find(answers[7].text.toStdString()), std::string::npos) << cli.err;
  EXPECT_TRUE(answers[4].details.startsWith(QStringLiteral("read in the era before")));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(InscriptionViewTest, CluesThatDisagreeAreMarkedInTheTextAndExplained) {
  type(QStringLiteral("9.12.11.5.18 7 Etznab 11 Yax G2"));
  const auto& marks = editor->marks();
  ASSERT_EQ(marks.size(), 2u);
  const QString line = editor->document()->firstBlock().text();
  EXPECT_EQ(line.mid(marks[0].from, marks[0].length), QStringLiteral("7 Etznab"));
  EXPECT_EQ(line.mid(marks[1].from, marks[1].length), QStringLiteral("G2"));
  EXPECT_EQ(editor->extraSelections().size(), 2);
  EXPECT_EQ(editor->extraSelections()[0].format.underlineStyle(), QTextCharFormat::WaveUnderline);
  // The tooltip over the mark, and none over a clue that agrees.
  QTextCursor at(editor->document()->firstBlock());
  at.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, marks[0].from + 2);
  EXPECT_EQ(editor->toolTipAt(editor->cursorRect(at).center()),
            QStringLiteral("7 Etznab: disagrees: the arithmetic gives 6 Etznab"));
  at.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 10); // within "11 Yax"
  EXPECT_EQ(editor->toolTipAt(editor->cursorRect(at).center()), QString());
  // The answer's tooltip has every verdict and the nearest days that agree.
  const QString details = editor->answers()[0].details;
  EXPECT_TRUE(details.contains(QStringLiteral("11 Yax: agrees"))) << details.toStdString();
  EXPECT_TRUE(details.contains(QStringLiteral("every clue agrees"))) << details.toStdString();
  // Mended, the marks go.
  QTest::keyClick(editor, Qt::Key_Backspace);
  QTest::keyClick(editor, '1');
  EXPECT_EQ(editor->marks().size(), 1u);
}

TEST_F(InscriptionViewTest, TheMarginWidensForTheWidestAnswerWithinItsShare) {
  editor->resize(1000, 400);
  const int usual = editor->marginWidth();
  // A long answer (a longer language's words) widens the margin to show it
  // whole; the text keeps a third of the editor however long the answer.
  struct Case {
    int characters;
    bool whole;
  };
  for (const Case c : {Case{10, true}, Case{60, true}, Case{90, true}, Case{400, false}}) {
    const QString text(c.characters, QLatin1Char('x'));
    editor->setAnswers({{text, QString(), false}});
    const int needed = editor->fontMetrics().horizontalAdvance(text);
    EXPECT_GE(editor->marginWidth(), usual) << c.characters;
    EXPECT_LE(editor->marginWidth(), 2 * editor->width() / 3) << c.characters;
    EXPECT_EQ(editor->marginWidth() > needed, c.whole) << c.characters;
  }
  editor->setAnswers({});
  EXPECT_EQ(editor->marginWidth(), usual);
}

TEST_F(InscriptionViewTest, APickerChangedAnswersTheWorksheetAgain) {
  type(QStringLiteral("9.12.11.5.18 6 Etz'nab 11 Yax"));
  EXPECT_TRUE(editor->answers()[0].text.contains(QStringLiteral("6 Etznab")));
  chooseItem(child<QComboBox>(QStringLiteral("spelling")), QStringLiteral("Modern (Ajaw, Kumk'u)"));
  EXPECT_TRUE(editor->answers()[0].text.contains(QStringLiteral("6 Etz'nab")))
      << editor->answers()[0].text.toStdString();
}

TEST_F(InscriptionViewTest, AFileOpenedEditedSavedAndReopenedKeepsItsBytes) {
  // A byte-order mark and CR LF line ends, as another editor may write them.
  const QByteArray original = QByteArrayLiteral("\xEF\xBB\xBF"
                                                "9.12.11.5.18 6 Etznab\r\n+1d 7 Cauac\r\n");
  const QString path = scratch(QStringLiteral("worksheet.txt"));
  write(path, original);
  ASSERT_EQ(view->openFile(path), QString());
  EXPECT_FALSE(view->isModified());
  EXPECT_EQ(editor->answers().size(), 2u);
  EXPECT_TRUE(window->windowTitle().startsWith(QFileInfo(path).fileName()));

  editor->moveCursor(QTextCursor::End);
  type(QStringLiteral("+2d 9 Imix"));
  EXPECT_TRUE(view->isModified());
  EXPECT_TRUE(window->isWindowModified());
  QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(view->isModified());
  const QByteArray saved = read(path);
  EXPECT_EQ(saved, original + "+2d 9 Imix");

  // Reopened and saved unchanged: the same bytes.
  ASSERT_EQ(view->openFile(path), QString());
  EXPECT_EQ(editor->toPlainText(),
            QStringLiteral("9.12.11.5.18 6 Etznab\n+1d 7 Cauac\n+2d 9 Imix"));
  const QString again = scratch(QStringLiteral("again.txt"));
  ASSERT_EQ(view->saveFile(again), QString());
  EXPECT_EQ(read(again), saved);

  // The same with plain LF line ends and no mark.
  write(path, "9.12.11.5.18\n\n# nothing\n");
  ASSERT_EQ(view->openFile(path), QString());
  ASSERT_EQ(view->saveFile(again), QString());
  EXPECT_EQ(read(again), QByteArray("9.12.11.5.18\n\n# nothing\n"));

  EXPECT_FALSE(view->openFile(QStringLiteral("/nonexistent/worksheet.txt")).isEmpty());
  EXPECT_FALSE(view->saveFile(QStringLiteral("/nonexistent/worksheet.txt")).isEmpty());
}

TEST_F(InscriptionViewTest, UnsavedChangesAreAskedAboutBeforeTheyAreLost) {
  type(QStringLiteral("9.12.11.5.18"));
  // Cancel keeps the text; Discard loses it.
  EXPECT_TRUE(answerPrompt(QMessageBox::Cancel, [&] { view->newAction()->trigger(); }));
  EXPECT_EQ(editor->toPlainText(), QStringLiteral("9.12.11.5.18"));
  EXPECT_TRUE(answerPrompt(QMessageBox::Discard, [&] { view->newAction()->trigger(); }));
  EXPECT_EQ(editor->toPlainText(), QString());
  // Nothing to lose: no question.
  EXPECT_FALSE(answerPrompt(QMessageBox::Cancel, [&] { view->newAction()->trigger(); }));

  // Closing the window: Cancel keeps it open, Save writes the file first.
  const QString path = scratch(QStringLiteral("closing.txt"));
  write(path, "9.12.11.5.18\n");
  ASSERT_EQ(view->openFile(path), QString());
  editor->moveCursor(QTextCursor::End);
  type(QStringLiteral("+1d"));
  EXPECT_TRUE(answerPrompt(QMessageBox::Cancel, [&] { window->close(); }));
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(answerPrompt(QMessageBox::Save, [&] { window->close(); }));
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(read(path), QByteArray("9.12.11.5.18\n+1d"));
}

TEST_F(InscriptionViewTest, RecentFilesAreListedNewestFirstKeptAndOpened) {
  const QString first = scratch(QStringLiteral("first.txt"));
  const QString second = scratch(QStringLiteral("second.txt"));
  write(first, "9.12.11.5.18\n");
  write(second, "13.0.0.0.0\n");
  ASSERT_EQ(view->openFile(first), QString());
  ASSERT_EQ(view->openFile(second), QString());
  window->close();
  open(); // the next run
  view = window->inscriptionView();
  editor = view->editor();
  const QList<QAction*> recent = view->recentMenu()->actions();
  ASSERT_EQ(recent.size(), 2);
  EXPECT_EQ(recent[0]->data().toString(), QFileInfo(second).absoluteFilePath());
  EXPECT_EQ(recent[1]->data().toString(), QFileInfo(first).absoluteFilePath());
  recent[1]->trigger();
  EXPECT_EQ(view->filePath(), QFileInfo(first).absoluteFilePath());
  EXPECT_EQ(editor->toPlainText(), QStringLiteral("9.12.11.5.18\n"));
  EXPECT_EQ(view->recentMenu()->actions()[0]->data().toString(),
            QFileInfo(first).absoluteFilePath());
}

TEST_F(InscriptionViewTest, TheAnsweredRowsAreExportedAsTheCommandLinesCsv) {
  type(QString::fromLatin1(kWorksheet));
  const QString path = scratch(QStringLiteral("answers.csv"));
  ASSERT_EQ(view->writeCsv(path), QString());
  const auto cli = testing_process::runCli({"inscription", "--format", "csv"}, kWorksheet);
  EXPECT_EQ(read(path).toStdString(), cli.out);
}

} // namespace
} // namespace glyphbox::workbench
