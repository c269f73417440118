// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson_stage.h"

#include <unicode/ucnv.h>

#include <memory>

namespace lesson_testing {

QByteArray cp936(const QString& text) {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<UConverter, void (*)(UConverter*)> converter(
      ucnv_open("windows-936-2000", &status), ucnv_close);
  QByteArray bytes(text.size() * 2 + 1, '\0');
  const int32_t length =
      ucnv_fromUChars(converter.get(), bytes.data(), int32_t(bytes.size()),
                      reinterpret_cast<const UChar*>(text.utf16()), int32_t(text.size()), &status);
  if (U_FAILURE(status)) throw std::runtime_error(u_errorName(status));
  bytes.truncate(length);
  return bytes;
}

}  // namespace lesson_testing
