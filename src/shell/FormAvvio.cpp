#include "shell/FormAvvio.h"

#include "platform/Idle.h"
#include "platform/Record.h"
#include "platform/Services.h"
#include "shell/ModuloColoriSuoni.h"
#include "shell/ScreenChain.h"
#include "ui/Icons.h"
#include "ui/Twips.h"

#include <QTimer>

FormAvvio::FormAvvio() : ui::Screen(12675, 8115) {
    const QIcon head = ui::icon(ui::IconPicture::CartoonHead);
    setWindowIcon(head);
    Label2[0] =
        place(new ui::Label(QStringLiteral("la mercanzola"),
                            {QStringLiteral("Arial"), 48, Qt::AlignHCenter | Qt::AlignVCenter}),
              0, 1200, 10335, 3735);
    Label2[1] = place(new ui::Label(QStringLiteral("Esercitazioni matematiche"),
                                    {QStringLiteral("Arial"), 18, Qt::AlignLeft | Qt::AlignTop}),
                      2400, 240, 4935, 855);
    Command1 =
        place(new ui::Button(QStringLiteral("Avvio"), ui::screenFont(QStringLiteral("Arial"), 24)),
              2760, 5040, 4425, 1305);
    Command1->setIcon(head);
    Command1->setIconSize(QSize(32, 32));
    for (ui::Label* label : Label2)
        label->setFocusPolicy(Qt::NoFocus);
    onClick(Command1, [this] { Command1_Click(); });
    Command1->setFocus();
}

void FormAvvio::Form_Load() {
    setBackground(ModuloColoriSuoni::ColoreCasuale());
}

void FormAvvio::Command1_Click() {
    // An exercise and its sounds come after the menu: the sound player and the
    // exercise frame (menu bar, fonts) get ready once the menu is painted, so
    // that neither the start, nor the first exercise, nor its first answer
    // waits for them. Then, at the next pause, the board of money's pictures.
    platform::services().sounds->prepare();
    platform::afterNextPaint([] {
        warmUpScreen(Exercise::TotalCost);
        QTimer::singleShot(0, [] { warmUpScreen(Exercise::PayingWithMoney); });
    });
    openScreen(platform::recordIsOn() ? ScreenId::Alunno : ScreenId::Menu, this);
}
