#pragma once

namespace ui {

// Lets a screen reader hear a value label with its heading (Label::setHeading).
// Installed once, before the first label is read.
void installLabelAccessibility();

} // namespace ui
