// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Builds the bytes of a character file from the sources in one art folder (art/<id>/):
// character.json, the manifest as written by the artist, where each part variant names an
// .svg file of the folder ("" for a variant that draws nothing) and keyframe poses may name a
// group of parts (from "groups") to move them together. Throws std::runtime_error naming the
// file and what is wrong.
QByteArray buildCharacterFile(const QString& artFolder);
