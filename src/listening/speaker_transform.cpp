// SPDX-License-Identifier: GPL-3.0-or-later
#include "speaker_transform.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "model_features.h"

namespace listening {

namespace {

constexpr qint64 kLargestTransform = 1 << 20;
constexpr int kMostClasses = 256;

// The widths of the model's feature streams, from its "-svspec 0-12/13-25/26-38".
std::vector<int> streamWidths(const QString& modelDirectory) {
  std::vector<int> widths;
  const QString svspec = modelFeatureOptions(modelDirectory).value(QStringLiteral("-svspec"));
  for (const QString& range : svspec.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
    const QStringList ends = range.split(QLatin1Char('-'));
    if (ends.size() != 2) return {};
    widths.push_back(ends[1].toInt() - ends[0].toInt() + 1);
  }
  return widths;
}

std::optional<std::vector<double>> numbersIn(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text) || file.size() > kLargestTransform)
    return std::nullopt;
  std::vector<double> numbers;
  for (const QString& token :
       QString::fromLatin1(file.readAll())
           .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
    bool ok = false;
    const double number = token.toDouble(&ok);
    if (!ok || !std::isfinite(number)) return std::nullopt;
    numbers.push_back(number);
  }
  return numbers;
}

// The transform's parts in the order the recogniser reads them.
struct TransformLayout {
  std::size_t classes = 0;
  std::vector<std::size_t> widths;
};

// Where each stream's width, matrices, shifts and scales are: the layout when `numbers` are
// exactly a transform, whatever its widths.
std::optional<TransformLayout> layoutOf(const std::vector<double>& numbers) {
  if (numbers.size() < 2 || numbers[0] < 1 || numbers[0] > kMostClasses ||
      numbers[0] != std::floor(numbers[0]) || numbers[1] < 1 || numbers[1] > 16)
    return std::nullopt;
  TransformLayout layout{std::size_t(numbers[0]), {}};
  std::size_t at = 2;
  for (std::size_t stream = 0; stream < std::size_t(numbers[1]); ++stream) {
    if (at >= numbers.size() || numbers[at] < 1 || numbers[at] > 256 ||
        numbers[at] != std::floor(numbers[at]))
      return std::nullopt;
    const auto width = std::size_t(numbers[at]);
    layout.widths.push_back(width);
    at += 1 + layout.classes * (width * width + 2 * width);
  }
  if (at != numbers.size()) return std::nullopt;
  return layout;
}

}  // namespace

bool transformFitsModel(const QString& transformPath, const QString& modelDirectory) {
  const std::vector<int> widths = streamWidths(modelDirectory);
  const auto numbers = numbersIn(transformPath);
  const auto layout = numbers ? layoutOf(*numbers) : std::nullopt;
  return layout && !widths.empty() &&
         std::equal(
             widths.begin(), widths.end(), layout->widths.begin(), layout->widths.end(),
             [](int model, std::size_t transform) { return std::size_t(model) == transform; });
}

bool weighTransform(const QString& transformPath, double weight) {
  const auto numbers = numbersIn(transformPath);
  const auto layout = numbers ? layoutOf(*numbers) : std::nullopt;
  if (!layout) return false;
  QString text = QStringLiteral("%1\n%2\n").arg(layout->classes).arg(layout->widths.size());
  std::size_t at = 2;
  const auto take = [&](std::size_t count, auto value) {
    for (std::size_t k = 0; k < count; ++k)
      text += QString::number(value(k, (*numbers)[at++]), 'g', 9) +
              QLatin1Char(k + 1 == count ? '\n' : ' ');
  };
  for (const std::size_t width : layout->widths) {
    text += QString::number((*numbers)[at++]) + QLatin1Char('\n');
    for (std::size_t c = 0; c < layout->classes; ++c) {
      for (std::size_t row = 0; row < width; ++row)
        take(width, [&](std::size_t column, double a) {
          return weight * a + (1 - weight) * (row == column ? 1.0 : 0.0);
        });
      take(width, [&](std::size_t, double b) { return weight * b; });
      take(width, [](std::size_t, double scale) { return scale; });
    }
  }
  QSaveFile file(transformPath);
  return file.open(QIODevice::WriteOnly) && file.write(text.toLatin1()) >= 0 && file.commit();
}

}  // namespace listening
