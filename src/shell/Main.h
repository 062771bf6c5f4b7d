#pragma once

#include <QString>

class Lesson;

// The program's entry, once the toolkit is up: seeds the random generator,
// reads the catalogue into the lesson and shows the start screen. A catalogue error is thrown
// before any screen is shown. The program folder is the executable's unless
// given (the benchmarks live elsewhere). The catalogue is lista.txt unless
// another is named, relative to the program folder or absolute.
void Main(Lesson& lesson, const QString& programFolder = {}, const QString& catalogue = {});
