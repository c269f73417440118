// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace platform {
class NumberedFiles;
}

namespace help {

// Reads a help text by its bare name (so from the current directory) under numbered file 3,
// creating the file empty when it does not exist, and decodes it like a lesson file. Line ends
// become "\n". Afterwards, and also after a failure, all numbered files are closed, a halted
// lesson's file among them. Throws platform::FileError when the file cannot be opened or read.
QString readHelpText(platform::NumberedFiles& files, const QString& fileName);

}  // namespace help
