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
    }
    QAction* action = menu->addAction(caption);
    connect(action, &QAction::triggered, this,
            [handler = std::move(handler)] { guarded(handler); });
    return action;
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
