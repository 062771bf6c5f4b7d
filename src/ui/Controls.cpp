#include "ui/Controls.h"

#include "ui/Twips.h"

#include <QAccessible>
#include <QFontInfo>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>

namespace ui {

namespace {

const QColor DimmedGrey(0x80, 0x80, 0x80);

} // namespace

bool isEnterKey(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

Label::Label(const QString& text, const LabelLook& look) : QLabel(text) {
    setFont(screenFont(look.family, look.points));
    setAlignment(look.alignment);
    setTextFormat(Qt::PlainText);
    if (look.white) {
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::white);
        p.setColor(QPalette::WindowText, Qt::black);
        setPalette(p);
    }
    if (look.border) {
        // A plain line in the text colour: a sunken panel's light edges vanish
        // on light backgrounds and the box looks open.
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
        setMargin(2);
    }
}

void Label::setHeading(const QString& heading) {
    headingText = heading;
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
}

void Label::setFitsWholeText(bool fits) {
    fitsWholeText = fits;
    update();
}

FittedText Label::drawn() const {
    if (!fitsWholeText)
        return {font(), text()};
    const int room = contentsRect().width() - 2 * margin();
    // No smaller than two thirds of the label's own size: for a value label as
    // designed, the size of the headings beside it.
    const QFontInfo shown(font());
    return fitText(text(), font(), room, (shown.pixelSize() * 2 + 2) / 3);
}

void Label::paintEvent(QPaintEvent* event) {
    const FittedText fitted = drawn();
    if (fitted.text == text() && fitted.font == font()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(fitted.font);
    const int m = margin();
    style()->drawItemText(&painter, contentsRect().adjusted(m, m, -m, -m), alignment(), palette(),
                          isEnabled(), fitted.text, foregroundRole());
}

AnswerBox::AnswerBox(const QString& accessibleName, double points) {
    setFont(screenFont(QStringLiteral("Arial"), points));
    setAccessibleName(accessibleName);
    setBackgroundColour(Qt::white);
    connect(this, &QLineEdit::textChanged, this, [this] { wrongAndUnchanged = false; });
}

void AnswerBox::setBackgroundColour(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Text, Qt::black);
    setPalette(p);
    // A black edge keeps the box apart from any background, a red box on a red
    // one included; a style sheet that draws an edge paints the fill as well.
    // A box the pupil may not use yet keeps its colour but dims its edge and text.
    setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: black; border: 1px solid "
                                 "black; } QLineEdit:disabled { color: %2; border: 1px solid %2; }")
                      .arg(colour.name(), DimmedGrey.name()));
}

void AnswerBox::keyPressEvent(QKeyEvent* event) {
    if (isEnterKey(event->key())) {
        enterLatch.press(event);
        event->accept();
        return;
    }
    const QString text = event->text();
    if (keyFilter && text.size() == 1 && text.at(0).isPrint()) {
        const QChar typed = text.at(0);
        const QChar changed = keyFilter(typed);
        if (changed != typed) {
            QKeyEvent replaced(event->type(), changed == u' ' ? int(Qt::Key_Space) : event->key(),
                               event->modifiers(), QString(changed), event->isAutoRepeat(),
                               ushort(event->count()));
            QLineEdit::keyPressEvent(&replaced);
            event->setAccepted(replaced.isAccepted());
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void AnswerBox::keyReleaseEvent(QKeyEvent* event) {
    QLineEdit::keyReleaseEvent(event);
    if (isEnterKey(event->key()) && enterLatch.release(event))
        emit enterReleased();
}

void AnswerBox::focusOutEvent(QFocusEvent* event) {
    enterLatch.reset();
    QLineEdit::focusOutEvent(event);
}

PictureButton::PictureButton(const QIcon& icon, const QString& accessibleName) {
    setIcon(icon);
    setAccessibleName(accessibleName);
    // Reached with Tab like any control, but a click leaves the focus where it is.
    setFocusPolicy(Qt::TabFocus);
}

void PictureButton::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    const int side = qMin(width(), height()) - 8;
    setIconSize(QSize(side, side));
}

void PictureButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (hasFocus())
        paintFocusRing(this);
}

Button::Button(const QString& caption, const QFont& font) : QPushButton(caption) {
    setFont(font);
    setAutoDefault(false);
}

namespace {

bool pressesButton(int key) {
    return isEnterKey(key) || key == Qt::Key_Space;
}

} // namespace

void Button::keyPressEvent(QKeyEvent* event) {
    if (!pressesButton(event->key())) {
        QPushButton::keyPressEvent(event);
        return;
    }
    if (!latch.armed()) {
        latch.press(event);
        if (latch.armed())
            setDown(true);
    }
    event->accept();
}

void Button::keyReleaseEvent(QKeyEvent* event) {
    if (!pressesButton(event->key())) {
        QPushButton::keyReleaseEvent(event);
        return;
    }
    event->accept();
    if (latch.release(event)) {
        setDown(false);
        click();
    }
}

void Button::focusOutEvent(QFocusEvent* event) {
    latch.reset();
    setDown(false);
    QPushButton::focusOutEvent(event);
}

void Button::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (hasFocus())
        paintFocusRing(this);
}

namespace {

void fillFrame(QPainter& painter, const QRect& outer, int thickness, const QColor& colour) {
    const QRect inner = outer.adjusted(thickness, thickness, -thickness, -thickness);
    painter.fillRect(QRect(outer.topLeft(), QSize(outer.width(), thickness)), colour);
    painter.fillRect(
        QRect(QPoint(outer.left(), inner.bottom() + 1), QSize(outer.width(), thickness)), colour);
    painter.fillRect(QRect(QPoint(outer.left(), inner.top()), QSize(thickness, inner.height())),
                     colour);
    painter.fillRect(
        QRect(QPoint(inner.right() + 1, inner.top()), QSize(thickness, inner.height())), colour);
}

} // namespace

void paintFocusRing(QWidget* control) {
    QPainter painter(control);
    const QRect edge = control->rect();
    fillFrame(painter, edge, 1, Qt::white);
    fillFrame(painter, edge.adjusted(1, 1, -1, -1), 2, Qt::black);
}

} // namespace ui
