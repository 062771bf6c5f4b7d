#include "ui/Controls.h"

#include "ui/Twips.h"

#include <QKeyEvent>
#include <QStyle>

namespace ui {

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
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(1);
        setMargin(2);
    }
}

AnswerBox::AnswerBox(const QString& accessibleName, double points) {
    setFont(screenFont(QStringLiteral("Arial"), points));
    setAccessibleName(accessibleName);
    setBackgroundColour(Qt::white);
}

void AnswerBox::setBackgroundColour(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Text, Qt::black);
    setPalette(p);
}

void AnswerBox::keyPressEvent(QKeyEvent* event) {
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
    // Holding Enter sends repeated releases: only the real one judges.
    if (isEnterKey(event->key()) && !event->isAutoRepeat())
        emit enterReleased();
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

Button::Button(const QString& caption, const QFont& font) : QPushButton(caption) {
    setFont(font);
    setAutoDefault(false);
}

void Button::keyPressEvent(QKeyEvent* event) {
    if (isEnterKey(event->key()) && !event->isAutoRepeat()) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void Button::focusInEvent(QFocusEvent* event) {
    // Fusion marks a focused button only once the keyboard has moved the focus:
    // the focus a window hands its button on activation changes no pixel, so the
    // screen just painted is not painted again.
    if (event->reason() == Qt::ActiveWindowFocusReason &&
        !window()->testAttribute(Qt::WA_KeyboardFocusChange) &&
        style()->name() == QLatin1String("fusion")) {
        event->accept();
        return;
    }
    QPushButton::focusInEvent(event);
}

} // namespace ui
