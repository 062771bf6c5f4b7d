// Writes the manual page from its template, putting the options where the
// template has the comment line OPZIONI: they come from the same table as --help, so the
// two never disagree.

#include "app/CommandLineOptions.h"

#include <QFile>
#include <cstdio>

namespace {

// Plain text as roff reads it literally: backslashes and dashes escaped, and a
// line that would start with a control character guarded.
QString roff(QString text) {
    text.replace(u'\\', QStringLiteral("\\e")).replace(u'-', QStringLiteral("\\-"));
    if (text.startsWith(u'.') || text.startsWith(u'\''))
        text.prepend(QStringLiteral("\\&"));
    return text;
}

QString optionsSection() {
    QString text;
    for (const CommandLineOption& option : commandLineOptions()) {
        QStringList names;
        for (const QString& name : option.names)
            names << QStringLiteral("\\fB%1\\fR").arg(roff(dashedName(name)));
        text += QStringLiteral(".TP\n") + names.join(QStringLiteral(", "));
        if (!option.valueName.isEmpty())
            text += QStringLiteral(" \\fI%1\\fR").arg(roff(option.valueName));
        text += u'\n' + roff(option.description) + u'\n';
    }
    return text;
}

bool fail(const QString& why) {
    std::fprintf(stderr, "manpage: %s\n", qPrintable(why));
    return false;
}

bool write(const QString& templatePath, const QString& outputPath) {
    QFile in(templatePath);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail(templatePath + QStringLiteral(": ") + in.errorString());
    QString page = QString::fromUtf8(in.readAll());
    const QString marker = QStringLiteral(".\\\" OPZIONI\n");
    if (!page.contains(marker))
        return fail(templatePath + QStringLiteral(": no line .\\\" OPZIONI"));
    page.replace(marker, optionsSection());
    QFile out(outputPath);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text) ||
        out.write(page.toUtf8()) < 0)
        return fail(outputPath + QStringLiteral(": ") + out.errorString());
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: manpage TEMPLATE OUTPUT\n");
        return 2;
    }
    return write(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
