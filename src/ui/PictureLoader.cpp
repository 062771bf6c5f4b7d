#include "ui/PictureLoader.h"

#include <QImageReader>
#include <cstdio>

namespace ui {

QImage FilePictureLoader::load(const QString& path, const QSize& size) {
    QImageReader reader(path);
    // Decoding at the shown size costs less memory and time than decoding the
    // whole picture and scaling it at every paint.
    if (size.isValid() && !size.isEmpty())
        reader.setScaledSize(size);
    return reader.read();
}

namespace {

void toStandardError(const QString& line) {
    std::fprintf(stderr, "la mercanzola: %s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
}

} // namespace

CachingPictureLoader::CachingPictureLoader(PictureLoader& source, Reporter report)
    : source(source), report(report ? std::move(report) : Reporter(toStandardError)) {}

QImage CachingPictureLoader::load(const QString& path, const QSize& size) {
    const Key key{path, size};
    const auto found = pictures.constFind(key);
    if (found != pictures.constEnd())
        return *found;
    const QImage picture = source.load(path, size);
    if (picture.isNull() && !reportedMissing.contains(path)) {
        reportedMissing.insert(path);
        report(QStringLiteral("immagine mancante o illeggibile, al suo posto un disegno: %1")
                   .arg(path));
    }
    pictures.insert(key, picture);
    return picture;
}

} // namespace ui
