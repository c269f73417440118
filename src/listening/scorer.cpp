// SPDX-License-Identifier: GPL-3.0-or-later
#include "scorer.h"

#include <pocketsphinx.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstdio>

#include "listening_log.h"
#include "pronunciations.h"
#include "reading_dither.h"
#include "sentence_words.h"
#include "speaker_transform.h"

namespace listening {

struct Scorer::Recogniser {
  ps_decoder_t* decoder = nullptr;
  ~Recogniser() {
    if (decoder) ps_free(decoder);
  }
};

QString ScorerSettings::defaultModelDirectory() {
  return QStringLiteral(POCKETSPHINX_MODEL_DIR);
}

namespace {

constexpr char kReadingSearch[] = "reading";
constexpr char kFreePhonesSearch[] = "phones";
constexpr char kRecheckSearch[] = "recheck";
// pocketsphinx keeps acoustic scores shifted right by 10 bits.
constexpr double kAcousticScoreScale = 1 << 10;

QString dictionaryPhones(ps_decoder_t* decoder, const QString& key) {
  char* phones = ps_lookup_word(decoder, key.toUtf8().constData());
  const QString result = phones ? QString::fromUtf8(phones) : QString();
  ckd_free(phones);
  return result;
}

bool addPhoneWords(ps_decoder_t* decoder) {
  for (const QString& phone : recogniserPhones())
    if (ps_add_word(decoder, phoneWord(phone).toUtf8().constData(), phone.toUtf8().constData(),
                    FALSE) < 0)
      return false;
  return true;
}

fsg_model_t* parsedGrammar(const QString& text, ps_decoder_t* decoder) {
  QByteArray bytes = text.toUtf8();
  FILE* stream = fmemopen(bytes.data(), std::size_t(bytes.size()), "r");
  if (!stream) return nullptr;
  const float languageWeight = float(cmd_ln_float32_r(ps_get_config(decoder), "-lw"));
  fsg_model_t* grammar = fsg_model_read(stream, ps_get_logmath(decoder), languageWeight);
  std::fclose(stream);
  return grammar;
}

// "the(2)" is the dictionary's second pronunciation of "the".
QString baseWord(const char* word) {
  QString base = QString::fromUtf8(word);
  const qsizetype alternative = base.indexOf(QLatin1Char('('));
  return alternative > 0 ? base.left(alternative) : base;
}

// The position in the sentence of each decoded segment that is one of its words, matched in
// order: "the cat saw the dog" heard as "... saw the dog" is the second "the", not the first.
// -1 for the other segments.
std::vector<qsizetype> positionsInOrder(const QStringList& dictionaryWords,
                                        const std::vector<DecodedSegment>& segments) {
  std::vector<qsizetype> positions;
  qsizetype next = 0;
  for (const DecodedSegment& segment : segments) {
    const qsizetype found = dictionaryWords.indexOf(segment.word, next);
    positions.push_back(found);
    if (found >= 0) next = found + 1;
  }
  return positions;
}

// How the reading's decode heard each word: kept when it explains its sound within `margin` of
// free phones, and doubtful when free phones still explain it better.
std::vector<FirstHearing> firstHearing(const QStringList& dictionaryWords,
                                       const std::vector<DecodedSegment>& reading,
                                       const std::vector<DecodedSegment>& freePhones,
                                       double margin) {
  std::vector<DecodedSegment> kept;
  for (const DecodedSegment& segment : reading)
    if (wordBeatsFreePhones(segment, freePhones, margin)) kept.push_back(segment);
  const std::vector<qsizetype> positions = positionsInOrder(dictionaryWords, kept);
  std::vector<FirstHearing> hearing(std::size_t(dictionaryWords.size()), FirstHearing::Missed);
  for (std::size_t k = 0; k < kept.size(); ++k)
    if (positions[k] >= 0)
      hearing[std::size_t(positions[k])] = wordBeatsFreePhones(kept[k], freePhones, 0)
                                               ? FirstHearing::Heard
                                               : FirstHearing::Doubtful;
  return hearing;
}

}  // namespace

std::unique_ptr<Scorer> Scorer::create(const ScorerSettings& settings, QString& error) {
  const QDir model(settings.modelDirectory);
  const QByteArray acousticModel = QFile::encodeName(model.filePath(QStringLiteral("en-us")));
  const QByteArray dictionary =
      QFile::encodeName(model.filePath(QStringLiteral("cmudict-en-us.dict")));
  if (!QFile::exists(model.filePath(QStringLiteral("en-us/mdef"))) ||
      !QFile::exists(model.filePath(QStringLiteral("cmudict-en-us.dict")))) {
    error = QStringLiteral(
                "the speech recogniser's model is missing in %1 (install "
                "pocketsphinx-en-us)")
                .arg(settings.modelDirectory);
    return nullptr;
  }
  // No dither of the recogniser's own: each reading is dithered alike (dither()).
  cmd_ln_t* config =
      cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", acousticModel.constData(), "-dict",
                  dictionary.constData(), "-dither", "no", "-logfn", "/dev/null", nullptr);
  auto recogniser = std::make_unique<Recogniser>();
  recogniser->decoder = config ? ps_init(config) : nullptr;
  cmd_ln_free_r(config);
  if (!recogniser->decoder || !addPhoneWords(recogniser->decoder)) {
    error = QStringLiteral("the speech recogniser cannot load its model from %1")
                .arg(settings.modelDirectory);
    return nullptr;
  }
  std::unique_ptr<Scorer> scorer(new Scorer(std::move(recogniser), settings));
  if (QFile::exists(settings.speakerTransform) && !scorer->fitToSpeaker(settings.speakerTransform))
    qCWarning(lcListening, "%s does not fit the recogniser's model: heard without it",
              qUtf8Printable(settings.speakerTransform));
  return scorer;
}

Scorer::Scorer(std::unique_ptr<Recogniser> recogniser, const ScorerSettings& settings)
    : recogniser_(std::move(recogniser)),
      weights_(settings.weights),
      modelDirectory_(settings.modelDirectory) {}

bool Scorer::fitToSpeaker(const QString& transformPath) {
  if (!transformFitsModel(transformPath, modelDirectory_)) return false;
  ps_mllr_t* transform = ps_mllr_read(QFile::encodeName(transformPath).constData());
  return transform && ps_update_mllr(recogniser_->decoder, transform);
}

Scorer::~Scorer() = default;

// The recogniser's word for each word of the sentence, added to its dictionary with a
// generated pronunciation when missing; empty for a word that cannot be said.
QStringList Scorer::dictionaryWordsFor(const QStringList& words) {
  ps_decoder_t* decoder = recogniser_->decoder;
  const DictionaryLookup lookup = [decoder](const QString& key) {
    return dictionaryPhones(decoder, key);
  };
  QStringList dictionaryWords;
  for (const QString& word : words) {
    const QString key = dictionaryKey(word);
    if (!lookup(key).isEmpty()) {
      dictionaryWords << key;
      continue;
    }
    const QString phones = generatedPronunciation(key, lookup);
    const bool added = !phones.isEmpty() && ps_add_word(decoder, key.toUtf8().constData(),
                                                        phones.toUtf8().constData(), FALSE) >= 0;
    dictionaryWords << (added ? key : QString());
  }
  return dictionaryWords;
}

bool Scorer::useGrammar(const char* searchName, const QString& text) {
  ps_decoder_t* decoder = recogniser_->decoder;
  fsg_model_t* grammar = parsedGrammar(text, decoder);
  const bool ready = grammar && ps_set_fsg(decoder, searchName, grammar) == 0 &&
                     ps_set_search(decoder, searchName) == 0;
  if (grammar) fsg_model_free(grammar);
  return ready;
}

// The reading as the current search decodes it, segment by segment.
std::vector<DecodedSegment> Scorer::decode(std::span<const std::int16_t> samples) {
  ps_decoder_t* decoder = recogniser_->decoder;
  std::vector<DecodedSegment> segments;
  if (ps_start_utt(decoder) < 0) return segments;
  ps_process_raw(decoder, samples.data(), samples.size(), FALSE, TRUE);
  ps_end_utt(decoder);
  logmath_t* logmath = ps_get_logmath(decoder);
  for (ps_seg_t* segment = ps_seg_iter(decoder); segment; segment = ps_seg_next(segment)) {
    DecodedSegment decoded{baseWord(ps_seg_word(segment))};
    ps_seg_frames(segment, &decoded.startFrame, &decoded.endFrame);
    int32 acoustic = 0, language = 0, backoff = 0;
    ps_seg_prob(segment, &acoustic, &language, &backoff);
    decoded.acousticScore = logmath_log_to_ln(logmath, acoustic) * kAcousticScoreScale;
    segments.push_back(decoded);
  }
  return segments;
}

// Which words of the sentence the recogniser heard (phones, silences and words whose sound free
// phones explain better left out). The reading grammar's search must be set.
std::vector<bool> Scorer::wordsHeard(std::span<const std::int16_t> samples,
                                     const QStringList& dictionaryWords) {
  const std::vector<std::int16_t> levelled = asDecoded(samples);
  const std::vector<DecodedSegment> reading = decode(levelled);
  if (!useGrammar(kFreePhonesSearch, freePhonesGrammar(weights_.phoneInsteadOfWord)))
    return std::vector<bool>(std::size_t(dictionaryWords.size()), false);
  const std::vector<DecodedSegment> freePhones = decode(levelled);
  const bool mostlyTheSentence =
      sentenceShareOfSpeech(reading, dictionaryWords) >= weights_.sentenceShareOfSpeech;
  const double margin =
      mostlyTheSentence ? weights_.freePhonesMarginPerFrame : weights_.marginWhenMostlyOtherSpeech;
  const std::vector<FirstHearing> first =
      firstHearing(dictionaryWords, reading, freePhones, margin);
  std::vector<bool> heard(first.size());
  for (std::size_t i = 0; i < first.size(); ++i) heard[i] = first[i] != FirstHearing::Missed;
  if (std::find(first.begin(), first.end(), FirstHearing::Doubtful) != first.end())
    recheckDoubtfulWords(levelled, dictionaryWords, first, heard);
  return heard;
}

// The doubtful words heard again (recheckGrammar()): each stays heard only when the second
// decode says it too.
void Scorer::recheckDoubtfulWords(std::span<const std::int16_t> levelled,
                                  const QStringList& dictionaryWords,
                                  const std::vector<FirstHearing>& first,
                                  std::vector<bool>& heard) {
  if (!useGrammar(kRecheckSearch, recheckGrammar(dictionaryWords, first, weights_))) return;
  std::vector<bool> heardAgain(first.size(), false);
  for (const qsizetype position : positionsInOrder(dictionaryWords, decode(levelled)))
    if (position >= 0) heardAgain[std::size_t(position)] = true;
  for (std::size_t i = 0; i < first.size(); ++i)
    if (first[i] == FirstHearing::Doubtful) heard[i] = heardAgain[i];
}

std::optional<std::vector<WordScore>> Scorer::score(std::span<const std::int16_t> samples,
                                                    const QString& sentence) {
  const std::lock_guard lock(mutex_);
  const QStringList words = sentenceWords(sentence);
  const QStringList dictionaryWords = dictionaryWordsFor(words);
  if (words.isEmpty()) return std::vector<WordScore>{};
  if (!useGrammar(kReadingSearch, readingGrammar(dictionaryWords, weights_))) return std::nullopt;
  const std::vector<bool> heard = wordsHeard(samples, dictionaryWords);
  std::vector<WordScore> scores;
  for (qsizetype i = 0; i < words.size(); ++i) scores.push_back({words[i], heard[std::size_t(i)]});
  return scores;
}

}  // namespace listening
