#include "ui/Screen.h"

#include "ui/AltMenuKey.h"
#include "ui/Contrast.h"
#include "ui/Controls.h"
#include "ui/ErrorGuard.h"
#include "ui/NumberPad.h"
#include "ui/Scaling.h"
#include "ui/Speech.h"
#include "ui/TapGuard.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

namespace ui {

namespace {

bool fullScreen = false;

// The room below the menu bar: it asks for the designed client size, and says
// when its own size changes.
class Stage : public QWidget {
public:
    Stage(QSize designed, std::function<void()> resized, QWidget* parent)
        : QWidget(parent), designed(designed), resized(std::move(resized)) {
        // Never smaller than designed: so it opens at that size even where Qt
        // would fit a new window into two thirds of the display.
        setMinimumSize(designed);
    }
    QSize sizeHint() const override { return designed; }
    void setDesigned(QSize size) {
        designed = size;
        setMinimumSize(designed);
        updateGeometry();
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        resized();
    }

private:
    QSize designed;
    std::function<void()> resized;
};

} // namespace

Screen::~Screen() {
    disconnect(focusWatch);
}

Screen::Screen(int clientWidthTwips, int clientHeightTwips)
    : designedClient(twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips)) {
    speech = new Speech(this);
    setAttribute(Qt::WA_DeleteOnClose);
    // The program's name in the title bar, for a taskbar or a window list; a
    // screen reader hears the window's own name (see ScreenNames).
    setWindowTitle(QStringLiteral("la mercanzola"));
    setFont(screenFont(QStringLiteral("MS Sans Serif"), 8.25));
    stage = new Stage(
        designedClient, [this] { fitContent(); }, this);
    clientArea = new QWidget(stage);
    clientArea->setGeometry(QRect(QPoint(), designedClient));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(stage);
    setAutoFillBackground(true);

    auto* fullScreenKey = new QShortcut(QKeySequence(Qt::Key_F11), this);
    fullScreenKey->setAutoRepeat(false); // a held key switches once
    connect(fullScreenKey, &QShortcut::activated, this, [this] { toggleFullScreen(); });
    auto* padKey = new QShortcut(QKeySequence(Qt::Key_F9), this);
    padKey->setAutoRepeat(false);
    connect(padKey, &QShortcut::activated, this, [this] { togglePad(); });
}

namespace {

// A fingertip's size at scale 1.
constexpr int TouchTarget = 48;

// The content with the pad's strip beside it, or below it.
QSize withStrip(QSize content, QSize strip, bool below) {
    return below ? QSize(qMax(content.width(), strip.width()), content.height() + strip.height())
                 : QSize(content.width() + strip.width(), qMax(content.height(), strip.height()));
}

} // namespace

// On a display taller than wide the pad goes below the content, where it
// takes no width from it.
bool Screen::padBelow() const {
    const QScreen* display = screen();
    return display && display->availableGeometry().height() > display->availableGeometry().width();
}

// Content and pad stand together in the middle of the room, the pad right
// beside the content, both as large as the room allows.
void Screen::fitContent() {
    const QSize room = stage->size();
    const bool below = padBelow();
    const QSize whole =
        padShown ? withStrip(designedClient, pad->designedSize(), below) : designedClient;
    const LayoutScale fitted = LayoutScale::fitting(whole, room);
    QRect area(QPoint(), fitted.size(designedClient));
    if (padShown) {
        pad->setScale(fitted.factor);
        QRect strip(QPoint(), pad->size());
        QRect both(QPoint(), withStrip(area.size(), strip.size(), below));
        both.moveCenter(stage->rect().center());
        if (below) {
            area.moveTopLeft({both.left() + (both.width() - area.width()) / 2, both.top()});
            strip.moveTopLeft(
                {both.left() + (both.width() - strip.width()) / 2, area.bottom() + 1});
        } else {
            area.moveTopLeft({both.left(), both.top() + (both.height() - area.height()) / 2});
            strip.moveTopLeft(
                {area.right() + 1, both.top() + (both.height() - strip.height()) / 2});
        }
        pad->setGeometry(strip);
    } else {
        area.moveCenter(stage->rect().center());
    }
    clientArea->setGeometry(area);
    if (fitted.factor != scale) {
        scale = fitted.factor;
        setClientScale(clientArea, fitted);
    }
}

// The menu bar grows with the content. Its factor is that of the whole window
// over its designed size, so that the bar's own height, which follows its
// font, never feeds back into the factor. Where a finger works the screen
// (full screen, or with the pad) its items are a fingertip high at that factor.
void Screen::scaleMenuBar() {
    if (!menu)
        return;
    const double factor = qMax(1.0, LayoutScale::fitting(minimumSize(), size()).factor);
    const QFont font = LayoutScale{factor}.font(designedMenuFont);
    const int tall = byFinger() ? int(TouchTarget * factor) : 0;
    const int margin = qMax(0, (tall - QFontMetrics(font).height() + 1) / 2);
    // As much room beside the caption as above it: "Esci" a fingertip wide too.
    const QString itemStyle =
        margin > 0 ? QStringLiteral("QMenuBar::item { padding: %1px; }").arg(margin) : QString();
    if (menu->font() == font && menu->styleSheet() == itemStyle)
        return;
    menu->setFont(font);
    menu->setStyleSheet(itemStyle);
    // The window has just been laid out with the bar's old height: again, now.
    layout()->activate();
}

bool Screen::byFinger() const {
    return shownFullScreen || padShown;
}

// The menu bar's height as designed, a fingertip high where a finger works.
int Screen::designedMenuHeight() const {
    if (!menu)
        return 0;
    return byFinger() ? qMax(TouchTarget, plainMenuHeight) : plainMenuHeight;
}

// The window at its designed size, unless the display's free area is smaller:
// then everything is drawn smaller by one factor, so that every key and
// control stays on the display.
void Screen::fitWindowToDisplay() {
    QSize content = designedClient;
    if (padShown)
        content = withStrip(content, pad->designedSize(), padBelow());
    double shrink = 1.0;
    if (const QScreen* display = screen()) {
        // The frame the window manager adds, once the window has one.
        const QSize frame = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
        const QSize free =
            display->availableGeometry().size() - frame - QSize(0, designedMenuHeight());
        shrink = qMin(1.0, LayoutScale::fitting(content, free).factor);
    }
    static_cast<Stage*>(stage)->setDesigned(LayoutScale{shrink}.size(content));
    setMinimumSize(designedWindow());
    if (!shownFullScreen && !isMaximized()) {
        resize(designedWindow());
        keepOnDisplay();
    }
    scaleMenuBar();
    fitContent();
}

// A window that has shrunk to the display, or was placed for a larger one,
// moves back inside the display's free area.
void Screen::keepOnDisplay() {
    const QScreen* display = screen();
    if (!display)
        return;
    const QRect free = display->availableGeometry();
    QRect frame = frameGeometry();
    if (frame.right() > free.right())
        frame.moveRight(free.right());
    if (frame.bottom() > free.bottom())
        frame.moveBottom(free.bottom());
    if (frame.left() < free.left())
        frame.moveLeft(free.left());
    if (frame.top() < free.top())
        frame.moveTop(free.top());
    if (frame.topLeft() != frameGeometry().topLeft())
        move(frame.topLeft()); // a window's position is that of its frame
}

void Screen::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scaleMenuBar();
}

bool Screen::fullScreenChosen() {
    return fullScreen;
}

void Screen::chooseFullScreen(bool chosen) {
    fullScreen = chosen;
}

void Screen::showAsChosen() {
    // The window manager sizes a full-screen window, but a bare X server (a
    // kiosk, a test) has none: the window takes the display's size itself and
    // later its own place back.
    if (fullScreen && !shownFullScreen) {
        normalPlace = geometry();
        // Sized first: a new geometry would end the full-screen state.
        if (const QScreen* display = screen())
            setGeometry(display->geometry());
        setWindowState(windowState() | Qt::WindowFullScreen);
    } else if (!fullScreen && shownFullScreen) {
        // Leaving full screen keeps a window manager's maximised state.
        setWindowState(windowState() & ~Qt::WindowFullScreen);
        setGeometry(normalPlace);
    }
    shownFullScreen = fullScreen;
    showPadAsChosen();
    fitWindowToDisplay();
    show();
}

QSize Screen::designedWindow() const {
    const QSize content = stage->sizeHint();
    return {content.width(), content.height() + designedMenuHeight()};
}

void Screen::setNumberPad(NumberPad* numberPad) {
    pad = numberPad;
    pad->setParent(stage);
    showPadAsChosen();
}

void Screen::togglePad() {
    if (!pad)
        return;
    NumberPad::choose(padShown ? NumberPad::Choice::Hidden : NumberPad::Choice::Shown);
    showPadAsChosen();
}

void Screen::showPadAsChosen() {
    if (!pad)
        return;
    const bool shown = NumberPad::wanted(fullScreen);
    if (shown == padShown && pad->isVisibleTo(this) == shown)
        return;
    padShown = shown;
    pad->setVisible(shown);
    // In a window the pad has a strip of its own beside or below the content.
    fitWindowToDisplay();
}

void Screen::toggleFullScreen() {
    chooseFullScreen(!shownFullScreen);
    showAsChosen();
}

void Screen::setBackground(quint32 bgr) {
    backgroundBgr = bgr;
    const QColor colour = colourFromBgr(bgr);
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    // Inherited by the transparent labels; white labels and answer boxes set their own.
    p.setColor(QPalette::WindowText, readableTextOn(colour));
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
        new AltMenuKey(this, menu);
        // The bar grows with the window: a least size taken from its height of
        // the moment would keep a window that leaves full screen too tall.
        layout()->setSizeConstraint(QLayout::SetNoConstraint);
        focusWatch =
            connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
                if (now == menu && old && old != menu && old->window() == this)
                    focusBeforeMenu = old;
            });
    }
    QAction* action = menu->addAction(caption);
    if (menu->actions().size() == 1) {
        designedMenuFont = menu->font();
        plainMenuHeight = menu->sizeHint().height();
        // Never smaller than designed, the bar at its designed height.
        setMinimumSize(designedWindow());
    }
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] {
        handle([this, &handler] {
            handler();
            giveFocusBackFromMenu();
        });
    });
    return action;
}

// A message box opened from the menu bar takes the keyboard while the bar holds
// it; once the box is gone the bar would keep the focus and swallow whatever
// the pupil types. The control that had the focus before gets it back.
void Screen::giveFocusBackFromMenu() {
    if (isVisible() && focusWidget() == menu && focusBeforeMenu)
        focusBeforeMenu->setFocus(Qt::MenuBarFocusReason);
}

void Screen::placeAt(QWidget* control, int left, int top, int width, int height) {
    placeScaled(control, {left, top, width, height});
}

void Screen::onClick(QAbstractButton* button, std::function<void()> handler) {
    connect(button, &QAbstractButton::clicked, this,
            [this, handler = std::move(handler)] { handle(handler); });
}

void Screen::onEnterReleased(AnswerBox* box, std::function<void()> handler) {
    connect(box, &AnswerBox::enterReleased, this,
            [this, handler = std::move(handler)] { handle(handler); });
}

void Screen::handle(const std::function<void()>& handler) {
    speech->begin();
    guarded(handler);
    speech->end();
}

void Screen::say(const QString& sentence) {
    speech->say(sentence);
}

void Screen::say(const QString& sentence, const QString& voiced) {
    speech->say(sentence, voiced);
}

void Screen::setVoice(Voice* voice) {
    speech->setVoice(voice);
}

void Screen::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!activated) {
        activated = true;
        // The second tap of a double tap that opened this screen lands on it.
        holdTaps();
        // The frame the window manager adds is known once the window is up:
        // on a display just large enough the window shrinks by it.
        QTimer::singleShot(0, this, [this] {
            if (!shownFullScreen && frameGeometry().size() != size())
                fitWindowToDisplay();
        });
        handle([this] { Form_Activate(); });
    }
}

} // namespace ui
