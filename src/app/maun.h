#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "bar_docking.h"
#include "character/engine.h"
#include "platform/numbered_files.h"
#include "platform/twips.h"
#include "platform/window_system.h"
#include "stage/cast.h"

class QLabel;
class QPushButton;

namespace lesson {
class lx;
}
namespace help {
class zcb;
}

namespace app {

// The toolbar form: a thin bar at the top edge of the screen with the drag grip `Image1` and
// the six command buttons `Command1`. It owns the program's run-time state for the whole run:
// the docking and drag state, `LineCounter` and the cast of three characters.
class maun : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kButtonCount = 6;
  using WindowSystemFactory =
      std::function<std::unique_ptr<platform::WindowSystem>(QWidget& window)>;

  // The form as created, before loading: not shown, at its creation place, with every control.
  explicit maun(character::Engine& engine,
                const WindowSystemFactory& makeWindowSystem = platform::createDesktopWindowSystem);
  ~maun() override;

  // The load handler: sets up the cast from the character files in `programFolder`, queues
  // the opening scene, docks the bar and starts the poll. Throws character::AgentError when a
  // character cannot be loaded or a call of the scene fails.
  void Form_Load(const QString& programFolder);
  // Docks the bar: 300 twips high at the top edge of the screen, at its current left.
  void Get_Windows_Rect();
  void Command1_Click(int index);
  // The poll of Timer1, every 100 ms once loaded.
  void Timer1_Timer();

  stage::Cast& cast() { return cast_; }
  std::int32_t& LineCounter() { return lineCounter_; }
  // The program's numbered open files (the lesson, a help text while it is read).
  platform::NumberedFiles& files() { return files_; }
  // The sentence window and the help window: single instances, created hidden on first use.
  lesson::lx& lx();
  help::zcb& zcb();

  QLabel& Image1() const { return *image1_; }
  QPushButton& Command1(int index) const { return *command1_.at(index); }
  const QTimer& Timer1() const { return timer1_; }
  const BarDocking& docking() const { return docking_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setUpWindow();
  void createImage1();
  void createCommand1();

  character::Engine& engine_;
  platform::Twips twips_;
  std::unique_ptr<platform::WindowSystem> windowSystem_;
  BarDocking docking_;
  std::int32_t lineCounter_ = 0;
  stage::Cast cast_;
  platform::NumberedFiles files_;
  std::unique_ptr<lesson::lx> lx_;
  std::unique_ptr<help::zcb> zcb_;
  QLabel* image1_ = nullptr;
  std::array<QPushButton*, kButtonCount> command1_{};
  QTimer timer1_;
};

}  // namespace app
