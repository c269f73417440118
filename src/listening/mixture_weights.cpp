// SPDX-License-Identifier: GPL-3.0-or-later
#include "mixture_weights.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>
#include <cmath>
#include <cstdint>
#include <vector>

namespace listening {

namespace {

constexpr int kStreams = 3;
constexpr qint32 kMaxHeaderString = 4096;
constexpr std::uint32_t kByteOrderMark = 0x11223344;

struct QuantisedWeights {
  qint32 codewords = 0;
  qint32 senones = 0;
  QByteArray bytes;  // stream by codeword by senone
};

// The header: strings, each after its length, up to a length of 0.
bool skipHeader(QDataStream& in) {
  for (;;) {
    qint32 length = 0;
    in >> length;
    if (in.status() != QDataStream::Ok || length < 0 || length > kMaxHeaderString) return false;
    if (length == 0) return true;
    if (in.skipRawData(length) != length) return false;
  }
}

bool readQuantised(const QString& path, QuantisedWeights& weights) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  QDataStream in(&file);
  in.setByteOrder(QDataStream::LittleEndian);
  if (!skipHeader(in)) return false;
  in >> weights.codewords >> weights.senones;
  if (in.status() != QDataStream::Ok || weights.codewords <= 0 || weights.senones <= 0 ||
      weights.codewords > 256 || weights.senones > 1'000'000)
    return false;
  const qint64 size = qint64(kStreams) * weights.codewords * weights.senones;
  weights.bytes = file.read(size);
  return weights.bytes.size() == size;
}

std::vector<float> unquantised(const QuantisedWeights& weights) {
  const std::size_t codewords = std::size_t(weights.codewords);
  const std::size_t senones = std::size_t(weights.senones);
  std::vector<float> table(256);
  for (std::size_t byte = 0; byte < table.size(); ++byte)
    table[byte] = float(std::pow(1.0001, -double(byte << 10)));
  std::vector<float> out(kStreams * codewords * senones);
  for (std::size_t stream = 0; stream < kStreams; ++stream)
    for (std::size_t codeword = 0; codeword < codewords; ++codeword)
      for (std::size_t senone = 0; senone < senones; ++senone) {
        const auto byte = std::uint8_t(
            weights.bytes[qsizetype((stream * codewords + codeword) * senones + senone)]);
        out[(senone * kStreams + stream) * codewords + codeword] = table[byte];
      }
  return out;
}

}  // namespace

bool writeMixtureWeights(const QString& sendumpPath, const QString& outPath, QString& error) {
  QuantisedWeights quantised;
  if (!readQuantised(sendumpPath, quantised)) {
    error = QStringLiteral("%1 is not a model's quantised mixture weights").arg(sendumpPath);
    return false;
  }
  const std::vector<float> weights = unquantised(quantised);
  QSaveFile file(outPath);
  if (!file.open(QIODevice::WriteOnly)) {
    error = QStringLiteral("cannot write %1").arg(outPath);
    return false;
  }
  // The header is padded so that the numbers after it start on a 4-byte boundary.
  file.write("s3\nversion 1.0\n  endhdr\n");
  QDataStream out(&file);
  out.setByteOrder(QDataStream::LittleEndian);
  out.setFloatingPointPrecision(QDataStream::SinglePrecision);
  out << kByteOrderMark << std::uint32_t(quantised.senones) << std::uint32_t(kStreams)
      << std::uint32_t(quantised.codewords) << std::uint32_t(weights.size());
  for (float weight : weights) out << weight;
  if (out.status() != QDataStream::Ok || !file.commit()) {
    error = QStringLiteral("cannot write %1").arg(outPath);
    return false;
  }
  return true;
}

}  // namespace listening
