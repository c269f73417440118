// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QStringEncoder>
#include <cctype>
#include <string>
#include <vector>

#include "platform/text_decoder.h"

using platform::decodeLines;
using platform::decodeText;
using platform::detectEncoding;
using platform::TextEncoding;

namespace {

QString fromUtf16(std::initializer_list<char16_t> units) {
  return QString(reinterpret_cast<const QChar*>(units.begin()), qsizetype(units.size()));
}

QByteArray encodeUtf16(const QString& text, QStringConverter::Encoding encoding) {
  QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
  return encoder(text);
}

struct Cp936Row {
  QByteArray bytes;
  char16_t unit;
};

std::vector<Cp936Row> readCp936Table() {
  QFile file(QStringLiteral(TEST_DATA_DIR "/cp936-windows.tsv"));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
  std::vector<Cp936Row> rows;
  while (!file.atEnd()) {
    const QList<QByteArray> fields = file.readLine().trimmed().split('\t');
    if (fields.size() != 2) continue;
    rows.push_back({QByteArray::fromHex(fields[0]), char16_t(fields[1].toUShort(nullptr, 16))});
  }
  return rows;
}

// Every sequence of the system's table, each on a line of its own, and all of them run
// together: both must decode to exactly the table's characters.
TEST(TextDecoder, AgreesWithTheCodePage936TableOnEverySequence) {
  const std::vector<Cp936Row> rows = readCp936Table();
  ASSERT_EQ(rows.size(), 24070u);

  QByteArray oneLinePerSequence;
  QByteArray runTogether;
  QString expectedRun;
  std::vector<const Cp936Row*> lineRows;
  for (const Cp936Row& row : rows) {
    runTogether += row.bytes;
    expectedRun += QChar(row.unit);
    if (row.bytes == "\r" || row.bytes == "\n") continue;
    oneLinePerSequence += row.bytes + "\r\n";
    lineRows.push_back(&row);
  }

  ASSERT_EQ(detectEncoding(oneLinePerSequence), TextEncoding::CodePage936);
  const QStringList lines = decodeLines(oneLinePerSequence);
  ASSERT_EQ(lines.size(), qsizetype(lineRows.size()));
  int mismatches = 0;
  for (std::size_t i = 0; i < lineRows.size(); ++i) {
    const QString expected(QChar(lineRows[i]->unit));
    if (lines[qsizetype(i)] != expected && ++mismatches <= 10) {
      ADD_FAILURE() << "bytes " << lineRows[i]->bytes.toHex().toStdString() << " gave U+"
                    << QString::number(lines[qsizetype(i)].at(0).unicode(), 16).toStdString();
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_TRUE(decodeText(runTogether) == expectedRun);
}

struct LinesCase {
  const char* name;
  QByteArray bytes;
  QStringList lines;
};

std::vector<LinesCase> linesCases() {
  const QChar replacement(0xFFFD);
  return {
      {"empty file", "", {}},
      {"last line without an end", "Hi~x", {"Hi~x"}},
      {"CR LF", "a~1\r\nb~2\r\n", {"a~1", "b~2"}},
      {"lone CR", "a~1\rb~2\r", {"a~1", "b~2"}},
      {"lone LF", "a~1\nb~2", {"a~1", "b~2"}},
      {"ends in an empty line", "a~1\r\n\r\n", {"a~1", ""}},
      {"LF CR is two line ends", "a\n\rb", {"a", "", "b"}},
      {"NUL is a character", QByteArray("a\0~b", 4), {QStringLiteral("a") + QChar(0) + "~b"}},
      {"trail byte 0x7E is no tilde", "\x81\x7E~\xC4\xE3", {fromUtf16({0x4E8A, '~', 0x4F60})}},
      {"trail byte 0x5D is no bracket", "\x81\x5D]x", {fromUtf16({0x4E5A, ']', 'x'})}},
      {"lone lead byte at the end of a line",
       "\xC4\xE3\xC4\r\nx",
       {fromUtf16({0x4F60}) + replacement, "x"}},
      {"lead byte before CR LF keeps the line end", "\x81\r\n~", {QString(replacement), "~"}},
      {"lead byte with a bad trail byte", "\x81\x30~", {replacement + QStringLiteral("0~")}},
      {"lead byte before 0x7F", "\x81\x7F~", {replacement + fromUtf16({0x7F, '~'})}},
      {"lead byte before 0xFF", "\x81\xFF", {replacement + fromUtf16({0xF8F5})}},
      {"UTF-8 with a mark", "\xEF\xBB\xBFHi~\xE4\xBD\xA0\r\n", {QStringLiteral("Hi~你")}},
      {"UTF-8 without a mark", "Hi~\xE4\xBD\xA0\nOk~\xE5\xA5\xBD", {"Hi~你", "Ok~好"}},
      {"UTF-8 with a mark and a broken byte",
       "\xEF\xBB\xBFx\xE4\xBD~",
       {QStringLiteral("x") + replacement + "~"}},
      {"UTF-16 LE with a mark",
       encodeUtf16(QStringLiteral("Hi~你好\r\nx\ry\n"), QStringConverter::Utf16LE),
       {"Hi~你好", "x", "y"}},
      {"UTF-16 BE with a mark",
       encodeUtf16(QStringLiteral("Hi~你好\r\n\r\n"), QStringConverter::Utf16BE),
       {"Hi~你好", ""}},
  };
}

class SplitsAndDecodesLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(SplitsAndDecodesLines, Case) {
  EXPECT_EQ(decodeLines(GetParam().bytes), GetParam().lines);
}

// Each case is reported by its name, its blanks and dashes made underscores.
std::string caseName(const ::testing::TestParamInfo<LinesCase>& info) {
  std::string name = info.param.name;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(TextDecoder, SplitsAndDecodesLines, ::testing::ValuesIn(linesCases()),
                         caseName);

TEST(TextDecoder, DetectsTheEncodingOfAWholeFile) {
  EXPECT_EQ(detectEncoding(""), TextEncoding::CodePage936);
  EXPECT_EQ(detectEncoding("plain ASCII~only"), TextEncoding::CodePage936);
  EXPECT_EQ(detectEncoding("Hi~\xC4\xE3\xBA\xC3"), TextEncoding::CodePage936);
  EXPECT_EQ(detectEncoding("Hi~\xE4\xBD\xA0\xE5\xA5\xBD"), TextEncoding::Utf8);
  EXPECT_EQ(detectEncoding("\xEF\xBB\xBF"
                           "ascii"),
            TextEncoding::Utf8);
  EXPECT_EQ(detectEncoding("\xFF\xFEH\0"), TextEncoding::Utf16LE);
  EXPECT_EQ(detectEncoding("\xFE\xFF\0H"), TextEncoding::Utf16BE);
  // Not strict UTF-8: an encoded surrogate, an overlong slash, a cut-off sequence at the end.
  EXPECT_EQ(detectEncoding("\xED\xA0\x80"), TextEncoding::CodePage936);
  EXPECT_EQ(detectEncoding("\xC0\xAF"), TextEncoding::CodePage936);
  EXPECT_EQ(detectEncoding("ok \xE4\xBD"), TextEncoding::CodePage936);
}

TEST(TextDecoder, WholeTextKeepsLineEndsAndDropsTheMark) {
  EXPECT_EQ(decodeText("\xC4\xE3\r\n\xBA\xC3\r\n"), QStringLiteral("你\r\n好\r\n"));
  EXPECT_EQ(decodeText("\xEF\xBB\xBF\xE4\xBD\xA0\n"), QStringLiteral("你\n"));
  EXPECT_EQ(decodeText(encodeUtf16(QStringLiteral("a\r\nb"), QStringConverter::Utf16LE)),
            QStringLiteral("a\r\nb"));
  EXPECT_EQ(decodeText("\xC4"), QString(QChar(0xFFFD)));
}

}  // namespace
