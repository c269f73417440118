// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/help_text.h"

#include <QByteArray>
#include <QScopeGuard>

#include "platform/numbered_files.h"
#include "platform/text_decoder.h"

namespace help {
namespace {

QString withNewlines(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

}  // namespace

QString readHelpText(platform::NumberedFiles& files, const QString& fileName) {
  const auto closeAll = qScopeGuard([&files] { files.closeAll(); });
  files.openBinary(platform::NumberedFiles::kHelpFile, fileName);
  const QByteArray bytes = files.readAll(platform::NumberedFiles::kHelpFile);
  return withNewlines(platform::decodeText(bytes));
}

}  // namespace help
