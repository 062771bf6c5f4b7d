#pragma once

#include <QString>
#include <exception>

// Shows what went wrong in one message box, writes it on standard error and
// ends the program with a non-zero exit code.
void reportFatalError(const QString& text);
void reportFatalError(const std::exception* error);
