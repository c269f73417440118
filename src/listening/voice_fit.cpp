// SPDX-License-Identifier: GPL-3.0-or-later
#include "voice_fit.h"

#include <sphinxbase/cmd_ln.h>
#include <sphinxbase/fe.h>

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <memory>

#include "mixture_weights.h"
#include "model_features.h"
#include "pronunciations.h"
#include "reading_dither.h"
#include "resample_16k.h"
#include "sentence_words.h"
#include "speaker_transform.h"
#include "wav_file.h"

namespace listening {

namespace {

constexpr int kToolTimeoutMs = 300'000;
constexpr int kFramesPerBlock = 256;
// What bw takes of the model's feature parameters.
const QStringList kFeatureOptions = {QStringLiteral("-feat"), QStringLiteral("-svspec"),
                                     QStringLiteral("-agc"), QStringLiteral("-cmn"),
                                     QStringLiteral("-varnorm")};

struct FrontEndDeleter {
  void operator()(fe_t* frontEnd) const { fe_free(frontEnd); }
};
using FrontEnd = std::unique_ptr<fe_t, FrontEndDeleter>;

// The dictionary's first pronunciation of each word.
QHash<QString, QString> pronunciationsIn(const QString& path) {
  QHash<QString, QString> pronunciations;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return pronunciations;
  QTextStream in(&file);
  while (!in.atEnd()) {
    const QString line = in.readLine();
    const qsizetype blank = line.indexOf(QLatin1Char(' '));
    if (blank > 0) pronunciations.insert(line.left(blank), line.mid(blank + 1).trimmed());
  }
  return pronunciations;
}

FrontEnd frontEndFor(const QString& featParams) {
  cmd_ln_t* config =
      cmd_ln_parse_file_r(nullptr, fe_get_args(), QFile::encodeName(featParams).constData(), FALSE);
  if (!config) return nullptr;
  FrontEnd frontEnd(fe_init_auto_r(config));
  cmd_ln_free_r(config);
  return frontEnd;
}

// The reading's cepstra as sphinxtrain reads them: the count of numbers, then the numbers.
bool writeCepstra(fe_t* frontEnd, std::vector<std::int16_t> samples, const QString& path) {
  const int width = fe_get_output_size(frontEnd);
  std::vector<mfcc_t> frames(std::size_t(kFramesPerBlock) * std::size_t(width));
  std::vector<mfcc_t*> rows(kFramesPerBlock);
  for (int k = 0; k < kFramesPerBlock; ++k) rows[std::size_t(k)] = &frames[std::size_t(k * width)];
  std::vector<float> cepstra;
  const int16* next = samples.data();
  std::size_t left = samples.size();
  fe_start_utt(frontEnd);
  while (left > 0) {
    int32 count = kFramesPerBlock;
    if (fe_process_frames(frontEnd, &next, &left, rows.data(), &count, nullptr) < 0) return false;
    cepstra.insert(cepstra.end(), frames.begin(), frames.begin() + count * width);
  }
  int32 last = 0;
  fe_end_utt(frontEnd, rows[0], &last);
  cepstra.insert(cepstra.end(), frames.begin(), frames.begin() + last * width);
  QSaveFile file(path);
  if (cepstra.empty() || !file.open(QIODevice::WriteOnly)) return false;
  QDataStream out(&file);
  out.setByteOrder(QDataStream::LittleEndian);
  out.setFloatingPointPrecision(QDataStream::SinglePrecision);
  out << std::int32_t(cepstra.size());
  for (float value : cepstra) out << value;
  return out.status() == QDataStream::Ok && file.commit();
}

bool runTool(const QString& program, const QStringList& arguments, const QString& folder,
             QString& error) {
  QProcess tool;
  tool.setWorkingDirectory(folder);
  tool.setProcessChannelMode(QProcess::MergedChannels);
  tool.start(program, arguments);
  const bool finished = tool.waitForFinished(kToolTimeoutMs);
  const QByteArray output = tool.readAll();
  if (finished && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0) return true;
  if (!finished) tool.kill();
  const QString last = QString::fromLocal8Bit(output).trimmed().section(QLatin1Char('\n'), -1);
  error =
      QStringLiteral("%1 failed: %2")
          .arg(QFileInfo(program).fileName(),
               tool.error() == QProcess::FailedToStart ? QStringLiteral("not installed") : last);
  return false;
}

// What bw and mllr_solve read: the model with its mixture weights and a text model definition,
// each reading's cepstra, their transcripts and the dictionary of their words.
class FitFolder {
 public:
  FitFolder(const QString& modelDirectory)
      : model_(QDir(modelDirectory).filePath(QStringLiteral("en-us"))),
        dictionary_(QDir(modelDirectory).filePath(QStringLiteral("cmudict-en-us.dict"))),
        features_(modelFeatureOptions(modelDirectory)) {}

  bool prepareModel(QString& error);
  std::size_t addReadings(const std::vector<KeptReading>& readings);
  bool fit(const QString& transformPath, double weight, QString& error);

 private:
  QString path(const QString& name) const { return folder_.filePath(name); }
  bool addReading(fe_t* frontEnd, const KeptReading& reading, int number);
  bool writeLists();
  QStringList bwArguments() const;

  QDir model_;
  QString dictionary_;
  QHash<QString, QString> features_;
  QTemporaryDir folder_;
  QHash<QString, QString> known_;
  QHash<QString, QString> used_;  // the readings' words and their pronunciations
  QStringList ids_, transcripts_;
};

bool FitFolder::prepareModel(QString& error) {
  if (!folder_.isValid() || !QDir(folder_.path()).mkpath(QStringLiteral("model")) ||
      !QDir(folder_.path()).mkpath(QStringLiteral("cepstra")) ||
      !QDir(folder_.path()).mkpath(QStringLiteral("counts"))) {
    error = QStringLiteral("cannot make a folder to fit in");
    return false;
  }
  for (const char* name : {"means", "variances", "transition_matrices", "noisedict"})
    if (!QFile::link(model_.filePath(QLatin1String(name)),
                     path(QStringLiteral("model/") + QLatin1String(name)))) {
      error = QStringLiteral("cannot link the model's %1").arg(QLatin1String(name));
      return false;
    }
  known_ = pronunciationsIn(dictionary_);
  return writeMixtureWeights(model_.filePath(QStringLiteral("sendump")),
                             path(QStringLiteral("model/mixture_weights")), error) &&
         runTool(QStringLiteral("pocketsphinx_mdef_convert"),
                 {QStringLiteral("-text"), model_.filePath(QStringLiteral("mdef")),
                  path(QStringLiteral("mdef.txt"))},
                 folder_.path(), error);
}

bool FitFolder::addReading(fe_t* frontEnd, const KeptReading& reading, int number) {
  const DictionaryLookup lookup = [this](const QString& key) { return known_.value(key); };
  QStringList keys;
  for (const QString& word : sentenceWords(reading.sentence)) {
    const QString key = dictionaryKey(word);
    QString phones = known_.value(key);
    if (phones.isEmpty()) phones = generatedPronunciation(key, lookup);
    if (phones.isEmpty()) return false;
    used_.insert(key, phones);
    keys << key;
  }
  PcmSound sound;
  QString error;
  if (keys.isEmpty() || !readWavFile(reading.wavPath, sound, error)) return false;
  const QString id = QStringLiteral("r%1").arg(number);
  if (!writeCepstra(frontEnd, asDecoded(toRecogniserInput(sound)),
                    path(QStringLiteral("cepstra/%1.mfc").arg(id))))
    return false;
  ids_ << id;
  transcripts_ << QStringLiteral("<s> %1 </s> (%2)").arg(keys.join(QLatin1Char(' ')), id);
  return true;
}

std::size_t FitFolder::addReadings(const std::vector<KeptReading>& readings) {
  const FrontEnd frontEnd = frontEndFor(model_.filePath(QStringLiteral("feat.params")));
  if (!frontEnd) return 0;
  int number = 0;
  for (const KeptReading& reading : readings)
    if (addReading(frontEnd.get(), reading, number)) ++number;
  return std::size_t(number);
}

bool writeLines(const QString& path, const QStringList& lines) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
  const QByteArray text = (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
  return file.write(text) == text.size();
}

bool FitFolder::writeLists() {
  QStringList dictionary;
  for (auto word = used_.begin(); word != used_.end(); ++word)
    dictionary << word.key() + QLatin1Char(' ') + word.value();
  dictionary.sort();
  return writeLines(path(QStringLiteral("ids")), ids_) &&
         writeLines(path(QStringLiteral("transcripts")), transcripts_) &&
         writeLines(path(QStringLiteral("dictionary")), dictionary);
}

QStringList FitFolder::bwArguments() const {
  const QString model = features_.value(QStringLiteral("-model"));
  QStringList arguments = {QStringLiteral("-hmmdir"),
                           QStringLiteral("model"),
                           QStringLiteral("-moddeffn"),
                           QStringLiteral("mdef.txt"),
                           QStringLiteral("-ts2cbfn"),
                           model == QLatin1String("ptm")    ? QStringLiteral(".ptm.")
                           : model == QLatin1String("semi") ? QStringLiteral(".semi.")
                                                            : QStringLiteral(".cont."),
                           QStringLiteral("-dictfn"),
                           QStringLiteral("dictionary"),
                           QStringLiteral("-fdictfn"),
                           QStringLiteral("model/noisedict"),
                           QStringLiteral("-ctlfn"),
                           QStringLiteral("ids"),
                           QStringLiteral("-lsnfn"),
                           QStringLiteral("transcripts"),
                           QStringLiteral("-cepdir"),
                           QStringLiteral("cepstra"),
                           QStringLiteral("-accumdir"),
                           QStringLiteral("counts")};
  for (const QString& option : kFeatureOptions)
    if (features_.contains(option)) arguments << option << features_.value(option);
  return arguments;
}

bool FitFolder::fit(const QString& transformPath, double weight, QString& error) {
  const QString tools = QStringLiteral(SPHINXTRAIN_DIR);
  if (!writeLists()) {
    error = QStringLiteral("cannot write the readings' transcripts");
    return false;
  }
  if (!runTool(tools + QStringLiteral("/bw"), bwArguments(), folder_.path(), error) ||
      !runTool(tools + QStringLiteral("/mllr_solve"),
               {QStringLiteral("-meanfn"), QStringLiteral("model/means"), QStringLiteral("-varfn"),
                QStringLiteral("model/variances"), QStringLiteral("-outmllrfn"),
                QStringLiteral("transform"), QStringLiteral("-accumdir"), QStringLiteral("counts")},
               folder_.path(), error))
    return false;
  if (!weighTransform(path(QStringLiteral("transform")), weight)) {
    error = QStringLiteral("mllr_solve wrote no whole transform");
    return false;
  }
  QFile made(path(QStringLiteral("transform")));
  QSaveFile kept(transformPath);
  if (!made.open(QIODevice::ReadOnly) || !kept.open(QIODevice::WriteOnly) ||
      kept.write(made.readAll()) != made.size() || !kept.commit()) {
    error = QStringLiteral("cannot write %1").arg(transformPath);
    return false;
  }
  return true;
}

}  // namespace

bool fitVoice(const QString& modelDirectory, const std::vector<KeptReading>& readings,
              const QString& transformPath, QString& error, double weight) {
  FitFolder folder(modelDirectory);
  if (!folder.prepareModel(error)) return false;
  if (folder.addReadings(readings) < kFewestReadingsToFit) {
    error = QStringLiteral("too few readings to fit the voice to");
    return false;
  }
  return folder.fit(transformPath, weight, error);
}

}  // namespace listening
