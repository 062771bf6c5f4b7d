#include "frame/ExerciseScreen.h"

#include "frame/AnswerReading.h"
#include "shell/Modulo1.h"
#include "shell/ModuloColoriSuoni.h"
#include "shell/ScreenChain.h"
#include "shell/Texts.h"
#include "ui/Icons.h"
#include "ui/Services.h"

using namespace Modulo1;

namespace {

// The window's stored background, seen only until the first problem.
constexpr quint32 StoredCyan = 0xFFFF00;

ui::Label* countLabel(const QString& text, double points) {
    return new ui::Label(text, {QStringLiteral("Arial"), points, Qt::AlignLeft | Qt::AlignTop});
}

} // namespace

ExerciseScreen::ExerciseScreen() : ui::Screen(10815, 9030) {
    setWindowIcon(ui::icon(ui::IconPicture::SmilingFace));
    setBackground(StoredCyan);

    ComandoIconaSi = place(new ui::PictureButton(ui::icon(ui::IconPicture::LaughingFace),
                                                 QStringLiteral("risposta esatta")),
                           720, 240, 855, 750);
    ComandoIconaNo = place(new ui::PictureButton(ui::icon(ui::IconPicture::SadFace),
                                                 QStringLiteral("risposta sbagliata")),
                           720, 240, 855, 750);
    // Before the first answer neither face shows.
    ComandoIconaSi->hide();
    ComandoIconaNo->hide();

    Label1 = place(countLabel(QStringLiteral("Esatti"), 12), 1875, 480, 735, 375);
    Label2 = place(countLabel(QStringLiteral("Errati"), 12), 4080, 480, 735, 495);
    EtichettaEsatti = place(countLabel(QStringLiteral("quantiesatti"), 18), 2715, 360, 975, 615);
    EtichettaErrati = place(countLabel(QStringLiteral("quantierrati"), 18), 4995, 360, 855, 615);
    EtichettaEsatti->setAccessibleName(QStringLiteral("esatti"));
    EtichettaErrati->setAccessibleName(QStringLiteral("errati"));

    MenuAzzera = addMenuItem(QStringLiteral("Azzera conteggio              "),
                             [this] { MenuAzzera_Click(); });
    MenuInformazioni = addMenuItem(QStringLiteral("Informazioni             "),
                                   [this] { MenuInformazioni_Click(); });
    mnuEsci = addMenuItem(QStringLiteral("Esci"), [this] { mnuEsci_Click(); });
}

void ExerciseScreen::Form_Load() {
    EtichettaEsatti->setText(QStringLiteral("0"));
    EtichettaErrati->setText(QStringLiteral("0"));
    NumeroEsatti = Count();
    NumeroErrati = Count();
}

void ExerciseScreen::Form_Activate() {
    NuovoProblema();
    Text1->setFocus();
}

void ExerciseScreen::MenuAzzera_Click() {
    Form_Load();
}

void ExerciseScreen::MenuInformazioni_Click() {
    MostraInformazioni(this);
}

void ExerciseScreen::mnuEsci_Click() {
    if (ui::services().messages->ask(this, QStringLiteral("Vuoi tornare al menù?")) ==
        ui::Answer::Yes)
        openScreen(ScreenId::Menu, this);
}

QChar ExerciseScreen::Text1_KeyPress(QChar typed) {
    return typed == u'.' ? QChar(u' ') : typed;
}

ui::AnswerBox* ExerciseScreen::addAnswerBox(const QString& heading, double points,
                                            bool withKeyFilter, int left, int top, int width,
                                            int height) {
    auto* box = place(new ui::AnswerBox(heading, points), left, top, width, height);
    if (withKeyFilter)
        box->keyFilter = &ExerciseScreen::Text1_KeyPress;
    return box;
}

void ExerciseScreen::judgeText1OnEnter() {
    onEnterReleased(Text1, [this] {
        if (isRight(Text1, expectedAnswer())) {
            rightFeedback();
            NuovoProblema();
        } else {
            wrongFeedback();
            Text1->setFocus();
        }
    });
}

bool ExerciseScreen::isRight(const ui::AnswerBox* box, Money expected) {
    return answerMatches(box->text(), expected);
}

void ExerciseScreen::rightFeedback() {
    ComandoIconaSi->show();
    ComandoIconaNo->hide();
    // The count stays at its largest value rather than ending the lesson.
    NumeroEsatti = NumeroEsatti.plusOneCapped();
    SuonoEsatto();
    EtichettaEsatti->setText(numberText(NumeroEsatti.value()));
}

void ExerciseScreen::wrongFeedback() {
    ComandoIconaSi->hide();
    ComandoIconaNo->show();
    NumeroErrati = NumeroErrati.plusOneCapped();
    ModuloColoriSuoni::SuonoErrato();
    EtichettaErrati->setText(numberText(NumeroErrati.value()));
}

void ExerciseScreen::setRandomBackground() {
    setBackground(ModuloColoriSuoni::ColoreCasuale());
}
