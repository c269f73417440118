// SPDX-License-Identifier: GPL-3.0-or-later
#include "character_file_svg.h"

#include <QSet>
#include <QXmlStreamReader>

namespace character {

namespace {

const QSet<QString>& allowedElements() {
  static const QSet<QString> names = {QStringLiteral("svg"),
                                      QStringLiteral("g"),
                                      QStringLiteral("path"),
                                      QStringLiteral("circle"),
                                      QStringLiteral("ellipse"),
                                      QStringLiteral("rect"),
                                      QStringLiteral("line"),
                                      QStringLiteral("polyline"),
                                      QStringLiteral("polygon"),
                                      QStringLiteral("defs"),
                                      QStringLiteral("linearGradient"),
                                      QStringLiteral("radialGradient"),
                                      QStringLiteral("stop")};
  return names;
}

// The wrapper's start tag sits alone on the first line, so line numbers of the reader are one
// more than those inside the fragment.
const QString kWrapperStart = QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\">\n");
const QString kWrapperEnd = QStringLiteral("\n</svg>");

// Declarations and processing instructions could make a parser expand entities or fetch
// external documents; drawings never need them.
bool isForbiddenToken(QXmlStreamReader::TokenType token) {
  return token == QXmlStreamReader::DTD || token == QXmlStreamReader::EntityReference ||
         token == QXmlStreamReader::ProcessingInstruction;
}

QString position(const QXmlStreamReader& reader) {
  return QStringLiteral("line %1, column %2")
      .arg(reader.lineNumber() - 1)
      .arg(reader.columnNumber());
}

}  // namespace

std::optional<QString> checkSvgFragment(const QString& fragment) {
  QXmlStreamReader reader(kWrapperStart + fragment + kWrapperEnd);
  int depth = 0;
  while (!reader.atEnd()) {
    const QXmlStreamReader::TokenType token = reader.readNext();
    if (token == QXmlStreamReader::StartElement) {
      ++depth;
      const QString name = reader.name().toString();
      if (!allowedElements().contains(name) || (name == QLatin1String("svg") && depth > 1)) {
        return QStringLiteral("SVG element <%1> is not allowed (%2)").arg(name, position(reader));
      }
    } else if (token == QXmlStreamReader::EndElement) {
      --depth;
    } else if (isForbiddenToken(token)) {
      return QStringLiteral("SVG may hold only elements, text and comments, not %1 (%2)")
          .arg(reader.tokenString(), position(reader));
    }
  }
  if (reader.hasError()) {
    return QStringLiteral("SVG is not well-formed XML: %1 (%2)")
        .arg(reader.errorString(), position(reader));
  }
  return std::nullopt;
}

}  // namespace character
