// The yardstick for the start-up benchmark: a bare Qt window, one label of the
// start screen's size, built and marked as the program is.

#include "app/TimingMarks.h"

#include <QLabel>

int main(int argc, char* argv[]) {
    timing::MarkedApplication app(argc, argv);
    QLabel label(QStringLiteral("la mercanzola"));
    label.setAlignment(Qt::AlignCenter);
    label.setFixedSize(845, 541);
    label.show();
    return QApplication::exec();
}
