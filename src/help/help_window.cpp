#include "help/help_window.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

#include "help/click_label.h"
#include "help/help_text.h"
#include "help/song_font.h"
#include "platform/font_substitutions.h"
#include "platform/numbered_files.h"
#include "platform/taskbar_hint.h"
#include "platform/twips.h"

// Resources of a static library must be registered by name, outside any namespace.
static void registerHelpResources() {
  Q_INIT_RESOURCE(help);
}

namespace help {
namespace {

// Measures of the window and its controls, in twips.
constexpr int kWindowLeft = 5000;
constexpr int kWindowTop = 380;
constexpr int kClientWidth = 4800;
constexpr int kClientHeight = 4200;
constexpr int kTextAreaHeightWhenCreated = 2295;
constexpr int kTextAreaHeight = 3375;

const QColor kGreen(0, 128, 0);
const QColor kDarkBlue(0, 0, 192);

void showErrorBox(QWidget& parent, const QString& message) {
  QMessageBox::critical(&parent, QApplication::applicationDisplayName(), message);
}

void setTextColour(QWidget& control, const QColor& colour) {
  QPalette palette = control.palette();
  palette.setColor(QPalette::WindowText, colour);
  control.setPalette(palette);
}

QRect inPixels(int left, int top, int width, int height) {
  return platform::Twips::ofScreen().toPixels(QRect(left, top, width, height));
}

ClickLabel* createLink(QWidget& parent, const QString& text, int left) {
  auto* link = new ClickLabel(text, &parent);
  link->setGeometry(inPixels(left, 3840, 975, 255));
  link->setFont(songFont(12, true));
  setTextColour(*link, kGreen);
  return link;
}

}  // namespace

zcb::zcb(platform::NumberedFiles& files)
    : files_(files), activationTracker_(*this), reportError_(showErrorBox) {
  registerHelpResources();
  platform::installFontSubstitutions();
  background_.load(QStringLiteral(":/help/help_background.jpg"));
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setWindowTitle(QStringLiteral("帮助"));
  const platform::Twips twips = platform::Twips::ofScreen();
  setFixedSize(twips.toPixelsX(kClientWidth), twips.toPixelsY(kClientHeight));
  createControls();
  connectHandlers();
}

void zcb::createControls() {
  // Created from the bottom of the stacking order to its top: later siblings lie above.
  label9_ = new QLabel(this);
  label9_->setGeometry(inPixels(240, 480, 4575, kTextAreaHeightWhenCreated));
  label9_->setTextFormat(Qt::PlainText);
  label9_->setWordWrap(true);
  label9_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label9_->setFont(songFont(10.5));
  setTextColour(*label9_, kDarkBlue);

  label10_ = createLink(*this, QStringLiteral("软件介绍"), 1440);
  label11_ = createLink(*this, QStringLiteral("使用帮助"), 2640);

  label12_ = new QLabel(QStringLiteral("澄木英语学习机欢迎你"), this);
  label12_->setGeometry(inPixels(600, 0, 3375, 375));
  label12_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label12_->setFont(songFont(15.75));
  setTextColour(*label12_, kGreen);
  label12_->hide();

  command2_ = new QPushButton(QStringLiteral("退出"), this);
  command2_->setGeometry(inPixels(3960, 3720, 615, 375));
  command2_->setFont(songFont(10.5));
}

void zcb::connectHandlers() {
  const QString introduction = QString::fromUtf8(kIntroductionFile);
  const QString usage = QString::fromUtf8(kUsageFile);
  connect(label10_, &ClickLabel::clicked, this,
          [this, introduction] { runHandler([&] { showHelpText(introduction); }); });
  connect(label11_, &ClickLabel::clicked, this,
          [this, usage] { runHandler([&] { showHelpText(usage); }); });
  connect(command2_, &QPushButton::clicked, this, &QWidget::hide);
  connect(&activationTracker_, &ActivationTracker::activatedFromProgram, this,
          [this] { runHandler([this] { activate(); }); });
}

void zcb::showHelp() {
  moveToHelpPosition();
  if (!isVisible()) {
    platform::keepOutOfTaskbar(*this);  // a window manager forgets it when the window hides
  }
  activationTracker_.ignoreNextActivation();
  show();
  raise();
  activateWindow();
  runHandler([this] { activate(); });
}

void zcb::showHelpText(const QString& fileName) {
  const QString text = readHelpText(files_, fileName);
  label9_->setText(text);
}

void zcb::setErrorReporter(ErrorReporter reporter) {
  reportError_ = std::move(reporter);
}

void zcb::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, background_);
}

void zcb::activate() {
  moveToHelpPosition();
  showHelpText(QString::fromUtf8(kIntroductionFile));
  label9_->show();
  label12_->show();
  label9_->resize(label9_->width(), platform::Twips::ofScreen().toPixelsY(kTextAreaHeight));
}

void zcb::moveToHelpPosition() {
  const platform::Twips twips = platform::Twips::ofScreen();
  setGeometry(twips.toPixelsX(kWindowLeft), twips.toPixelsY(kWindowTop), width(), height());
}

void zcb::runHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const platform::FileError& error) {
    reportError_(*this, error.message());
  }
}

}  // namespace help
