// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <functional>

#include "character/character_file.h"
#include "character/character_file_read_ahead.h"
#include "character/character_file_requirements.h"

using namespace character;

namespace {

const QByteArray kMagic = QByteArrayLiteral("CHMUCHR\n");

QJsonObject variants(const QStringList& names) {
  QJsonObject result;
  for (const QString& name : names) {
    result.insert(name, QStringLiteral("<circle cx=\"5\" cy=\"5\" r=\"3\" fill=\"#000\"/>"));
  }
  return result;
}

QJsonObject part(const QString& name, const QStringList& variantNames) {
  return QJsonObject{{"name", name},
                     {"pivot", QJsonObject{{"x", 10}, {"y", 20}}},
                     {"defaultVariant", variantNames.first()},
                     {"variants", variants(variantNames)}};
}

// The smallest file the reader accepts: the required parts, and every required animation
// with one keyframe that closes the eyes.
QJsonObject minimalManifest() {
  QJsonArray animations;
  for (const QString& name : requiredAnimationNames()) {
    const QJsonObject pose{
        {"eyes", QJsonObject{{"variant", "closed"}, {"dx", 1.5}, {"rotate", -10}}}};
    animations.append(
        QJsonObject{{"name", name},
                    {"keyframes", QJsonArray{QJsonObject{{"durationMs", 120}, {"pose", pose}}}}});
  }
  const QJsonObject voice{{"engine", "espeak-ng"}, {"voice", "en-us"}, {"pitchHz", 150}};
  return QJsonObject{{"formatVersion", 1},
                     {"id", "boy"},
                     {"displayName", "Tom"},
                     {"designSize", QJsonObject{{"width", 128}, {"height", 160}}},
                     {"frameSize", QJsonObject{{"width", 128}, {"height", 160}}},
                     {"parts", QJsonArray{part("eyes", {"open", "closed"}),
                                          part("mouth", {"closed", "open", "wide", "round"})}},
                     {"animations", animations},
                     {"voice", voice},
                     {"chineseVoice", QJsonObject{{"engine", "espeak-ng"}, {"voice", "cmn"}}}};
}

QByteArray fileBytes(const QJsonObject& manifest) {
  return kMagic + QJsonDocument(manifest).toJson();
}

// Edits one JSON object found by a path of keys and array indexes inside the manifest.
using Edit = std::function<void(QJsonObject&)>;

QJsonObject edited(QJsonObject object, QStringList path, const Edit& edit) {
  if (path.isEmpty()) {
    edit(object);
    return object;
  }
  const QString key = path.takeFirst();
  if (!path.isEmpty() && path.first().startsWith('#')) {
    QJsonArray array = object.value(key).toArray();
    const int index = path.takeFirst().mid(1).toInt();
    array[index] = edited(array[index].toObject(), path, edit);
    object.insert(key, array);
  } else {
    object.insert(key, edited(object.value(key).toObject(), path, edit));
  }
  return object;
}

std::string errorOf(const QByteArray& bytes) {
  try {
    parseCharacterFile(bytes, QStringLiteral("t.dat"));
  } catch (const AgentError& error) {
    return error.what();
  }
  return "(accepted)";
}

TEST(CharacterFile, MinimalFileParsesIntoTheModel) {
  const CharacterData data = parseCharacterFile(fileBytes(minimalManifest()), "t.dat");
  EXPECT_EQ(data.id, "boy");
  EXPECT_EQ(data.displayName, "Tom");
  EXPECT_EQ(data.designWidth, 128);
  EXPECT_EQ(data.height, 160);
  ASSERT_EQ(data.parts.size(), 2u);
  EXPECT_EQ(data.parts[0].name, "eyes");
  EXPECT_EQ(data.parts[0].pivot, QPointF(10, 20));
  EXPECT_EQ(data.parts[1].variants.size(), 4);
  EXPECT_TRUE(data.parts[1].variants.value("round").startsWith("<circle"));
  ASSERT_EQ(data.animations.size(), std::size_t(requiredAnimationNames().size()));
  const Animation* read = data.findAnimation("read");
  ASSERT_NE(read, nullptr);
  ASSERT_EQ(read->frames.size(), 1u);
  EXPECT_EQ(read->frames[0].durationMs, 120);
  const PartPose eyes = read->frames[0].parts.value("eyes");
  EXPECT_EQ(eyes.variant, "closed");
  EXPECT_EQ(eyes.dx, 1.5);
  EXPECT_EQ(eyes.dy, 0);
  EXPECT_EQ(eyes.rotate, -10);
  EXPECT_EQ(data.voice.voice, "en-us");
  EXPECT_EQ(data.voice.pitchHz, 150);
  EXPECT_EQ(data.voice.rate, 1.0);
  EXPECT_EQ(data.chineseVoice.voice, "cmn");
}

struct BrokenFile {
  const char* what;
  std::function<QByteArray()> bytes;
  const char* expectedMessage;
};

QByteArray withEdit(const QStringList& path, const Edit& edit) {
  return fileBytes(edited(minimalManifest(), path, edit));
}

Edit set(const QString& key, const QJsonValue& value) {
  return [=](QJsonObject& object) { object.insert(key, value); };
}

Edit drop(const QString& key) {
  return [=](QJsonObject& object) { object.remove(key); };
}

QByteArray withSvg(const QString& fragment) {
  return withEdit({"parts", "#0", "variants"}, set("open", fragment));
}

QByteArray withAnimations(const QJsonArray& animations) {
  QJsonObject manifest = minimalManifest();
  manifest.insert("animations", animations);
  return fileBytes(manifest);
}

const std::vector<BrokenFile>& brokenFiles() {
  static const std::vector<BrokenFile> cases = {
      {"empty file", [] { return QByteArray(); }, "t.dat: not a character file"},
      {"other magic", [] { return QByteArray("\x89PNG\r\n\x1a\n...."); },
       "t.dat: not a character file"},
      {"JSON syntax error", [] { return kMagic + "{\"formatVersion\": 1,, }"; },
       "t.dat: JSON syntax error at byte 29: unterminated object"},
      {"manifest not an object", [] { return kMagic + "[1, 2]"; },
       "t.dat: the manifest must be a JSON object"},
      {"newer version", [] { return withEdit({}, set("formatVersion", 2)); },
       "t.dat: unsupported format version 2 (this program reads version 1)"},
      {"no version", [] { return withEdit({}, drop("formatVersion")); },
       "t.dat: missing field \"formatVersion\""},
      {"no id", [] { return withEdit({}, drop("id")); }, "t.dat: missing field \"id\""},
      {"empty id", [] { return withEdit({}, set("id", "")); }, "t.dat: id: must not be empty"},
      {"design width a string", [] { return withEdit({"designSize"}, set("width", "wide")); },
       "t.dat: designSize.width: must be a number, not a string"},
      {"frame height zero", [] { return withEdit({"frameSize"}, set("height", 0)); },
       "t.dat: frameSize.height: must be between 1 and 4096, not 0"},
      {"frame width fractional", [] { return withEdit({"frameSize"}, set("width", 12.5)); },
       "t.dat: frameSize.width: must be a whole number, not 12.5"},
      {"parts not an array", [] { return withEdit({}, set("parts", QJsonObject())); },
       "t.dat: parts: must be an array, not an object"},
      {"part without pivot",
       [] {
         return withEdit({"parts", "#1"}, drop("pivot"));
       },
       "t.dat: parts[1] (mouth): missing field \"pivot\""},
      {"pivot y null",
       [] {
         return withEdit({"parts", "#0", "pivot"}, set("y", QJsonValue()));
       },
       "t.dat: parts[0] (eyes).pivot.y: must be a number, not null"},
      {"part named twice",
       [] {
         return withEdit({"parts", "#1"}, set("name", "eyes"));
       },
       "t.dat: parts[1]: part \"eyes\" is named twice"},
      {"unknown default variant",
       [] {
         return withEdit({"parts", "#0"}, set("defaultVariant", "wink"));
       },
       "t.dat: parts[0] (eyes).defaultVariant: names no variant of this part: \"wink\""},
      {"no variants",
       [] {
         return withEdit({"parts", "#0"}, set("variants", QJsonObject()));
       },
       "t.dat: parts[0] (eyes).variants: must hold at least one variant"},
      {"variant not a string",
       [] {
         return withEdit({"parts", "#0", "variants"}, set("open", 7));
       },
       "t.dat: parts[0] (eyes).variants.open: must be a string, not a number"},
      {"unclosed SVG element", [] { return withSvg("<g>\n<circle r=\"3\">"); },
       "t.dat: parts[0] (eyes).variants.open: SVG is not well-formed XML:"},
      {"SVG with a stray end tag", [] { return withSvg("<circle r=\"3\"/></g>"); },
       "t.dat: parts[0] (eyes).variants.open: SVG is not well-formed XML:"},
      {"SVG image element", [] { return withSvg("<image href=\"/etc/passwd\"/>"); },
       "t.dat: parts[0] (eyes).variants.open: SVG element <image> is not allowed (line 1, column "
       "27)"},
      {"SVG with a DOCTYPE", [] { return withSvg("<!DOCTYPE x [<!ENTITY a \"b\">]><g/>"); },
       "t.dat: parts[0] (eyes).variants.open: SVG may hold only elements, text and comments, not "
       "DTD"},
      {"SVG processing instruction",
       [] { return withSvg("<?xml-stylesheet href=\"a.css\"?><g/>"); },
       "t.dat: parts[0] (eyes).variants.open: SVG may hold only elements, text and comments, not "
       "ProcessingInstruction"},
      {"no mouth part",
       [] {
         return withEdit({"parts", "#1"}, set("name", "lips"));
       },
       "t.dat: parts: required part \"mouth\" is missing"},
      {"mouth without round",
       [] {
         return withEdit({"parts", "#1", "variants"}, drop("round"));
       },
       "t.dat: parts: part \"mouth\" lacks its required variant \"round\""},
      {"eyes without closed",
       [] {
         return withEdit({"parts", "#0"}, set("variants", variants({"open"})));
       },
       "t.dat: parts: part \"eyes\" lacks its required variant \"closed\""},
      {"frame naming an unknown part",
       [] {
         return withEdit({"animations", "#0", "keyframes", "#0", "pose"},
                         set("tail", QJsonObject()));
       },
       "t.dat: animations[0] (RestPose).keyframes[0].pose.tail: names an unknown part"},
      {"frame naming an unknown variant",
       [] {
         return withEdit({"animations", "#3", "keyframes", "#0", "pose", "eyes"},
                         set("variant", "wink"));
       },
       "t.dat: animations[3] (Speaking).keyframes[0].pose.eyes.variant: part \"eyes\" has no "
       "variant \"wink\""},
      {"zero duration",
       [] {
         return withEdit({"animations", "#6", "keyframes", "#0"}, set("durationMs", 0));
       },
       "t.dat: animations[6] (Greet).keyframes[0].durationMs: must be between 1 and 60000, not 0"},
      {"negative duration",
       [] {
         return withEdit({"animations", "#6", "keyframes", "#0"}, set("durationMs", -5));
       },
       "t.dat: animations[6] (Greet).keyframes[0].durationMs: must be between 1 and 60000, not -5"},
      {"huge offset",
       [] {
         return withEdit({"animations", "#1", "keyframes", "#0", "pose", "eyes"}, set("dx", 1e300));
       },
       "t.dat: animations[1] (Showing).keyframes[0].pose.eyes.dx: must be between -10000 and "
       "10000"},
      {"rotation as text",
       [] {
         return withEdit({"animations", "#1", "keyframes", "#0", "pose", "eyes"},
                         set("rotate", "10"));
       },
       "t.dat: animations[1] (Showing).keyframes[0].pose.eyes.rotate: must be a number, not a "
       "string"},
      {"no keyframes",
       [] {
         return withEdit({"animations", "#2"}, set("keyframes", QJsonArray()));
       },
       "t.dat: animations[2] (Hiding).keyframes: must hold at least 1 element(s)"},
      {"keyframe without pose",
       [] {
         return withEdit({"animations", "#2", "keyframes", "#0"}, drop("pose"));
       },
       "t.dat: animations[2] (Hiding).keyframes[0]: missing field \"pose\""},
      {"required animations missing",
       [] {
         QJsonArray animations = minimalManifest().value("animations").toArray();
         animations.removeLast();
         animations.removeAt(4);
         return withAnimations(animations);
       },
       "t.dat: animations: required animation(s) missing: Thinking, Suggest"},
      {"animation named twice",
       [] {
         QJsonArray animations = minimalManifest().value("animations").toArray();
         QJsonObject copy = animations.at(7).toObject();
         copy.insert("name", "greet");
         animations.append(copy);
         return withAnimations(animations);
       },
       "t.dat: animations[14]: animation \"greet\" is named twice"},
      {"voice without engine", [] { return withEdit({"voice"}, drop("engine")); },
       "t.dat: voice: missing field \"engine\""},
      {"zero speech rate", [] { return withEdit({"chineseVoice"}, set("rate", 0)); },
       "t.dat: chineseVoice.rate: must be between 0.1 and 10, not 0"},
      {"file too large", [] { return kMagic + QByteArray(17 * 1024 * 1024, ' '); },
       "t.dat: file is too large"},
  };
  return cases;
}

TEST(CharacterFile, EachKindOfBrokenFileIsRejectedWithWhatAndWhere) {
  for (const BrokenFile& broken : brokenFiles()) {
    SCOPED_TRACE(broken.what);
    EXPECT_EQ(errorOf(broken.bytes()).rfind(broken.expectedMessage, 0), 0u)
        << "message: " << errorOf(broken.bytes())
        << "\nexpected to begin with: " << broken.expectedMessage;
  }
}

TEST(CharacterFile, SvgErrorsGiveTheLineInsideTheFragment) {
  const std::string message = errorOf(withSvg("<g>\n<circle r=\"3\"/>\n<rect></g>"));
  EXPECT_NE(message.find("line 3"), std::string::npos) << message;
}

TEST(CharacterFile, EveryTruncationOfAGoodFileIsRejectedCleanly) {
  const QByteArray good = fileBytes(minimalManifest());
  for (qsizetype length = 0; length < good.size(); length += 7) {
    EXPECT_THROW(parseCharacterFile(good.left(length), "t.dat"), AgentError) << "length " << length;
  }
}

TEST(CharacterFile, ReadingNamesTheFileAndTheSystemsReason) {
  QTemporaryDir folder;
  const QString missing = folder.filePath("none.dat");
  try {
    readCharacterFile(missing);
    FAIL() << "a missing file was accepted";
  } catch (const AgentError& error) {
    EXPECT_TRUE(error.message().startsWith(missing + ": cannot open character file: "))
        << error.what();
    EXPECT_TRUE(error.message().contains("No such file")) << error.what();
  }
  EXPECT_THROW(readCharacterFile(folder.path()), AgentError);
}

TEST(CharacterFile, AnEndlessFileIsCutShort) {
  try {
    readCharacterFile("/dev/zero");
    FAIL() << "an endless file was accepted";
  } catch (const AgentError& error) {
    EXPECT_TRUE(error.message().startsWith("/dev/zero: file is too large")) << error.what();
  }
}

TEST(CharacterFile, ReadsAFileFromDisk) {
  QTemporaryDir folder;
  QFile file(folder.filePath("ok.dat"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(fileBytes(minimalManifest()));
  file.close();
  EXPECT_EQ(readCharacterFile(file.fileName()).displayName, "Tom");
}

// A file read ahead is loaded as it was then, and only once: a second load reads it anew. A
// file that could not be read ahead fails when it is loaded, with the reader's message.
TEST(CharacterFile, FilesReadAheadAreTakenOnceWithTheirErrors) {
  QTemporaryDir folder;
  const QString good = folder.filePath("good.dat");
  const QString missing = folder.filePath("missing.dat");
  QFile file(good);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(fileBytes(minimalManifest()));
  file.close();
  const CharacterFilesReadAhead readAhead({good, missing});
  EXPECT_EQ(takeCharacterFile(good).displayName, "Tom");
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(fileBytes(edited(minimalManifest(), {}, [](QJsonObject& manifest) {
    manifest.insert("displayName", "Sam");
  })));
  file.close();
  EXPECT_EQ(takeCharacterFile(good).displayName, "Sam");
  try {
    takeCharacterFile(missing);
    FAIL() << "a missing file was loaded";
  } catch (const AgentError& error) {
    EXPECT_TRUE(error.message().startsWith(missing + ": cannot open character file: "))
        << error.what();
  }
}

// --- The character files the build makes from art/ ---

bool samePose(const Keyframe& a, const Keyframe& b) {
  auto same = [](const Keyframe& x, const Keyframe& y) {
    for (auto it = x.parts.constBegin(); it != x.parts.constEnd(); ++it) {
      const PartPose other = y.parts.value(it.key());
      const PartPose& pose = it.value();
      if (pose.variant != other.variant || pose.dx != other.dx || pose.dy != other.dy ||
          pose.rotate != other.rotate) {
        return false;
      }
    }
    return true;
  };
  return same(a, b) && same(b, a);
}

struct BuiltCharacter {
  const char* file;
  const char* id;
  const char* displayName;
  int width;
  int height;
};

class BuiltCharacterFile : public ::testing::TestWithParam<BuiltCharacter> {};

TEST_P(BuiltCharacterFile, HoldsEveryAnimationWithRealMovement) {
  const BuiltCharacter& expected = GetParam();
  const CharacterData data = readCharacterFile(QStringLiteral(BINARY_DIR "/bin/") + expected.file);
  EXPECT_EQ(data.id, expected.id);
  EXPECT_EQ(data.displayName, expected.displayName);
  EXPECT_EQ(data.width, expected.width);
  EXPECT_EQ(data.height, expected.height);
  for (const QString& name : requiredAnimationNames()) {
    SCOPED_TRACE(name.toStdString());
    const Animation* animation = data.findAnimation(name);
    ASSERT_NE(animation, nullptr);
    ASSERT_GE(animation->frames.size(), 2u);
    const bool moves = std::any_of(
        animation->frames.begin() + 1, animation->frames.end(),
        [&](const Keyframe& frame) { return !samePose(frame, animation->frames.front()); });
    EXPECT_TRUE(moves) << "every keyframe shows the same pose";
  }
}

TEST_P(BuiltCharacterFile, RestPoseBlinks) {
  const CharacterData data =
      readCharacterFile(QStringLiteral(BINARY_DIR "/bin/") + GetParam().file);
  const Animation* rest = data.findAnimation("RestPose");
  ASSERT_NE(rest, nullptr);
  const bool blinks = std::any_of(
      rest->frames.begin(), rest->frames.end(),
      [](const Keyframe& frame) { return frame.parts.value("eyes").variant == "closed"; });
  EXPECT_TRUE(blinks);
}

// Head, eyes and mouth are separate parts that must move as one face, or the face falls apart
// (the eyes may glance a little further sideways while reading).
TEST_P(BuiltCharacterFile, FaceMovesAsOne) {
  const CharacterData data =
      readCharacterFile(QStringLiteral(BINARY_DIR "/bin/") + GetParam().file);
  for (const Animation& animation : data.animations) {
    for (std::size_t index = 0; index < animation.frames.size(); ++index) {
      SCOPED_TRACE(QStringLiteral("%1, keyframe %2").arg(animation.name).arg(index).toStdString());
      const Keyframe& frame = animation.frames[index];
      const PartPose head = frame.parts.value("head");
      const PartPose mouth = frame.parts.value("mouth");
      const PartPose eyes = frame.parts.value("eyes");
      EXPECT_EQ(mouth.dx, head.dx);
      EXPECT_EQ(mouth.dy, head.dy);
      EXPECT_EQ(mouth.rotate, head.rotate);
      EXPECT_NEAR(eyes.dx, head.dx, 1.5);
      EXPECT_EQ(eyes.dy, head.dy);
      EXPECT_EQ(eyes.rotate, head.rotate);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Art, BuiltCharacterFile,
                         ::testing::Values(BuiltCharacter{"ku.dat", "boy", "Tom", 128, 160},
                                           BuiltCharacter{"nu.dat", "girl", "Jenny", 130, 150},
                                           BuiltCharacter{"fi.dat", "vemo", "Kaibo", 150, 180}),
                         [](const auto& info) { return std::string(info.param.id); });

TEST(BuiltArt, GirlReallyReadsABookAndBoyRaisesAFinger) {
  const CharacterData girl = readCharacterFile(QStringLiteral(BINARY_DIR "/bin/nu.dat"));
  const Animation* read = girl.findAnimation("Read");
  ASSERT_NE(read, nullptr);
  const Part* book = girl.findPart("book");
  ASSERT_NE(book, nullptr);
  EXPECT_TRUE(book->variants.value(book->defaultVariant).isEmpty())
      << "the book shows only while reading";
  int framesWithBook = 0;
  for (const Keyframe& frame : read->frames) {
    const QString variant = frame.parts.value("book").variant;
    if (!variant.isEmpty() && !book->variants.value(variant).isEmpty()) ++framesWithBook;
  }
  EXPECT_EQ(framesWithBook, int(read->frames.size()));

  const CharacterData boy = readCharacterFile(QStringLiteral(BINARY_DIR "/bin/ku.dat"));
  const Animation* suggest = boy.findAnimation("Suggest");
  ASSERT_NE(suggest, nullptr);
  const bool fingerUp =
      std::any_of(suggest->frames.begin(), suggest->frames.end(), [](const Keyframe& frame) {
        const PartPose arm = frame.parts.value("rightArm");
        return arm.variant == "pointing" && arm.rotate <= -90;
      });
  EXPECT_TRUE(fingerUp);
}

}  // namespace
