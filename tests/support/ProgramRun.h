#pragma once

#include <QString>
#include <QStringList>

// The real program run at a terminal with no display, in `folder`: its exit
// status (-1 when it crashed or hung) and what it wrote.
struct ProgramRun {
    int status = -1;
    QString out, err;
};
ProgramRun runWithoutDisplay(const QString& program, const QStringList& arguments,
                             const QString& folder);
