#include "model/Texts.h"

QString numberText(int value) {
    return value < 0 ? QString::number(value) : QStringLiteral(" ") + QString::number(value);
}
