// SPDX-License-Identifier: GPL-3.0-or-later
#include "voice_readings.h"

#include <QDir>
#include <QSaveFile>
#include <QStandardPaths>

#include "resample_16k.h"
#include "wav_file.h"

namespace listening {

namespace {

const QString kWavSuffix = QStringLiteral(".wav");
const QString kSentenceSuffix = QStringLiteral(".txt");

// The text of a small file, trimmed.
QString trimmedTextOf(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.read(4096)).trimmed();
}

bool writeText(const QString& path, const QString& text) {
  QSaveFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit();
}

}  // namespace

VoiceReadings::VoiceReadings(QString folder) : folder_(std::move(folder)) {}

QString VoiceReadings::learnerFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/chengmu/voice");
}

QString VoiceReadings::transformPath() const {
  return folder_ + QStringLiteral("/speaker_transform");
}

// Names without their suffix, oldest first.
QStringList VoiceReadings::readingNames() const {
  QStringList names =
      QDir(folder_).entryList({QLatin1Char('*') + kWavSuffix}, QDir::Files, QDir::Name);
  for (QString& name : names) name.chop(kWavSuffix.size());
  return names;
}

bool VoiceReadings::keep(std::span<const std::int16_t> samples, const QString& sentence) {
  if (!QDir().mkpath(folder_)) return false;
  const QStringList names = readingNames();
  const qlonglong next = names.isEmpty() ? 1 : names.last().toLongLong() + 1;
  const QString base = folder_ + QStringLiteral("/%1").arg(next, 8, 10, QLatin1Char('0'));
  PcmSound sound{{samples.begin(), samples.end()}, kRecogniserSampleRate, 1};
  if (!writeText(base + kSentenceSuffix, sentence) || !writeWavFile(base + kWavSuffix, sound))
    return false;
  dropOldest();
  return true;
}

void VoiceReadings::dropOldest() {
  const QStringList names = readingNames();
  QDir folder(folder_);
  for (qsizetype k = 0; k + kKept < names.size(); ++k) {
    folder.remove(names[k] + kWavSuffix);
    folder.remove(names[k] + kSentenceSuffix);
  }
  for (const QString& partial : folder.entryList({QStringLiteral("*.part")}, QDir::Files))
    folder.remove(partial);
}

std::vector<KeptReading> VoiceReadings::readings() const {
  std::vector<KeptReading> kept;
  for (const QString& name : readingNames()) {
    const QString base = folder_ + QLatin1Char('/') + name;
    const QString sentence = trimmedTextOf(base + kSentenceSuffix);
    if (!sentence.isEmpty()) kept.push_back({base + kWavSuffix, sentence});
  }
  return kept;
}

QString VoiceReadings::fittedThroughPath() const {
  return folder_ + QStringLiteral("/fitted_through");
}

bool VoiceReadings::fitDue() const {
  const QStringList names = readingNames();
  const qlonglong newest = names.isEmpty() ? 0 : names.last().toLongLong();
  return newest - trimmedTextOf(fittedThroughPath()).toLongLong() >= kReadingsPerFit;
}

void VoiceReadings::markFitted() {
  const QStringList names = readingNames();
  if (!names.isEmpty()) writeText(fittedThroughPath(), names.last());
}

}  // namespace listening
