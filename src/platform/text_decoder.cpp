#include "text_decoder.h"

#include <unicode/ucnv.h>
#include <unicode/utf8.h>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace platform {

namespace {

// Windows' own code page 936 table, byte for byte; invalid bytes become U+FFFD.
constexpr char kCodePage936[] = "windows-936-2000";

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openConverter(const char* name) {
  UErrorCode status = U_ZERO_ERROR;
  Converter converter(ucnv_open(name, &status));
  if (U_FAILURE(status)) {
    throw std::runtime_error(std::string("text converter ") + name +
                             " is not available: " + u_errorName(status));
  }
  return converter;
}

const char* converterName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8:
      return "UTF-8";
    case TextEncoding::Utf16LE:
      return "UTF-16LE";
    case TextEncoding::Utf16BE:
      return "UTF-16BE";
    case TextEncoding::CodePage936:
      break;
  }
  return kCodePage936;
}

bool startsWith(const QByteArray& bytes, const char* mark) {
  return bytes.startsWith(mark);
}

qsizetype byteOrderMarkLength(TextEncoding encoding, const QByteArray& bytes) {
  switch (encoding) {
    case TextEncoding::Utf8:
      return startsWith(bytes, "\xEF\xBB\xBF") ? 3 : 0;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
      return 2;
    case TextEncoding::CodePage936:
      break;
  }
  return 0;
}

bool isAscii(const QByteArray& bytes) {
  for (char byte : bytes) {
    if (static_cast<unsigned char>(byte) >= 0x80) return false;
  }
  return true;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no cut sequence.
bool isStrictUtf8(const QByteArray& bytes) {
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
  const std::int64_t length = bytes.size();
  std::int64_t index = 0;
  while (index < length) {
    UChar32 codePoint;
    U8_NEXT(data, index, length, codePoint);
    if (codePoint < 0) return false;
  }
  return true;
}

// The most 16-bit units `size` bytes can decode to: one per byte at most (one per two bytes in
// UTF-16, and a U+FFFD for an odd byte at the end).
qsizetype maxUnits(TextEncoding encoding, qsizetype size) {
  const bool utf16 = encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE;
  return utf16 ? (size + 1) / 2 : size;
}

// Decodes one piece of input completely into at most `capacity` units; the converter starts
// afresh and ends flushed, so a sequence cut off at the end becomes U+FFFD.
QString decode(UConverter* converter, const char* data, qsizetype size, qsizetype capacity) {
  ucnv_resetToUnicode(converter);
  QString text(capacity, Qt::Uninitialized);
  auto* target = reinterpret_cast<UChar*>(text.data());
  const char* source = data;
  UErrorCode status = U_ZERO_ERROR;
  ucnv_toUnicode(converter, &target, target + text.size(), &source, data + size, nullptr, true,
                 &status);
  if (U_FAILURE(status)) {
    throw std::runtime_error(std::string("text could not be decoded: ") + u_errorName(status));
  }
  text.truncate(target - reinterpret_cast<UChar*>(text.data()));
  return text;
}

QString decodeWhole(const QByteArray& bytes, TextEncoding encoding) {
  const qsizetype skip = byteOrderMarkLength(encoding, bytes);
  const Converter converter = openConverter(converterName(encoding));
  const qsizetype size = bytes.size() - skip;
  return decode(converter.get(), bytes.constData() + skip, size, maxUnits(encoding, size));
}

struct LineSpan {
  qsizetype start = 0;
  qsizetype length = 0;
};

// Takes the line that begins at `position` and moves `position` past its line end.
template <typename Unit>
LineSpan takeLine(const Unit* data, qsizetype size, qsizetype& position) {
  const Unit cr = Unit('\r');
  const Unit lf = Unit('\n');
  const qsizetype start = position;
  qsizetype end = position;
  while (end < size && data[end] != cr && data[end] != lf) ++end;
  position = end;
  if (end < size) {
    position = end + 1;
    if (data[end] == cr && position < size && data[position] == lf) ++position;
  }
  return LineSpan{start, end - start};
}

// The number (from 1) of the first line of `data` longer than `maxUnits`, if any.
template <typename Unit>
std::optional<qsizetype> firstLineLongerThan(const Unit* data, qsizetype size, qsizetype maxUnits) {
  qsizetype position = 0;
  for (qsizetype number = 1; position < size; ++number) {
    if (takeLine(data, size, position).length > maxUnits) return number;
  }
  return std::nullopt;
}

}  // namespace

TextEncoding detectEncoding(const QByteArray& bytes) {
  if (startsWith(bytes, "\xEF\xBB\xBF")) return TextEncoding::Utf8;
  if (startsWith(bytes, "\xFF\xFE")) return TextEncoding::Utf16LE;
  if (startsWith(bytes, "\xFE\xFF")) return TextEncoding::Utf16BE;
  if (!isAscii(bytes) && isStrictUtf8(bytes)) return TextEncoding::Utf8;
  return TextEncoding::CodePage936;
}

bool hasByteOrderMark(const QByteArray& bytes) {
  return byteOrderMarkLength(detectEncoding(bytes), bytes) > 0;
}

QStringList decodeLines(const QByteArray& bytes) {
  QStringList lines;
  LineReader reader(bytes);
  while (!reader.atEnd()) lines.append(reader.next());
  return lines;
}

QString decodeText(const QByteArray& bytes) {
  return decodeWhole(bytes, detectEncoding(bytes));
}

// Byte encodings are split on the bytes and decoded line by line, so a broken character never
// reaches past its line end. UTF-16 is decoded whole first, since its line ends are two bytes.
struct LineReader::Source {
  QByteArray bytes;
  QString text;
  bool splitDecodedText = false;
  qsizetype position = 0;
  Converter converter;

  qsizetype size() const { return splitDecodedText ? text.size() : bytes.size(); }
};

LineReader::LineReader(const QByteArray& bytes) : source_(std::make_unique<Source>()) {
  const TextEncoding encoding = detectEncoding(bytes);
  if (encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE) {
    source_->text = decodeWhole(bytes, encoding);
    source_->splitDecodedText = true;
    return;
  }
  source_->bytes = bytes.mid(byteOrderMarkLength(encoding, bytes));
  source_->converter = openConverter(converterName(encoding));
}

LineReader::~LineReader() = default;
LineReader::LineReader(LineReader&&) noexcept = default;
LineReader& LineReader::operator=(LineReader&&) noexcept = default;

std::optional<qsizetype> LineReader::firstLineLongerThan(qsizetype maxBytes) const {
  const Source& source = *source_;
  if (source.splitDecodedText) {
    return platform::firstLineLongerThan(source.text.constData(), source.text.size(),
                                         maxBytes / qsizetype(sizeof(QChar)));
  }
  return platform::firstLineLongerThan(source.bytes.constData(), source.bytes.size(), maxBytes);
}

bool LineReader::atEnd() const {
  return source_->position >= source_->size();
}

QString LineReader::next() {
  Source& source = *source_;
  if (source.splitDecodedText) {
    const LineSpan line = takeLine(source.text.constData(), source.text.size(), source.position);
    return source.text.mid(line.start, line.length);
  }
  const LineSpan line = takeLine(source.bytes.constData(), source.bytes.size(), source.position);
  return decode(source.converter.get(), source.bytes.constData() + line.start, line.length,
                line.length);
}

}  // namespace platform
