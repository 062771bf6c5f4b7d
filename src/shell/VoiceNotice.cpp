#include "shell/VoiceNotice.h"

#include "platform/ReadingAloud.h"
#include "ui/Controls.h"

namespace {

QString shown(const QString& trouble) {
    return trouble.isEmpty() ? trouble : trouble.front().toUpper() + trouble.mid(1);
}

} // namespace

void addVoiceNotice(ui::Screen* screen, const ui::TwipsRect& where) {
    platform::ReadingAloud& reading = platform::readingAloud();
    auto* notice =
        screen->place(new ui::Label(shown(reading.trouble()), {QStringLiteral("Arial"), 8}), where);
    notice->setWordWrap(true);
    screen->showsOnOccasion(notice);
    notice->setVisible(!reading.trouble().isEmpty());
    QObject::connect(&reading, &platform::ReadingAloud::troubleChanged, notice,
                     [notice](const QString& trouble) {
                         notice->setText(shown(trouble));
                         notice->setVisible(!trouble.isEmpty());
                     });
}
