#pragma once

#include "shell/Currency.h"

#include <QImage>

// The piece's picture at the size given in device pixels, or a drawn stand-in
// when the file is missing or cannot be read.
QImage piecePicture(const Denomination& piece, QSize shown);
