#pragma once

#include <QObject>

class QMenuBar;
class QWidget;

namespace ui {

// Makes every press and release of Alt alone open a window's menu bar, as Qt's
// own menu bar means to. Qt's bar forgets a pressed Alt at any other key event
// that reaches the program before Alt is released; with a screen reader, the
// accessibility bridge holds each key until the reader has heard of it and only
// then hands it on, so a key typed just before Alt can arrive in between, and
// Alt's release then opened nothing; or arrive once the bar is open, and the
// answer it judges takes the keyboard, and with it the open bar, to the next box.
class AltMenuKey : public QObject {
    Q_OBJECT
public:
    AltMenuKey(QWidget* window, QMenuBar* bar);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openBar();
    void stopWatching();

    QWidget* window;
    QMenuBar* bar;
    bool watching = false;
};

} // namespace ui
