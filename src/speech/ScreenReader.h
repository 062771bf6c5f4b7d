#pragma once

#include <QObject>
#include <QVariantMap>

// Whether a screen reader is running (AT-SPI's ScreenReaderEnabled or
// IsEnabled, on the accessibility bus's status), now and as it changes: while one runs it
// speaks, and the program must not, so that a blind pupil never hears two
// voices. No bus counts as none running.
class ScreenReaderWatch : public QObject {
    Q_OBJECT
public:
    ScreenReaderWatch();
    bool running() const { return isRunning; }

signals:
    void changed(bool running);

private slots:
    void propertiesChanged(const QString& interface, const QVariantMap& changed,
                           const QStringList& invalidated);

private:
    void read();

    bool wasEnabled = false;
    bool enabledAlone = false;
    bool isRunning = false;
};
