#pragma once

#include <QString>
#include <stdexcept>

// A failure that ends the program; its text is shown to the user as it stands.
class ProgramError : public std::runtime_error {
public:
    explicit ProgramError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

class OverflowError : public ProgramError {
public:
    explicit OverflowError(const QString& what)
        : ProgramError(
              QStringLiteral("Errore di calcolo: %1 supera l'intervallo consentito.").arg(what)) {}
};
