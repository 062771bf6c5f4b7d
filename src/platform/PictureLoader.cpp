#include "platform/PictureLoader.h"

#include "platform/DataFile.h"
#include "platform/Warning.h"

#include <QBuffer>
#include <QImageReader>
#include <QLoggingCategory>

namespace platform {

namespace {

// Our own pictures are a few hundred pixels a side; a file that claims far more
// would cost tens of megabytes to decode, only to be shrunk into a slot.
constexpr int MaxPictureSide = 4096;
constexpr qint64 MaxPictureBytes = 8 * 1024 * 1024;

// Whether a JPEG stream runs on to its end marker. libjpeg fills in a picture
// cut short with grey and only warns, so a cut file would pass for whole.
bool jpegComplete(const QByteArray& data) {
    const auto* b = reinterpret_cast<const uchar*>(data.constData());
    const qsizetype n = data.size();
    if (n < 4 || b[0] != 0xFF || b[1] != 0xD8)
        return false;
    qsizetype at = 2;
    while (at + 1 < n) {
        const uchar marker = b[at + 1];
        if (b[at] != 0xFF || marker == 0xFF) {
            ++at; // scan data, or a fill byte before a marker
        } else if (marker == 0xD9) {
            return true;
        } else if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2; // a stuffed 0xFF or a marker without a segment
        } else {
            // A segment skipped by its length, so that an end marker inside it
            // (a thumbnail's) does not count.
            if (at + 3 >= n)
                return false;
            const int length = (b[at + 2] << 8) | b[at + 3];
            if (length < 2)
                return false;
            at += 2 + length;
        }
    }
    return false;
}

// The JPEG decoder warns about a spoilt file on its own logging category; the
// program already names each unreadable picture in one line of its own, so the
// decoder is kept quiet while it decodes ours.
QLoggingCategory::CategoryFilter filterBeforeDecoding = nullptr;

void quietDecoder(QLoggingCategory* category) {
    if (filterBeforeDecoding)
        filterBeforeDecoding(category);
    if (qstrcmp(category->categoryName(), "qt.gui.imageio.jpeg") == 0) {
        category->setEnabled(QtDebugMsg, false);
        category->setEnabled(QtInfoMsg, false);
        category->setEnabled(QtWarningMsg, false);
    }
}

class QuietDecoding {
public:
    QuietDecoding() { filterBeforeDecoding = QLoggingCategory::installFilter(quietDecoder); }
    ~QuietDecoding() { QLoggingCategory::installFilter(filterBeforeDecoding); }
    QuietDecoding(const QuietDecoding&) = delete;
    QuietDecoding& operator=(const QuietDecoding&) = delete;
};

void toStandardError(const QString& line) {
    warn(line);
}

} // namespace

QImage FilePictureLoader::load(const QString& path, const QSize& size) {
    DataFile file = readDataFile(path, MaxPictureBytes);
    if (!file.problem.isEmpty())
        return {};
    QBuffer buffer(&file.bytes);
    buffer.open(QIODevice::ReadOnly);
    const QuietDecoding quiet;
    QImageReader reader(&buffer);
    const QSize claimed = reader.size(); // from the header, before any decoding
    if (!claimed.isValid() || claimed.width() > MaxPictureSide ||
        claimed.height() > MaxPictureSide ||
        (reader.format() == "jpeg" && !jpegComplete(file.bytes)))
        return {};
    // Decoding at the shown size costs less memory and time than decoding the
    // whole picture and scaling it at every paint.
    if (size.isValid() && !size.isEmpty())
        reader.setScaledSize(size);
    // In case a decoder makes the whole picture before scaling it down.
    QImageReader::setAllocationLimit(MaxPictureSide * MaxPictureSide * 4 / (1024 * 1024));
    QImage picture;
    return reader.read(&picture) ? picture : QImage();
}

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

} // namespace platform
