#include "ui/NumberPad.h"

#include "ui/Controls.h"
#include "ui/TapGuard.h"
#include "ui/Twips.h"

#include <QCoreApplication>
#include <QInputDevice>
#include <QKeyEvent>
#include <QTimer>
#include <cmath>
#include <utility>

namespace ui {

namespace {

// At scale 1 a key is larger than the 48 pixels a fingertip needs.
constexpr int KeySide = 56;
constexpr int Gap = 8;
constexpr int Columns = 3;
constexpr int Rows = 6;
constexpr double CaptionPoints = 15;
// Held this long, "cancella" empties the box.
constexpr int LongPressMs = 600;

NumberPad::Choice chosen = NumberPad::Choice::Automatic;

// The grid cell a key stands in, kept on the key for every later scale.
struct Cell {
    int row, column, columnSpan;
};
const char* const CellProperty = "ui_padCell";

int scaled(int pixels, double factor) {
    return static_cast<int>(std::floor(pixels * factor));
}

} // namespace

NumberPad::NumberPad(const PadKeys& padKeys, QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("tastierino"));
    // Light keys with a black edge on any background; a pressed key turns dark
    // so that the finger sees it was taken.
    setStyleSheet(QStringLiteral(
        "QPushButton { background: #f4f4f4; color: black; border: 2px solid black; "
        "border-radius: 6px; } QPushButton:pressed { background: #202020; color: white; }"));
    for (int digit = 1; digit <= 9; ++digit) {
        const QString name = QString::number(digit);
        addKey(name, name, 2 - (digit - 1) / 3, (digit - 1) % 3, 1, Qt::Key_0 + digit, name);
    }
    const int extras = int(padKeys.comma) + int(padKeys.minus);
    addKey(QStringLiteral("0"), QStringLiteral("0"), 3, 0, Columns - extras, Qt::Key_0,
           QStringLiteral("0"));
    int column = Columns - extras;
    if (padKeys.comma)
        addKey(QStringLiteral(","), QStringLiteral("virgola"), 3, column++, 1, Qt::Key_Comma,
               QStringLiteral(","));
    if (padKeys.minus)
        addKey(QStringLiteral("−"), QStringLiteral("meno"), 3, column, 1, Qt::Key_Minus,
               QStringLiteral("-"));
    addKey(QStringLiteral("cancella"), QStringLiteral("cancella"), 4, 0, Columns, Qt::Key_Backspace,
           QString());
    QPushButton* erase = keys.back();
    erase->setToolTip(QStringLiteral("tieni premuto per cancellare tutto"));
    holdToClear = new QTimer(this);
    holdToClear->setSingleShot(true);
    holdToClear->setInterval(LongPressMs);
    connect(erase, &QPushButton::pressed, holdToClear, qOverload<>(&QTimer::start));
    connect(holdToClear, &QTimer::timeout, this, [this, erase] {
        if (!erase->isDown())
            return;
        clearedByHold = true;
        if (AnswerBox* box = answerBox())
            box->clear();
    });
    addKey(QStringLiteral("invio"), QStringLiteral("invio"), 5, 0, Columns, Qt::Key_Return,
           QStringLiteral("\r"));
    setScale(1.0);
}

void NumberPad::addKey(const QString& caption, const QString& name, int row, int column,
                       int columnSpan, int keyCode, const QString& text) {
    auto* button = new QPushButton(caption, this);
    button->setAccessibleName(name);
    // Outside the Tab chain, and a tap leaves the focus in the answer box.
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    button->setProperty(CellProperty, QVariantList{row, column, columnSpan});
    connect(button, &QPushButton::clicked, this, [this, keyCode, text] { tap(keyCode, text); });
    // Digits are tapped again and again, each tap meant.
    if (text.size() == 1 && text.at(0).isDigit())
        letTapRepeat(button);
    keys << button;
}

QPushButton* NumberPad::key(const QString& name) const {
    for (QPushButton* button : keys)
        if (button->accessibleName() == name)
            return button;
    return nullptr;
}

QStringList NumberPad::keyNames() const {
    QStringList names;
    for (const QPushButton* button : keys)
        names << button->accessibleName();
    return names;
}

QSize NumberPad::designedSize() const {
    return {Columns * KeySide + (Columns + 1) * Gap, Rows * KeySide + (Rows + 1) * Gap};
}

void NumberPad::setScale(double scale) {
    factor = scale;
    const int side = scaled(KeySide, factor);
    const int gap = scaled(Gap, factor);
    QFont caption = screenFont(QStringLiteral("Arial"), CaptionPoints);
    caption.setPixelSize(scaled(caption.pixelSize(), factor));
    for (QPushButton* button : keys) {
        const QVariantList cell = button->property(CellProperty).toList();
        const int row = cell[0].toInt(), column = cell[1].toInt(), span = cell[2].toInt();
        button->setFont(caption);
        button->setGeometry(gap + column * (side + gap), gap + row * (side + gap),
                            span * side + (span - 1) * gap, side);
    }
    resize(scaled(designedSize().width(), factor), scaled(designedSize().height(), factor));
}

// The answer box with the focus, or else the one the screen waits on: a tap
// never goes to the faces or a button that Tab reached.
AnswerBox* NumberPad::answerBox() const {
    const auto usable = [](const AnswerBox* box) {
        return box && box->isEnabled() && box->isVisible();
    };
    auto* focused = qobject_cast<AnswerBox*>(window()->focusWidget());
    if (usable(focused))
        return focused;
    for (AnswerBox* box : window()->findChildren<AnswerBox*>())
        if (usable(box))
            return box;
    return nullptr;
}

// The box gets the key's press and release as if typed, so its key filter and
// its Enter latch act exactly as for the keyboard. What a tap adds goes at the
// end of the answer, or in place of all of it after a wrong one; a second
// comma or minus is not typed, and "invio" on an answer already judged wrong
// and not changed since judges nothing.
void NumberPad::tap(int keyCode, const QString& text) {
    if (keyCode == Qt::Key_Backspace && std::exchange(clearedByHold, false))
        return;
    AnswerBox* box = answerBox();
    if (!box)
        return;
    if (!box->hasFocus())
        box->setFocus(Qt::OtherFocusReason);
    // Only what types replaces a selected answer: "cancella" takes its last sign.
    const bool replacing = keyCode != Qt::Key_Backspace && box->hasSelectedText() &&
                           box->selectedText() == box->text();
    if (keyCode == Qt::Key_Return && box->judgedWrongAndUnchanged())
        return;
    if ((text == u"," || text == u"-") && !replacing && box->text().contains(text))
        return;
    if (!replacing)
        box->end(false);
    QKeyEvent press(QEvent::KeyPress, keyCode, Qt::NoModifier, text);
    QCoreApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, keyCode, Qt::NoModifier, text);
    QCoreApplication::sendEvent(box, &release);
}

void NumberPad::choose(Choice choice) {
    chosen = choice;
}

bool NumberPad::wanted(bool fullScreen) {
    switch (chosen) {
    case Choice::Shown:
        return true;
    case Choice::Hidden:
        return false;
    case Choice::Automatic:
        break;
    }
    return fullScreen || touchScreenPresent();
}

bool NumberPad::touchScreenPresent() {
    const QList<const QInputDevice*> devices = QInputDevice::devices();
    return std::any_of(devices.begin(), devices.end(), [](const QInputDevice* device) {
        return device->type() == QInputDevice::DeviceType::TouchScreen;
    });
}

} // namespace ui
