#pragma once

#include "model/Currency.h"
#include "ui/StandInPicture.h"

#include <QImage>

// How a piece of money looks on the board.
struct PieceLook {
    const char* file;  // in the program folder
    int width, height; // the slot's size in twips: notes landscape, coins square
    ui::PlateShape shape;
    quint32 rim, face;  // the stand-in's colours, 0xRRGGBB, as the picture's
    const char* figure; // what a stand-in shows in large: "10000", "50 c"
};

// The look of the currency's piece at `index` of its pieces().
const PieceLook& pieceLook(const Currency& currency, size_t index);

// The piece's picture at the size given in device pixels, or a drawn stand-in
// when the file is missing or cannot be read.
QImage piecePicture(const PieceLook& piece, QSize shown);
