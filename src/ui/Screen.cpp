#include "ui/Screen.h"

#include "ui/AltMenuKey.h"
#include "ui/Contrast.h"
#include "ui/Controls.h"
#include "ui/ErrorGuard.h"
#include "ui/NumberPad.h"
#include "ui/Scaling.h"
#include "ui/Speech.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
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
    // A blank title: an empty one would make Qt show the program's name instead.
    setWindowTitle(QStringLiteral(" "));
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

void Screen::fitContent() {
    const QSize room = stage->size();
    const bool below = room.height() > room.width();
    QSize whole = designedClient;
    if (padShown) {
        const QSize strip = pad->designedSize();
        whole = below ? QSize(qMax(whole.width(), strip.width()), whole.height() + strip.height())
                      : QSize(whole.width() + strip.width(), qMax(whole.height(), strip.height()));
    }
    const LayoutScale fitted = LayoutScale::fitting(whole, room);
    QRect area(QPoint(), fitted.size(designedClient));
    area.moveCenter(stage->rect().center());
    if (padShown) {
        pad->setScale(fitted.factor);
        // The content stays centred where the margin beside it holds the pad;
        // otherwise content and pad are centred together.
        QRect strip(QPoint(), pad->size());
        if (below) {
            const int margin = (room.height() - area.height()) / 2;
            if (margin < strip.height())
                area.moveTop((room.height() - area.height() - strip.height()) / 2);
            strip.moveCenter(QPoint(room.width() / 2, 0));
            strip.moveTop(area.bottom() + 1 +
                          (room.height() - area.bottom() - 1 - strip.height()) / 2);
        } else {
            const int margin = (room.width() - area.width()) / 2;
            if (margin < strip.width())
                area.moveLeft((room.width() - area.width() - strip.width()) / 2);
            strip.moveCenter(QPoint(0, room.height() / 2));
            strip.moveLeft(area.right() + 1 +
                           (room.width() - area.right() - 1 - strip.width()) / 2);
        }
        pad->setGeometry(strip);
    }
    clientArea->setGeometry(area);
    if (fitted.factor != scale) {
        scale = fitted.factor;
        setClientScale(clientArea, fitted);
    }
}

// The menu bar grows with the content. Its factor is that of the whole window
// over its designed size, so that the bar's own height, which follows its
// font, never feeds back into the factor.
void Screen::scaleMenuBar() {
    if (!menu)
        return;
    const double factor = qMax(1.0, LayoutScale::fitting(minimumSize(), size()).factor);
    const QFont font = LayoutScale{factor}.font(designedMenuFont);
    if (menu->font() == font)
        return;
    menu->setFont(font);
    // The window has just been laid out with the bar's old height: again, now.
    layout()->activate();
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
    show();
}

QSize Screen::designedWindow() const {
    const QSize content = stage->sizeHint();
    return {content.width(), content.height() + (menu ? menu->sizeHint().height() : 0)};
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
    // In a window the pad has a strip of its own beside the content.
    QSize content = designedClient;
    if (shown)
        content.rwidth() += pad->designedSize().width();
    content.setHeight(qMax(content.height(), shown ? pad->designedSize().height() : 0));
    static_cast<Stage*>(stage)->setDesigned(content);
    setMinimumSize(designedWindow());
    if (!shownFullScreen && !isMaximized())
        resize(designedWindow());
    fitContent();
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
        handle([this] { Form_Activate(); });
    }
}

} // namespace ui
