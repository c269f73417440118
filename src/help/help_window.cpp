// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_window.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "base/guarded_run.h"
#include "help/click_label.h"
#include "help/help_text.h"
#include "help/song_font.h"
#include "help_log.h"
#include "platform/font_substitutions.h"
#include "platform/numbered_files.h"
#include "platform/report_error.h"
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
  platform::reportError(lcHelp(), platform::Failure::Command, message, &parent);
}

void setTextColour(QWidget& control, const QColor& colour) {
  QPalette palette = control.palette();
  palette.setColor(QPalette::WindowText, colour);
  control.setPalette(palette);
}

QRect inPixels(int left, int top, int width, int height) {
  return platform::Twips::ofScreen().toPixels(QRect(left, top, width, height));
}

ClickLabel* createLink(QWidget& parent, const char* objectName, const QString& text, int left) {
  auto* link = new ClickLabel(text, &parent);
  link->setObjectName(QString::fromLatin1(objectName));
  link->setGeometry(inPixels(left, 3840, 975, 255));
  link->setFont(songFont(12, true));
  setTextColour(*link, kGreen);
  return link;
}

}  // namespace

HelpWindow::HelpWindow(platform::NumberedFiles& files)
    : files_(files),
      activationTracker_(*this),
      reportError_(showErrorBox),
      readText_(readHelpText) {
  registerHelpResources();
  platform::installFontSubstitutions();
  background_.load(QStringLiteral(":/help/help_background.jpg"));
  setObjectName(QStringLiteral("zcb"));
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setWindowTitle(QStringLiteral("帮助"));
  const platform::Twips twips = platform::Twips::ofScreen();
  setFixedSize(twips.toPixelsX(kClientWidth), twips.toPixelsY(kClientHeight));
  createControls();
  connectHandlers();
  platform::keepOutOfTaskbar(*this);
}

void HelpWindow::createControls() {
  // Created from the bottom of the stacking order to its top: later siblings lie above.
  textArea_ = new QLabel(this);
  textArea_->setObjectName(QStringLiteral("Label9"));
  textArea_->setGeometry(inPixels(240, 480, 4575, kTextAreaHeightWhenCreated));
  textArea_->setTextFormat(Qt::PlainText);
  textArea_->setWordWrap(true);
  textArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  textArea_->setFont(songFont(10.5));
  setTextColour(*textArea_, kDarkBlue);

  introductionLink_ = createLink(*this, "Label10", QStringLiteral("软件介绍"), 1440);
  usageLink_ = createLink(*this, "Label11", QStringLiteral("使用帮助"), 2640);

  welcomeLabel_ = new QLabel(QStringLiteral("澄木英语学习机欢迎你"), this);
  welcomeLabel_->setObjectName(QStringLiteral("Label12"));
  welcomeLabel_->setGeometry(inPixels(600, 0, 3375, 375));
  welcomeLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  welcomeLabel_->setFont(songFont(15.75));
  setTextColour(*welcomeLabel_, kGreen);
  welcomeLabel_->hide();

  closeButton_ = new QPushButton(QStringLiteral("退出"), this);
  closeButton_->setObjectName(QStringLiteral("Command2"));
  closeButton_->setGeometry(inPixels(3960, 3720, 615, 375));
  closeButton_->setFont(songFont(10.5));
}

void HelpWindow::connectHandlers() {
  const QString introduction = QString::fromUtf8(kIntroductionFile);
  const QString usage = QString::fromUtf8(kUsageFile);
  connect(introductionLink_, &ClickLabel::clicked, this,
          [this, introduction] { runHandler([&] { showHelpText(introduction); }); });
  connect(usageLink_, &ClickLabel::clicked, this,
          [this, usage] { runHandler([&] { showHelpText(usage); }); });
  connect(closeButton_, &QPushButton::clicked, this, &QWidget::hide);
  connect(&activationTracker_, &ActivationTracker::activatedFromProgram, this,
          [this] { runHandler([this] { activate(); }); });
}

void HelpWindow::showHelp() {
  moveToHelpPosition();
  activationTracker_.ignoreNextActivation();
  show();
  raise();
  activateWindow();
  runHandler([this] { activate(); });
}

void HelpWindow::showHelpText(const QString& fileName) {
  const QString text = readText_(files_, fileName);
  textArea_->setText(text);
}

void HelpWindow::setErrorReporter(ErrorReporter reporter) {
  reportError_ = std::move(reporter);
}

void HelpWindow::setTextReader(TextReader reader) {
  readText_ = std::move(reader);
}

void HelpWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawPixmap(0, 0, background_);
}

void HelpWindow::activate() {
  moveToHelpPosition();
  showHelpText(QString::fromUtf8(kIntroductionFile));
  textArea_->show();
  welcomeLabel_->show();
  textArea_->resize(textArea_->width(), platform::Twips::ofScreen().toPixelsY(kTextAreaHeight));
}

void HelpWindow::moveToHelpPosition() {
  const platform::Twips twips = platform::Twips::ofScreen();
  setGeometry(twips.toPixelsX(kWindowLeft), twips.toPixelsY(kWindowTop), width(), height());
}

void HelpWindow::runHandler(const std::function<void()>& handler) {
  base::runGuarded(handler, [this](const QString& message) { reportError_(*this, message); });
}

}  // namespace help
