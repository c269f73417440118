// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <optional>

namespace character {

// A value of a character file's manifest together with where it sits ("parts[2].pivot.x"), so
// that every complaint about it can say which file and which field is wrong. The accessors
// throw AgentError ("ku.dat: parts[2].pivot.x: must be a number") when the value has the wrong
// type or is out of range.
class JsonNode {
 public:
  JsonNode(QJsonValue value, QString path, const QString& fileName);

  [[noreturn]] void fail(const QString& problem) const;

  // A member that must be present.
  JsonNode member(const QString& key) const;
  // A member that may be left out.
  std::optional<JsonNode> optionalMember(const QString& key) const;
  JsonNode element(qsizetype index) const;
  // The same value, named with a label that helps a reader find it ("animations[3] (Greet)").
  JsonNode labelled(const QString& label) const;

  QJsonObject object() const;
  // An array of at least `minSize` and at most `maxSize` elements.
  QJsonArray array(qsizetype minSize, qsizetype maxSize) const;
  QString string() const;
  QString nonEmptyString() const;
  double number(double min, double max) const;
  int integer(int min, int max) const;

  const QString& path() const { return path_; }

 private:
  QJsonValue value_;
  QString path_;
  const QString& fileName_;
};

}  // namespace character
