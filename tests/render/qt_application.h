#pragma once

#include <QApplication>

namespace render_testing {

// The one QApplication the widget tests share (Qt allows one per process). It runs on Qt's
// offscreen platform, set by CTest; it is created on first use and lives until the end.
inline void ensureApplication() {
  if (QApplication::instance()) return;
  static int argc = 1;
  static char name[] = "render_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

}  // namespace render_testing
