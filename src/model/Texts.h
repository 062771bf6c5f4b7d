#pragma once

#include <QString>

// A count or quantity after a space, or after its minus sign: " 1", "-1".
QString numberText(int value);
