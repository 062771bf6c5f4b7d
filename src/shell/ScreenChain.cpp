#include "shell/ScreenChain.h"

#include "platform/ReadingAloud.h"
#include "shell/ScreenNames.h"
#include "ui/Screen.h"
#include "ui/Speech.h"

#include <QGuiApplication>
#include <QHash>
#include <QPointer>
#include <QScreen>
#include <QSet>
#include <memory>

namespace {

QHash<ScreenId, ScreenFactory>& factories() {
    static QHash<ScreenId, ScreenFactory> table;
    return table;
}

QPointer<ui::Screen>& openNow() {
    static QPointer<ui::Screen> screen;
    return screen;
}

// Every screen opens at the centre of the display the previous one was on, so
// that the chain start, menu, exercise, menu never moves the pupil's eyes; a
// window manager would otherwise put each new window in the free space.
void centre(ui::Screen* screen, const ui::Screen* previous) {
    QScreen* display = previous ? previous->screen() : QGuiApplication::primaryScreen();
    if (!display)
        return;
    screen->adjustSize(); // the final size, before the window exists
    QRect placed(QPoint(), screen->size());
    placed.moveCenter(display->availableGeometry().center());
    screen->move(placed.topLeft()); // a window's position is that of its frame
}

// What a screen says reaches the voice that reads aloud, when it is on.
class ReadingAloudVoice : public ui::Voice {
public:
    void hear(const QString& text) override { platform::readingAloud().hear(text); }
};

} // namespace

void registerScreen(ScreenId id, ScreenFactory factory) {
    factories().insert(id, std::move(factory));
}

bool isScreenAvailable(ScreenId id) {
    return factories().contains(id);
}

ui::Screen* openScreen(ScreenId id, ui::Screen* replacing) {
    static ReadingAloudVoice voice;
    ui::Screen* screen = factories().value(id)();
    screen->setVoice(&voice);
    screen->setAccessibleName(screenName(id));
    screen->Form_Load();
    openNow() = screen;
    centre(screen, replacing); // also where it stands after full screen
    screen->showAsChosen();
    // Without a window manager nobody else hands the new window the keyboard.
    screen->raise();
    screen->activateWindow();
    if (replacing)
        replacing->close();
    return screen;
}

void warmUpScreen(ScreenId id) {
    static QSet<ScreenId> warm;
    if (!isScreenAvailable(id) || warm.contains(id))
        return;
    warm.insert(id);
    const std::unique_ptr<ui::Screen> screen(factories().value(id)());
    // Asking each control its size loads its font; painting the screen as well
    // would gain little and hold a picture of the whole window in memory.
    for (QWidget* control : screen->findChildren<QWidget*>())
        control->sizeHint();
    screen->prepareAhead();
}

ui::Screen* currentScreen() {
    return openNow();
}
