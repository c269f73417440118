// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include "help/help_window.h"
#include "platform/numbered_files.h"

namespace help_test {

inline void processEvents() {
  QApplication::processEvents();
}

// A left click in the middle of `control`, as the window system delivers it.
inline void click(QWidget& control) {
  const QPointF centre = QRectF(control.rect()).center();
  const QPointF global = control.mapToGlobal(centre);
  QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&control, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(&control, &release);
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
    qFatal("cannot write %s", qPrintable(path));
  }
}

// Runs a test in a fresh temporary current directory, with a help window whose failures are
// recorded instead of shown in a message box.
class HelpWindowTest : public ::testing::Test {
 protected:
  HelpWindowTest() {
    QDir::setCurrent(directory_.path());
    window_.setErrorReporter(
        [this](QWidget&, const QString& message) { reportedErrors_.append(message); });
  }
  ~HelpWindowTest() override { QDir::setCurrent(previousDirectory_); }

  void writeIntroduction(const QByteArray& bytes) {
    writeFile(QString::fromUtf8(help::kIntroductionFile), bytes);
  }
  void writeUsage(const QByteArray& bytes) {
    writeFile(QString::fromUtf8(help::kUsageFile), bytes);
  }

  QString shownText() const { return window_.textArea()->text(); }

  QString previousDirectory_ = QDir::currentPath();
  QTemporaryDir directory_;
  platform::NumberedFiles files_;
  help::HelpWindow window_{files_};
  QStringList reportedErrors_;
};

}  // namespace help_test
