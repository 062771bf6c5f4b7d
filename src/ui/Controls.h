#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "ui/FittedText.h"
#include "ui/KeyLatch.h"

namespace ui {

struct LabelLook {
    QString family = QStringLiteral("Arial");
    double points = 9.75;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    bool white = false;  // white background; otherwise transparent
    bool border = false; // single-line border
};

class Label : public QLabel {
    Q_OBJECT
public:
    Label(const QString& text, const LabelLook& look);

    // The heading a value label stands under. A screen reader then hears
    // "heading: value", kept current as the value changes, rather than a bare
    // number whose meaning only the eye can see.
    void setHeading(const QString& heading);
    QString heading() const { return headingText; }

    // A text too wide for the box is drawn smaller, then elided in the middle,
    // rather than cut at its ends; text() and the accessible name stay whole.
    void setFitsWholeText(bool fits);
    // The font and text the label is drawn with.
    FittedText drawn() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString headingText;
    bool fitsWholeText = false;
};

// The box where the pupil types an answer. Every typed character passes through
// the key filter, which may change it; the owner judges the answer on the
// release of Enter, once per physical press and only when the box saw the press.
class AnswerBox : public QLineEdit {
    Q_OBJECT
public:
    AnswerBox(const QString& accessibleName, double points);

    std::function<QChar(QChar)> keyFilter;
    void setBackgroundColour(const QColor& colour);

    // The answer in the box was judged wrong; it stays so until it changes.
    void markJudgedWrong() { wrongAndUnchanged = true; }
    bool judgedWrongAndUnchanged() const { return wrongAndUnchanged; }

signals:
    void enterReleased();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    KeyLatch enterLatch;
    bool wrongAndUnchanged = false;
};

// A button that shows a picture and no caption. Reached with Tab, it shows the
// same focus ring as the text buttons: the platform's own is a faint line.
class PictureButton : public QPushButton {
    Q_OBJECT
public:
    PictureButton(const QIcon& icon, const QString& accessibleName);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// A push button that Enter presses too, as the space bar does, when it has the
// focus: a plain window's buttons are not default buttons in Qt. Either key
// acts on its release, once per physical press, and only when the button saw
// the press; the focus shows as a ring that stands out on any background.
class Button : public QPushButton {
    Q_OBJECT
public:
    Button(const QString& caption, const QFont& font);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    KeyLatch latch;
};

// Draws the keyboard focus ring inside a control's edge: a white line outside
// a black one, so that one of them stands out on every background.
void paintFocusRing(QWidget* control);

bool isEnterKey(int key);

} // namespace ui
