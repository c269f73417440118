#pragma once

#include <QIcon>

namespace lesson {

// The program's own icon (art/icon.svg), drawn at 16, 32 and 48 pixels: on the sentence window
// and as the application's icon.
QIcon programIcon();

}  // namespace lesson
