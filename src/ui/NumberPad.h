#pragma once

#include <QPushButton>
#include <QSize>
#include <QWidget>

class QTimer;

namespace ui {

// Which keys a screen's pad has beside the digits, "cancella" and "invio".
struct PadKeys {
    bool comma = false; // "virgola": amounts in a currency with cents
    bool minus = false; // "meno": answers that may be below zero
};

class AnswerBox;

// The on-screen number pad ("tastierino") for a pupil at an interactive board:
// a tap types into the answer box, through that box's own key filter, as the
// keyboard would; a long press of "cancella" empties it. The keys never take
// the focus, so the screen's Tab order and what a screen reader walks are
// those without the pad.
class NumberPad : public QWidget {
    Q_OBJECT
public:
    explicit NumberPad(const PadKeys& keys, QWidget* parent = nullptr);

    // The key with this accessible name, or null.
    QPushButton* key(const QString& name) const;
    QStringList keyNames() const;

    // The pad's size at scale 1; drawn at a larger scale it grows by the factor.
    QSize designedSize() const;
    void setScale(double factor);

    // Whether pads show: as chosen on the command line or with the toggle key,
    // otherwise on a touch screen or in full screen.
    enum class Choice { Automatic, Shown, Hidden };
    static void choose(Choice choice);
    static bool wanted(bool fullScreen);
    // A touch screen among Qt's input devices.
    static bool touchScreenPresent();

private:
    void addKey(const QString& caption, const QString& name, int row, int column, int columnSpan,
                int key, const QString& text);
    void tap(int key, const QString& text);
    AnswerBox* answerBox() const;

    QList<QPushButton*> keys;
    QTimer* holdToClear = nullptr;
    bool clearedByHold = false;
    double factor = 1.0;
};

} // namespace ui
