// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <span>
#include <vector>

namespace listening {

struct KeptReading {
  QString wavPath;  // mono, 16 kHz
  QString sentence;
};

// The learner's own readings that the recogniser heard every word of, kept (the newest kKept)
// to fit its model to the learner's voice, and the fit itself. A folder: NNNNNNNN.wav with the
// sentence said in NNNNNNNN.txt, the fit in "speaker_transform" and the number of the newest
// reading it was fitted on in "fitted_through". A reading is kept whole or
// not at all: its sentence is written first, then the sound, under its name only once complete.
class VoiceReadings {
 public:
  static constexpr int kKept = 60;
  // Readings before the first fit, and new ones before each fit after it.
  static constexpr int kReadingsPerFit = 10;

  explicit VoiceReadings(QString folder);

  // The learner's: chengmu/voice in the user's data folder.
  static QString learnerFolder();

  // False when it cannot be written (a full disk: the reading is simply not kept).
  bool keep(std::span<const std::int16_t> samples, const QString& sentence);
  // Oldest first; only the complete ones.
  std::vector<KeptReading> readings() const;
  // Whether kReadingsPerFit readings came since the last fit (or since none).
  bool fitDue() const;
  // The fit just made covers the readings kept so far.
  void markFitted();
  QString transformPath() const;

 private:
  QStringList readingNames() const;
  QString fittedThroughPath() const;
  void dropOldest();

  QString folder_;
};

}  // namespace listening
