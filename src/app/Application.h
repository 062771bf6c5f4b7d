#pragma once

#include "app/TimingMarks.h"

// Catches what a handler let through, so that no exception crosses Qt's event
// loop: the error is reported and the program ends.
class Application : public timing::MarkedApplication {
public:
    using timing::MarkedApplication::MarkedApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};
