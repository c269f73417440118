#include "maun.h"

#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "commands.h"
#include "grip_glyph.h"
#include "help/help_window.h"
#include "lesson/lx.h"
#include "platform/font_substitutions.h"
#include "stage/cast_setup.h"
#include "stage/opening_scene.h"

namespace app {
namespace {

// Where the form stands when created, in twips; loading docks it.
const QRect kCreatedGeometryTwips(3870, 2745, 2400, 1035);
const QRect kImage1GeometryTwips(0, 20, 240, 255);
constexpr int kPollIntervalMs = 100;

const QColor kBackground(0, 0, 192);
const QColor kButtonFace(224, 224, 224);

struct ToolbarButton {
  const char* caption;
  const char* toolTip;
  int leftTwips;
};
// By index; the quit button (3) stands rightmost.
constexpr std::array<ToolbarButton, maun::kButtonCount> kButtons = {{
    {"文", "打开学习文件", 240},
    {"读", "朗读英语", 600},
    {"停", "停止", 960},
    {"退", "退出", 2040},
    {"短", "短句输入", 1320},
    {"帮", "看帮助文件", 1680},
}};
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

maun::maun(character::Engine& engine, const WindowSystemFactory& makeWindowSystem)
    : engine_(engine),
      twips_(platform::Twips::ofScreen()),
      windowSystem_(makeWindowSystem(*this)),
      docking_(*windowSystem_, twips_, twips_.toPixels(kCreatedGeometryTwips)) {
  platform::installFontSubstitutions();
  setUpWindow();
  createImage1();
  createCommand1();
  timer1_.setInterval(kPollIntervalMs);
  connect(&timer1_, &QTimer::timeout, this, &maun::Timer1_Timer);
  docking_.placeInitially();
}

maun::~maun() = default;

lesson::lx& maun::lx() {
  if (!lx_) lx_ = std::make_unique<lesson::lx>();
  return *lx_;
}

help::zcb& maun::zcb() {
  if (!zcb_) zcb_ = std::make_unique<help::zcb>(files_);
  return *zcb_;
}

// A tool window without frame that stays above the others; the window system places it where
// the form says.
void maun::setUpWindow() {
  setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setWindowTitle(QStringLiteral("Form1"));
  QPalette background = palette();
  background.setColor(QPalette::Window, kBackground);
  setPalette(background);
  setAutoFillBackground(true);
}

void maun::createImage1() {
  image1_ = new QLabel(this);
  image1_->setObjectName(QStringLiteral("Image1"));
  const QPixmap grip = QPixmap::fromImage(gripGlyph());
  image1_->setPixmap(grip);
  // Shown at the bitmap's own size, not stretched to the control's.
  image1_->setGeometry(QRect(twips_.toPixels(kImage1GeometryTwips).topLeft(), grip.size()));
  image1_->setToolTip(QStringLiteral("按住可移动"));
  image1_->installEventFilter(this);
}

void maun::createCommand1() {
  QPalette face = palette();
  face.setColor(QPalette::Button, kButtonFace);
  for (int index = 0; index < kButtonCount; ++index) {
    const ToolbarButton& entry = kButtons[index];
    auto* button = new QPushButton(QString::fromUtf8(entry.caption), this);
    button->setObjectName(QStringLiteral("Command1_%1").arg(index));
    button->setToolTip(QString::fromUtf8(entry.toolTip));
    button->setGeometry(
        twips_.toPixels(QRect(entry.leftTwips, 0, kButtonWidthTwips, kButtonHeightTwips)));
    button->setPalette(face);
    button->setFont(buttonFont());
    connect(button, &QPushButton::clicked, this, [this, index] { Command1_Click(index); });
    command1_[index] = button;
  }
  for (int index = 1; index < kButtonCount; ++index) {
    setTabOrder(command1_[index - 1], command1_[index]);
  }
}

void maun::Form_Load(const QString& programFolder) {
  stage::setUpCast(engine_, cast_, programFolder);
  stage::queueOpeningScene(cast_);
  Get_Windows_Rect();
  timer1_.start();
}

void maun::Get_Windows_Rect() {
  docking_.Get_Windows_Rect();
}

void maun::Command1_Click(int index) {
  commands::run(*this, index);
}

void maun::Timer1_Timer() {
  docking_.Timer1_Timer();
}

// Every repaint keeps the bar on top, without activating it.
void maun::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  docking_.Form_Paint();
}

// The grip's press, moves and release, with any button. While a button is held, the window
// system keeps sending the moves and the release to the grip wherever the cursor goes.
bool maun::eventFilter(QObject* watched, QEvent* event) {
  if (watched != image1_ || !isGripMouseEvent(event->type())) {
    return QWidget::eventFilter(watched, event);
  }
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      docking_.Image1_MouseDown();
      break;
    case QEvent::MouseMove:
      docking_.Image1_MouseMove();
      break;
    default:
      docking_.Image1_MouseUp();
      break;
  }
  return true;
}

}  // namespace app
