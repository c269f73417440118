// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

namespace listening {

// Phones of a word in the recogniser's dictionary, blank-separated ("HH AH L OW"), or empty
// when the dictionary lacks it.
using DictionaryLookup = std::function<QString(const QString& key)>;

// Phones for a word the dictionary lacks, in the recogniser's phone set. Its parts (apostrophes
// dropped, split at hyphens and other non-letters, digits apart from letters) are looked up in the
// dictionary; numbers are spelt out in words; what is still unknown comes from flite's lexicon and
// its letter-to-sound rules, which pronounce any run of letters. Empty when the word has no part
// that can be said.
QString generatedPronunciation(const QString& key, const DictionaryLookup& dictionary);

}  // namespace listening
