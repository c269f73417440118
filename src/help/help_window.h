// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>
#include <functional>

#include "help/activation_tracker.h"

class QLabel;
class QPushButton;

namespace platform {
class NumberedFiles;
}

namespace help {

class ClickLabel;

// The file names of the two help texts, looked up in the current directory.
inline constexpr char kIntroductionFile[] = "软件介绍.txt";
inline constexpr char kUsageFile[] = "使用帮助.txt";

// The help window (object name "zcb"): shows the introduction or the usage guide over a pale
// picture, just below the docked toolbar. A single instance, hidden and shown again, never
// destroyed.
//
// Every time it becomes active coming from another window of the program (the toolbar, the
// sentence window) or through showHelp(), it moves back to its place and shows the
// introduction again.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  // Receives the message of a failure inside the window's own handlers.
  using ErrorReporter = std::function<void(QWidget& parent, const QString& message)>;
  // Reads a help text by its bare name from the numbered files, as readHelpText() does.
  using TextReader = std::function<QString(platform::NumberedFiles& files, const QString& name)>;

  // `files` are the program's numbered files; a help text is read under number 3.
  explicit HelpWindow(platform::NumberedFiles& files);

  // The toolbar's "帮": shows the window (not modal, no owner), brings it to the front and runs
  // the activation, also when it is already shown. A failure goes to the error reporter.
  void showHelp();

  // Reads the help text `fileName` (a bare name: from the current directory, created empty
  // when missing) and shows it in the text area, then closes all numbered files. Throws
  // platform::FileError when the file cannot be opened or read, std::runtime_error when it
  // cannot be decoded; the text area then keeps its text.
  void showHelpText(const QString& fileName);

  // Replaces the message box that shows failures (tests record them instead).
  void setErrorReporter(ErrorReporter reporter);
  // Replaces the reading of help texts (tests feed failures through it).
  void setTextReader(TextReader reader);

  // The controls: "Command2", "Label9", "Label10", "Label11" and "Label12".
  QPushButton* closeButton() const { return closeButton_; }
  QLabel* textArea() const { return textArea_; }
  ClickLabel* introductionLink() const { return introductionLink_; }
  ClickLabel* usageLink() const { return usageLink_; }
  QLabel* welcomeLabel() const { return welcomeLabel_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void createControls();
  void connectHandlers();
  // Steps of an activation: back to its place, the introduction, the text area at full height
  // and the welcome line. Throws what showHelpText() throws.
  void activate();
  void moveToHelpPosition();
  // Runs one of the window's handlers; a failure is reported and the program goes on.
  void runHandler(const std::function<void()>& handler);

  platform::NumberedFiles& files_;
  QPixmap background_;
  ActivationTracker activationTracker_;
  ErrorReporter reportError_;
  TextReader readText_;
  QLabel* textArea_ = nullptr;
  ClickLabel* introductionLink_ = nullptr;
  ClickLabel* usageLink_ = nullptr;
  QLabel* welcomeLabel_ = nullptr;
  QPushButton* closeButton_ = nullptr;
};

}  // namespace help
