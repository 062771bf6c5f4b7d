#pragma once

#include <QApplication>

// Catches what a handler let through, so that no exception crosses Qt's event
// loop: the error is reported and the program ends.
class Application : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};
