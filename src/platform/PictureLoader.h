#pragma once

#include "platform/Services.h"

#include <QHash>
#include <QImage>
#include <QSet>
#include <QSize>
#include <functional>

namespace platform {

// Decodes picture files from disk, straight at the size they are shown.
class FilePictureLoader : public PictureLoader {
public:
    QImage load(const QString& path, const QSize& size) override;
};

// Keeps every picture it was asked for, so that a file is read and decoded once
// per program run however often it is shown. A file that is missing or cannot
// be read is remembered too, and reported once, with one line naming it.
class CachingPictureLoader : public PictureLoader {
public:
    using Reporter = std::function<void(const QString& line)>;
    // By default the line goes to standard error.
    explicit CachingPictureLoader(PictureLoader& source, Reporter report = {});

    QImage load(const QString& path, const QSize& size) override;

private:
    struct Key {
        QString path;
        QSize size;
        bool operator==(const Key&) const = default;
    };
    friend size_t qHash(const Key& key, size_t seed) {
        return qHashMulti(seed, key.path, key.size.width(), key.size.height());
    }

    PictureLoader& source;
    Reporter report;
    QHash<Key, QImage> pictures; // null where the file could not be had
    QSet<QString> reportedMissing;
};

} // namespace platform
