#pragma once

#include <QString>

namespace lesson {

// What reading a lesson needs of the sentence window lx: its two texts (Text1 carries the
// English sentence, Text2 its translation) and hiding it.
class SentenceWindow {
 public:
  virtual ~SentenceWindow() = default;
  virtual QString text1() const = 0;
  virtual QString text2() const = 0;
  virtual void setText1(const QString& text) = 0;
  virtual void setText2(const QString& text) = 0;
  virtual void hideWindow() = 0;
};

}  // namespace lesson
