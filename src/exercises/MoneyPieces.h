#pragma once

#include "ui/StandInPicture.h"

#include <QImage>
#include <QString>
#include <array>

// The seven pieces of lire money, largest first, which is also the order the
// money board is laid out in.
struct Denomination {
    int value;
    const char* file;  // in the program folder
    int width, height; // the slot's size in twips: notes landscape, coins square
    ui::PlateShape shape;
    quint32 rim, face; // the stand-in's colours, 0xRRGGBB, as the picture's
};

extern const std::array<Denomination, 7> Denominations;

// What the piece is called aloud: "banconota da 10.000 lire", "moneta da 500 lire".
QString pieceName(const Denomination& piece);

// The piece's picture at the size given in device pixels, or a drawn stand-in
// when the file is missing or cannot be read.
QImage piecePicture(const Denomination& piece, QSize shown);
