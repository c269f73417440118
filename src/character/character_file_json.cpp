// SPDX-License-Identifier: GPL-3.0-or-later
#include "character_file_json.h"

#include <cmath>

#include "agent_error.h"

namespace character {

namespace {

QString typeName(const QJsonValue& value) {
  switch (value.type()) {
    case QJsonValue::Null:
      return QStringLiteral("null");
    case QJsonValue::Bool:
      return QStringLiteral("a boolean");
    case QJsonValue::Double:
      return QStringLiteral("a number");
    case QJsonValue::String:
      return QStringLiteral("a string");
    case QJsonValue::Array:
      return QStringLiteral("an array");
    case QJsonValue::Object:
      return QStringLiteral("an object");
    case QJsonValue::Undefined:
      break;
  }
  return QStringLiteral("missing");
}

}  // namespace

JsonNode::JsonNode(QJsonValue value, QString path, const QString& fileName)
    : value_(std::move(value)), path_(std::move(path)), fileName_(fileName) {}

void JsonNode::fail(const QString& problem) const {
  if (path_.isEmpty()) throw AgentError(QStringLiteral("%1: %2").arg(fileName_, problem));
  throw AgentError(QStringLiteral("%1: %2: %3").arg(fileName_, path_, problem));
}

JsonNode JsonNode::member(const QString& key) const {
  std::optional<JsonNode> found = optionalMember(key);
  if (!found) fail(QStringLiteral("missing field \"%1\"").arg(key));
  return *found;
}

std::optional<JsonNode> JsonNode::optionalMember(const QString& key) const {
  const QJsonObject members = object();
  const auto found = members.constFind(key);
  if (found == members.constEnd()) return std::nullopt;
  const QString childPath = path_.isEmpty() ? key : path_ + QLatin1Char('.') + key;
  return JsonNode(*found, childPath, fileName_);
}

JsonNode JsonNode::element(qsizetype index) const {
  return JsonNode(value_.toArray().at(index), QStringLiteral("%1[%2]").arg(path_).arg(index),
                  fileName_);
}

JsonNode JsonNode::labelled(const QString& label) const {
  return JsonNode(value_, QStringLiteral("%1 (%2)").arg(path_, label), fileName_);
}

QJsonObject JsonNode::object() const {
  if (!value_.isObject()) fail(QStringLiteral("must be an object, not %1").arg(typeName(value_)));
  return value_.toObject();
}

QJsonArray JsonNode::array(qsizetype minSize, qsizetype maxSize) const {
  if (!value_.isArray()) fail(QStringLiteral("must be an array, not %1").arg(typeName(value_)));
  const QJsonArray elements = value_.toArray();
  if (elements.size() < minSize) {
    fail(QStringLiteral("must hold at least %1 element(s)").arg(minSize));
  }
  if (elements.size() > maxSize) {
    fail(QStringLiteral("holds %1 elements, at most %2 are allowed")
             .arg(elements.size())
             .arg(maxSize));
  }
  return elements;
}

QString JsonNode::string() const {
  if (!value_.isString()) fail(QStringLiteral("must be a string, not %1").arg(typeName(value_)));
  return value_.toString();
}

QString JsonNode::nonEmptyString() const {
  const QString text = string();
  if (text.isEmpty()) fail(QStringLiteral("must not be empty"));
  return text;
}

double JsonNode::number(double min, double max) const {
  if (!value_.isDouble()) fail(QStringLiteral("must be a number, not %1").arg(typeName(value_)));
  const double result = value_.toDouble();
  if (!std::isfinite(result) || result < min || result > max) {
    fail(QStringLiteral("must be between %1 and %2, not %3").arg(min).arg(max).arg(result));
  }
  return result;
}

int JsonNode::integer(int min, int max) const {
  const double result = number(min, max);
  if (result != std::floor(result)) {
    fail(QStringLiteral("must be a whole number, not %1").arg(result));
  }
  return static_cast<int>(result);
}

}  // namespace character
