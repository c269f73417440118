// SPDX-License-Identifier: GPL-3.0-or-later
#include "score_command.h"

#include "resample_16k.h"
#include "scorer.h"
#include "voice_readings.h"
#include "wav_file.h"

namespace listening {

namespace {

void printScores(const std::vector<WordScore>& scores, QTextStream& out) {
  int heard = 0;
  for (const WordScore& score : scores) {
    out << score.word << '\t' << (score.heard ? "heard" : "missed") << '\n';
    heard += score.heard ? 1 : 0;
  }
  out << "score " << heard << '/' << scores.size() << '\n';
  out.flush();
}

}  // namespace

int runScoreCommand(const QString& wavPath, const QString& sentence, QTextStream& out,
                    QTextStream& err) {
  PcmSound sound;
  QString error;
  if (!readWavFile(wavPath, sound, error)) {
    err << error << '\n';
    err.flush();
    return kScoreBadFile;
  }
  ScorerSettings settings;
  settings.speakerTransform = VoiceReadings(VoiceReadings::learnerFolder()).transformPath();
  const std::unique_ptr<Scorer> scorer = Scorer::create(settings, error);
  const auto scores = scorer ? scorer->score(toRecogniserInput(sound), sentence) : std::nullopt;
  if (!scores) {
    err << (scorer ? QStringLiteral("the speech recogniser failed on %1").arg(wavPath) : error)
        << '\n';
    err.flush();
    return kScoreFailed;
  }
  printScores(*scores, out);
  return kScoreDone;
}

}  // namespace listening
