// SPDX-License-Identifier: GPL-3.0-or-later
#include "character_source.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <stdexcept>

namespace {

const QByteArray kMagic = QByteArrayLiteral("CHMUCHR\n");

[[noreturn]] void fail(const QString& where, const QString& problem) {
  throw std::runtime_error(QStringLiteral("%1: %2").arg(where, problem).toStdString());
}

QByteArray readSource(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) fail(path, file.errorString());
  return file.readAll();
}

QJsonObject readManifest(const QString& path) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(readSource(path), &error);
  if (error.error != QJsonParseError::NoError) {
    fail(path, QStringLiteral("JSON syntax error at byte %1: %2")
                   .arg(error.offset)
                   .arg(error.errorString()));
  }
  if (!document.isObject()) fail(path, QStringLiteral("the manifest must be a JSON object"));
  return document.object();
}

// Replaces the file name of every variant by the SVG text of that file.
QJsonArray inlineVariants(const QDir& folder, QJsonArray parts) {
  for (qsizetype index = 0; index < parts.size(); ++index) {
    QJsonObject part = parts[index].toObject();
    QJsonObject variants = part.value(QStringLiteral("variants")).toObject();
    for (auto it = variants.begin(); it != variants.end(); ++it) {
      const QString fileName = it.value().toString();
      if (fileName.isEmpty()) continue;
      it.value() = QString::fromUtf8(readSource(folder.filePath(fileName))).trimmed();
    }
    part.insert(QStringLiteral("variants"), variants);
    parts[index] = part;
  }
  return parts;
}

QJsonObject pivotOf(const QJsonArray& parts, const QString& name) {
  for (const QJsonValue& part : parts) {
    if (part.toObject().value(QStringLiteral("name")).toString() == name) {
      return part.toObject().value(QStringLiteral("pivot")).toObject();
    }
  }
  return {};
}

// A group's members turn around their own pivots, so a group may only turn when all of its
// members share one pivot.
void checkGroupCanTurn(const QString& where, const QString& group, const QJsonArray& members,
                       const QJsonArray& parts) {
  const QJsonObject first = pivotOf(parts, members.first().toString());
  for (const QJsonValue& member : members) {
    if (pivotOf(parts, member.toString()) != first) {
      fail(where,
           QStringLiteral("group \"%1\" turns, but its parts do not share one pivot").arg(group));
    }
  }
}

// Expands the groups of one keyframe's pose: each group entry becomes an entry for each of its
// parts; what a pose says of a part itself wins over what its group says.
QJsonObject expandPose(const QString& where, const QJsonObject& pose, const QJsonObject& groups,
                       const QJsonArray& parts) {
  QJsonObject expanded;
  for (auto it = pose.begin(); it != pose.end(); ++it) {
    if (!groups.contains(it.key())) continue;
    const QJsonArray members = groups.value(it.key()).toArray();
    if (members.isEmpty()) fail(where, QStringLiteral("group \"%1\" has no parts").arg(it.key()));
    if (it.value().toObject().value(QStringLiteral("rotate")).toDouble() != 0) {
      checkGroupCanTurn(where, it.key(), members, parts);
    }
    for (const QJsonValue& member : members) expanded.insert(member.toString(), it.value());
  }
  for (auto it = pose.begin(); it != pose.end(); ++it) {
    if (groups.contains(it.key())) continue;
    QJsonObject partPose = expanded.value(it.key()).toObject();
    const QJsonObject own = it.value().toObject();
    for (auto field = own.begin(); field != own.end(); ++field)
      partPose.insert(field.key(), field.value());
    expanded.insert(it.key(), partPose);
  }
  return expanded;
}

QJsonArray expandGroups(const QString& where, QJsonArray animations, const QJsonObject& groups,
                        const QJsonArray& parts) {
  for (const QJsonValue& part : parts) {
    const QString name = part.toObject().value(QStringLiteral("name")).toString();
    if (groups.contains(name))
      fail(where, QStringLiteral("group \"%1\" has the name of a part").arg(name));
  }
  for (qsizetype a = 0; a < animations.size(); ++a) {
    QJsonObject animation = animations[a].toObject();
    QJsonArray keyframes = animation.value(QStringLiteral("keyframes")).toArray();
    for (qsizetype k = 0; k < keyframes.size(); ++k) {
      QJsonObject keyframe = keyframes[k].toObject();
      const QString frameWhere = QStringLiteral("%1: animation \"%2\", keyframe %3")
                                     .arg(where, animation.value(QStringLiteral("name")).toString())
                                     .arg(k);
      keyframe.insert(
          QStringLiteral("pose"),
          expandPose(frameWhere, keyframe.value(QStringLiteral("pose")).toObject(), groups, parts));
      keyframes[k] = keyframe;
    }
    animation.insert(QStringLiteral("keyframes"), keyframes);
    animations[a] = animation;
  }
  return animations;
}

}  // namespace

QByteArray buildCharacterFile(const QString& artFolder) {
  const QDir folder(artFolder);
  const QString manifestPath = folder.filePath(QStringLiteral("character.json"));
  QJsonObject manifest = readManifest(manifestPath);
  const QJsonArray parts =
      inlineVariants(folder, manifest.value(QStringLiteral("parts")).toArray());
  const QJsonObject groups = manifest.take(QStringLiteral("groups")).toObject();
  manifest.insert(QStringLiteral("parts"), parts);
  manifest.insert(QStringLiteral("animations"),
                  expandGroups(manifestPath, manifest.value(QStringLiteral("animations")).toArray(),
                               groups, parts));
  return kMagic + QJsonDocument(manifest).toJson(QJsonDocument::Compact) + '\n';
}
