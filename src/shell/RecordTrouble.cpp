#include "shell/RecordTrouble.h"

#include "platform/Record.h"
#include "shell/ScreenChain.h"
#include "ui/Screen.h"

#include <QLabel>
#include <QPointer>
#include <QTimer>

namespace {

constexpr int CheckMilliseconds = 1000;

void show(const QString& trouble) {
    static QPointer<QLabel> badge;
    ui::Screen* screen = currentScreen();
    if (trouble.isEmpty() || !screen) {
        delete badge;
        return;
    }
    if (!badge || badge->parentWidget() != screen) {
        delete badge;
        badge = new QLabel(screen);
        badge->setObjectName(QStringLiteral("registroNonConsegnato"));
        badge->setAttribute(Qt::WA_TransparentForMouseEvents);
        badge->setFocusPolicy(Qt::NoFocus);
        badge->setStyleSheet(QStringLiteral(
            "background: #fff3c4; color: #7a2e00; border: 3px solid #c62828; padding: 3px 8px; "
            "font-size: 15px; font-weight: bold;"));
    }
    if (badge->text() != trouble) {
        badge->setText(trouble);
        badge->adjustSize();
    }
    badge->move(screen->width() - badge->width() - 4, screen->height() - badge->height() - 4);
    badge->show();
    badge->raise();
}

} // namespace

void watchRecordTrouble() {
    static QTimer* timer = nullptr;
    if (timer)
        return;
    timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [] { show(platform::recordTrouble()); });
    timer->start(CheckMilliseconds);
}
