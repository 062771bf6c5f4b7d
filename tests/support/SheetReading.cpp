#include "support/SheetReading.h"

#include <QFile>
#include <QProcess>

namespace {

QString output(const QString& tool, const QStringList& arguments) {
    QProcess reader;
    reader.start(tool, arguments);
    reader.waitForFinished(60000);
    return QString::fromUtf8(reader.readAllStandardOutput());
}

} // namespace

SheetRun runSheetProgram(const QString& program, const QStringList& arguments) {
    QProcess run;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // As on a server with no display at all.
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    run.setProcessEnvironment(environment);
    run.start(program, arguments);
    run.waitForFinished(60000);
    // Qt's own notes on a bare server (no runtime folder) are not the program's.
    QStringList errors = QString::fromUtf8(run.readAllStandardError()).split(u'\n');
    errors.removeIf(
        [](const QString& line) { return line.startsWith(QLatin1String("QStandardPaths:")); });
    return {run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1,
            errors.join(u'\n').trimmed()};
}

QString textOf(const QString& pdf, int first, int last) {
    QStringList arguments = {QStringLiteral("-layout"), QStringLiteral("-f"),
                             QString::number(first)};
    if (last > 0)
        arguments << QStringLiteral("-l") << QString::number(last);
    return output(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"))
        .simplified();
}

int pagesOf(const QString& pdf) {
    const QString text = output(QStringLiteral("pdfinfo"), {pdf});
    return text.section(QStringLiteral("Pages:"), 1).section(u'\n', 0, 0).trimmed().toInt();
}

std::vector<Word> wordsOf(const QString& pdf, int page) {
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                       "yMax=\"([\\d.]+)\">([^<]*)</word>"));
    const QString text =
        output(QStringLiteral("pdftotext"),
               {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page),
                QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    std::vector<Word> words;
    auto match = word.globalMatch(text);
    while (match.hasNext()) {
        const auto found = match.next();
        words.push_back(
            {found.captured(5),
             QRectF(QPointF(found.captured(1).toDouble(), found.captured(2).toDouble()),
                    QPointF(found.captured(3).toDouble(), found.captured(4).toDouble()))});
    }
    return words;
}

QStringList pageSizesOf(const QString& pdf) {
    QStringList sizes;
    const QString text =
        output(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                           QStringLiteral("-l"), QStringLiteral("999"), pdf});
    static const QRegularExpression page(QStringLiteral("^Page +\\d+ size: *(.*)$"),
                                         QRegularExpression::MultilineOption);
    auto found = page.globalMatch(text);
    while (found.hasNext())
        sizes << found.next().captured(1).simplified();
    return sizes;
}

QString fontsOf(const QString& pdf) {
    return output(QStringLiteral("pdffonts"), {pdf});
}

QRegularExpression withBlanks(const QString& text) {
    QStringList parts = text.split(QStringLiteral("%BLANK%"));
    for (QString& part : parts)
        part = QRegularExpression::escape(part);
    return QRegularExpression(parts.join(QStringLiteral("_{20,}")));
}

QString comparable(const QString& text) {
    // pdftotext gives the compatibility forms that a face's glyph also
    // stands for (Arabic presentation forms, Kangxi radicals) and bidi marks.
    QString plain = text.normalized(QString::NormalizationForm_KC);
    plain.removeIf([](QChar c) {
        return c.isSpace() || (c.unicode() >= 0x202A && c.unicode() <= 0x202E) ||
               (c.unicode() >= 0x2066 && c.unicode() <= 0x2069);
    });
    return plain;
}

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return file.fileName();
}
