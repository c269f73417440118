// SPDX-License-Identifier: GPL-3.0-or-later
#include "pronunciations.h"

#include <flite/flite.h>

#include <QHash>
#include <QRegularExpression>

extern "C" {
cst_lexicon* cmu_lex_init(void);
cst_val* en_exp_number(const char* numstring);
}

namespace listening {

namespace {

// flite's phones that the recogniser's model spells otherwise (the rest are the same, in
// upper case and without stress digits).
const QHash<QString, QString>& flitePhoneNames() {
  static const QHash<QString, QString> names{{"ax", "AH"},   {"axr", "ER"},      {"dx", "D"},
                                             {"el", "AH L"}, {"em", "AH M"},     {"en", "AH N"},
                                             {"hv", "HH"},   {"ix", "IH"},       {"nx", "N"},
                                             {"wh", "W"},    {"pau", QString()}, {"h#", QString()}};
  return names;
}

QString recogniserPhone(QString flitePhone) {
  flitePhone.remove(QRegularExpression(QStringLiteral("[0-9]")));
  const auto renamed = flitePhoneNames().constFind(flitePhone);
  return renamed != flitePhoneNames().constEnd() ? *renamed : flitePhone.toUpper();
}

QStringList lexiconPhones(const QString& letters) {
  static const cst_lexicon* lexicon = cmu_lex_init();
  cst_val* phones = lex_lookup(lexicon, letters.toLatin1().constData(), nullptr, nullptr);
  QStringList result;
  for (const cst_val* phone = phones; phone; phone = val_cdr(phone)) {
    const QString name = recogniserPhone(QString::fromLatin1(val_string(val_car(phone))));
    if (!name.isEmpty()) result << name;
  }
  delete_val(phones);
  return result;
}

QStringList numberWords(const QString& digits) {
  cst_val* words = en_exp_number(digits.toLatin1().constData());
  QStringList result;
  for (const cst_val* word = words; word; word = val_cdr(word))
    result << QString::fromLatin1(val_string(val_car(word)));
  delete_val(words);
  return result;
}

QStringList partPhones(const QString& part, const DictionaryLookup& dictionary) {
  if (const QString known = dictionary(part); !known.isEmpty()) return {known};
  if (part.front().isDigit()) {
    QStringList phones;
    for (const QString& word : numberWords(part)) phones << partPhones(word, dictionary);
    return phones;
  }
  return lexiconPhones(part);
}

}  // namespace

QString generatedPronunciation(const QString& key, const DictionaryLookup& dictionary) {
  static const QRegularExpression parts(QStringLiteral("[a-z]+|[0-9]+"));
  QString letters = key;
  letters.remove(QLatin1Char('\''));
  QStringList phones;
  for (auto match = parts.globalMatch(letters); match.hasNext();)
    phones << partPhones(match.next().captured(), dictionary);
  return phones.join(QLatin1Char(' '));
}

}  // namespace listening
