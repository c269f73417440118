// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolbar_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "grip_glyph.h"
#include "help/help_window.h"
#include "lesson/sentence_window.h"
#include "platform/font_substitutions.h"
#include "platform/log.h"
#include "platform/report_error.h"
#include "platform/taskbar_hint.h"
#include "slow_speech_setting.h"
#include "stage/cast_setup.h"
#include "stage/opening_scene.h"
#include "toolbar_command_target.h"

namespace app {
namespace {

// Where the bar stands when created, in twips; starting docks it.
const QRect kCreatedGeometryTwips(3870, 2745, 2400, 1035);
const QRect kGripGeometryTwips(0, 20, 240, 255);
constexpr int kPollIntervalMs = 100;

const QColor kBackground(0, 0, 192);
const QColor kButtonFace(224, 224, 224);

constexpr int kButtonWidthTwips = 366;
constexpr int kButtonHeightTwips = 303;

QFont buttonFont() {
  QFont font(QStringLiteral("宋体"));
  font.setPointSizeF(10.5);
  font.setWeight(QFont::Normal);
  return font;
}

bool isGripMouseEvent(QEvent::Type type) {
  return type == QEvent::MouseButtonPress || type == QEvent::MouseMove ||
         type == QEvent::MouseButtonRelease;
}

}  // namespace

ToolbarWindow::ToolbarWindow(character::Engine& engine, listening::Listener& listener,
                             const WindowSystemFactory& makeWindowSystem)
    : engine_(engine),
      twips_(platform::Twips::ofScreen()),
      windowSystem_(makeWindowSystem(*this)),
      docking_(*windowSystem_, twips_, twips_.toPixels(kCreatedGeometryTwips)),
      learnerTurn_(cast_, listener,
                   [this] { return engine_.frame(cast_[stage::Role::Host].state()); }) {
  platform::installFontSubstitutions();
  setUpWindow();
  createGrip();
  createButtons();
  setUpLearnerMenu();
  pollTimer_.setObjectName(QStringLiteral("Timer1"));
  pollTimer_.setInterval(kPollIntervalMs);
  connect(&pollTimer_, &QTimer::timeout, this, [this] { runHandler([this] { pollCursor(); }); });
  docking_.placeInitially();
}

ToolbarWindow::~ToolbarWindow() = default;

lesson::SentenceWindow& ToolbarWindow::sentenceWindow() {
  if (!sentenceWindow_) {
    sentenceWindow_ = std::make_unique<lesson::SentenceWindow>();
    sentenceWindow_->addActions({&learnerMenu_.yourTurn(), &learnerMenu_.sayAgain()});
  }
  return *sentenceWindow_;
}

help::HelpWindow& ToolbarWindow::helpWindow() {
  if (!helpWindow_) helpWindow_ = std::make_unique<help::HelpWindow>(files_);
  return *helpWindow_;
}

QPushButton& ToolbarWindow::button(commands::Command command) const {
  return *buttons_.at(static_cast<std::size_t>(commands::buttonIndex(command)));
}

// A tool window without frame that stays above the others; the window system places it where
// the bar says.
void ToolbarWindow::setUpWindow() {
  setObjectName(QStringLiteral("maun"));
  setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setWindowTitle(QStringLiteral("Form1"));
  QPalette background = palette();
  background.setColor(QPalette::Window, kBackground);
  setPalette(background);
  setAutoFillBackground(true);
  platform::keepOutOfTaskbar(*this);
}

void ToolbarWindow::createGrip() {
  grip_ = new QLabel(this);
  grip_->setObjectName(QStringLiteral("Image1"));
  const QPixmap glyph = QPixmap::fromImage(gripGlyph());
  grip_->setPixmap(glyph);
  // Shown at the bitmap's own size, not stretched to the control's.
  grip_->setGeometry(QRect(twips_.toPixels(kGripGeometryTwips).topLeft(), glyph.size()));
  grip_->setToolTip(QStringLiteral("按住可移动"));
  grip_->installEventFilter(this);
}

void ToolbarWindow::createButtons() {
  QPalette face = palette();
  face.setColor(QPalette::Button, kButtonFace);
  for (std::size_t index = 0; index < commands::kCommandButtons.size(); ++index) {
    const commands::CommandButton& entry = commands::kCommandButtons[index];
    auto* button = new QPushButton(QString::fromUtf8(entry.caption), this);
    button->setObjectName(QStringLiteral("Command1_%1").arg(index));
    button->setToolTip(QString::fromUtf8(entry.toolTip));
    button->setGeometry(
        twips_.toPixels(QRect(entry.leftTwips, 0, kButtonWidthTwips, kButtonHeightTwips)));
    button->setPalette(face);
    button->setFont(buttonFont());
    const commands::Command command = entry.command;
    connect(button, &QPushButton::clicked, this, [this, command] { run(command); });
    button->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(button, &QWidget::customContextMenuRequested, this,
            [this, button](QPoint place) { learnerMenu_.popup(button->mapToGlobal(place)); });
    buttons_[index] = button;
  }
  for (std::size_t index = 1; index < buttons_.size(); ++index) {
    setTabOrder(buttons_[index - 1], buttons_[index]);
  }
}

void ToolbarWindow::setUpLearnerMenu() {
  connect(&learnerMenu_.yourTurn(), &QAction::triggered, this,
          [this] { runLearnerCommand(commands::takeYourTurn); });
  connect(&learnerMenu_.sayAgain(), &QAction::triggered, this,
          [this] { runLearnerCommand(commands::sayItAgain); });
  QAction& slowSpeech = learnerMenu_.slowSpeech();
  slowSpeech.setChecked(slowSpeechChosen());
  engine_.setSpeechPace(slowSpeech.isChecked() ? kSlowSpeechPace : 1.0);
  connect(&slowSpeech, &QAction::toggled, this, [this](bool slow) { setSlowSpeech(slow); });
}

void ToolbarWindow::setSlowSpeech(bool slow) {
  engine_.setSpeechPace(slow ? kSlowSpeechPace : 1.0);
  keepSlowSpeechChoice(slow);
}

void ToolbarWindow::start(const QString& programFolder) {
  stage::setUpCast(engine_, cast_, programFolder);
  stage::queueOpeningScene(cast_);
  dock();
  pollTimer_.start();
}

void ToolbarWindow::dock() {
  docking_.dock();
}

void ToolbarWindow::run(commands::Command command) {
  if (command == commands::Command::OpenLesson) startupLessonTimer_.stop();
  commands::ToolbarCommandTarget target(*this);
  commands::run(target, command);
}

void ToolbarWindow::runLearnerCommand(void (*command)(commands::CommandTarget& target)) {
  commands::ToolbarCommandTarget target(*this);
  command(target);
}

void ToolbarWindow::openLessonFile(const QString& path) {
  startupLessonTimer_.stop();
  commands::ToolbarCommandTarget target(*this);
  commands::openLessonFile(target, path);
}

// The host's queue ends with the opening scene; a wait queued behind it finishes with the scene
// (or at once when "停" interrupts it).
void ToolbarWindow::openLessonAfterOpeningScene(const QString& path) {
  const character::Request sceneOver =
      cast_[stage::Role::Host].Wait(cast_.request(stage::Role::Girl));
  startupLessonTimer_.disconnect();
  connect(&startupLessonTimer_, &QTimer::timeout, this, [this, sceneOver, path] {
    if (sceneOver.isFinished()) openLessonFile(path);
  });
  startupLessonTimer_.start(kPollIntervalMs);
}

void ToolbarWindow::bringIntoView() {
  runHandler([this] { dock(); });
  raise();
}

void ToolbarWindow::pollCursor() {
  docking_.pollCursor();
}

void ToolbarWindow::runHandler(const std::function<void()>& handler) {
  platform::runReporting(handler,
                         [](const QString& message) { qCWarning(lcApp).noquote() << message; });
}

// Every repaint keeps the bar on top, without activating it.
void ToolbarWindow::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  runHandler([this] { docking_.keepOnTop(); });
}

// Ignored here: the quit command ends the program, or, when the characters cannot be released,
// reports that and leaves the bar where it was.
void ToolbarWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  run(commands::Command::Quit);
}

// The grip's press, moves and release, with any button. While a button is held, the window
// system keeps sending the moves and the release to the grip wherever the cursor goes.
bool ToolbarWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != grip_ || !isGripMouseEvent(event->type())) {
    return QWidget::eventFilter(watched, event);
  }
  runHandler([this, type = event->type()] {
    switch (type) {
      case QEvent::MouseButtonPress:
        docking_.gripPressed();
        break;
      case QEvent::MouseMove:
        docking_.gripMoved();
        break;
      default:
        docking_.gripReleased();
        break;
    }
  });
  return true;
}

}  // namespace app
