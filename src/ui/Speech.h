#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace ui {

// Where a window's sentences go besides the screen reader, as one text for a
// voice.
class Voice {
public:
    virtual ~Voice() = default;
    virtual void hear(const QString& text) = 0;
};

// A line of the window that a screen reader speaks whenever it is shown again:
// a notification inside a status bar, which Orca speaks without naming its
// role. Neither takes room nor paints.
class SpokenLine : public QWidget {
    Q_OBJECT
public:
    explicit SpokenLine(QWidget* parent);
};
class SpokenNotice : public QWidget {
    Q_OBJECT
public:
    SpokenNotice(const QString& sentence, QWidget* parent);
};

// Short sentences for a screen reader, from one window. Qt 6.4 has no
// announcement event, and over AT-SPI it sends a changed name or description
// without its text, which Orca 43 cannot speak. What Orca speaks reliably is
// a control newly focused, description included, and a notification shown.
//
// Everything said while one action of the pupil is handled is spoken once,
// together, when it ends: as a new notification. Each sentence has one of
// its own, never renamed, as a screen reader that lags behind reads the
// notification as it is when it gets to it. Before the window is
// active (a screen opening), the sentence waits as the description of the
// control that will have the focus, and comes with it, after the window's
// name. An action that moves the focus leaves what it said so far as the
// description of the control focused, which a screen reader speaks before any
// notification: the outcome is heard before the next question. A control
// loses that sentence with the focus, so that coming back to it does not
// repeat it.
class Speech : public QObject {
public:
    explicit Speech(QWidget* window);

    void say(const QString& sentence) { say(sentence, sentence); }
    // The same sentence with its amounts written for a voice.
    void say(const QString& sentence, const QString& voiced);
    // Where what one action said goes besides the screen reader, as one text
    // for a voice; by default nowhere.
    void setVoice(Voice* to) { voice = to; }
    // Brackets one action of the pupil; they nest.
    void begin();
    void end();

private:
    void speakPending();
    void forgetOnFocusOut(QWidget* old);
    void describeNewFocus(QWidget* now);
    // A control that the action focused is spoken with its description: a
    // sentence that repeats the description is left out.
    void dropWhatTheFocusSays();

    QWidget* const window;
    Voice* voice = nullptr;
    SpokenLine* line;
    QList<QPointer<SpokenNotice>> notices; // the latest last
    QStringList pending;
    QStringList pendingVoiced;
    int depth = 0;
    QPointer<QWidget> described;   // the control that waits with a sentence
    QPointer<QWidget> focusBefore; // where the focus was when the action began
};

} // namespace ui
