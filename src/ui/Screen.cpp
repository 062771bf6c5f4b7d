#include "ui/Screen.h"

#include "ui/Controls.h"
#include "ui/ErrorGuard.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QVBoxLayout>

namespace ui {

Screen::Screen(int clientWidthTwips, int clientHeightTwips) : clientArea(new QWidget(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    // A blank title: an empty one would make Qt show the program's name instead.
    setWindowTitle(QStringLiteral(" "));
    setFont(screenFont(QStringLiteral("MS Sans Serif"), 8.25));
    clientArea->setFixedSize(twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(clientArea);
    setAutoFillBackground(true);
}

void Screen::setBackground(quint32 bgr) {
    backgroundBgr = bgr;
    QPalette p = palette();
    p.setColor(QPalette::Window, colourFromBgr(bgr));
    setPalette(p);
}

QAction* Screen::addMenuItem(const QString& caption, std::function<void()> handler) {
    if (!menu) {
        menu = new QMenuBar(this);
        menu->setNativeMenuBar(false);
        menu->setAutoFillBackground(true);
        menu->setFont(QFont());
        // The menu bar keeps the system's colours whatever the window's background.
        QPalette own = QApplication::palette();
        own.setColor(QPalette::Window, own.color(QPalette::Window));
        menu->setPalette(own);
        layout()->setMenuBar(menu);
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
            if (now == menu && old && old != menu && old->window() == this)
                focusBeforeMenu = old;
        });
    }
    QAction* action = menu->addAction(caption);
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] {
        guarded(handler);
        giveFocusBackFromMenu();
    });
    return action;
}

// A message box opened from the menu bar takes the keyboard while the bar holds
// it; once the box is gone the bar would keep the focus and swallow whatever
// the pupil types. The control that had the focus before gets it back.
void Screen::giveFocusBackFromMenu() {
    if (isVisible() && focusWidget() == menu && focusBeforeMenu)
        focusBeforeMenu->setFocus(Qt::OtherFocusReason);
}

void Screen::placeAt(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(twipsRect(left, top, width, height));
}

void Screen::onClick(QAbstractButton* button, std::function<void()> handler) {
    connect(button, &QAbstractButton::clicked, this,
            [handler = std::move(handler)] { guarded(handler); });
}

void Screen::onEnterReleased(AnswerBox* box, std::function<void()> handler) {
    connect(box, &AnswerBox::enterReleased, this,
            [handler = std::move(handler)] { guarded(handler); });
}

void Screen::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!activated) {
        activated = true;
        guarded([this] { Form_Activate(); });
    }
}

} // namespace ui
