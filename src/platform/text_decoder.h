#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace platform {

// The encodings a text file of ours can be in.
enum class TextEncoding { CodePage936, Utf8, Utf16LE, Utf16BE };

// Chooses the encoding of a whole file: a byte-order mark decides; without one, a file that is
// entirely valid UTF-8 and holds at least one non-ASCII byte is UTF-8; anything else is code
// page 936.
TextEncoding detectEncoding(const QByteArray& bytes);

// True when the file starts with the byte-order mark of the encoding detectEncoding() chooses.
bool hasByteOrderMark(const QByteArray& bytes);

// Splits a file into lines (CR LF, lone CR or lone LF end a line; the last line needs no end;
// the end-of-line characters are dropped) and decodes each line. Bytes that do not decode
// become U+FFFD; nothing is dropped and no separator is swallowed.
QStringList decodeLines(const QByteArray& bytes);

// Decodes a whole file as text, keeping its line ends (help texts).
QString decodeText(const QByteArray& bytes);

// Hands out the lines of a whole file one at a time, as decodeLines() splits and decodes them,
// decoding each line only when it is taken.
class LineReader {
 public:
  explicit LineReader(const QByteArray& bytes);
  ~LineReader();
  LineReader(LineReader&&) noexcept;
  LineReader& operator=(LineReader&&) noexcept;

  // The number (from 1) of the first line whose text takes more than `maxBytes` bytes of the
  // file, line end not counted, if any. Looks at the whole file without decoding it or moving on.
  std::optional<qsizetype> firstLineLongerThan(qsizetype maxBytes) const;
  // True when no line is left.
  bool atEnd() const;
  // The next line without its line end; call only while !atEnd().
  QString next();

 private:
  struct Source;
  std::unique_ptr<Source> source_;
};

}  // namespace platform
