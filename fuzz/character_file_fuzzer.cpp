// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry point for the character file reader: any input must either parse or be
// rejected with an AgentError; a crash, a sanitizer report or another exception is a bug.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "character/character_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  try {
    character::parseCharacterFile(bytes, QStringLiteral("fuzz.dat"));
  } catch (const character::AgentError&) {
  }
  return 0;
}
