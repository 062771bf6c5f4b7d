#pragma once

#include <QIcon>

namespace ui {

// The program's own drawings, built into the executable.
enum class IconPicture { LaughingFace, SadFace, SmilingFace, CartoonHead, WhiteHand };

QIcon icon(IconPicture picture);

} // namespace ui
