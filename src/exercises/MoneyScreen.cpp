#include "exercises/MoneyScreen.h"

#include "exercises/MoneyPieces.h"
#include "model/Currency.h"
#include "model/Headings.h"
#include "shell/Modulo1.h"
#include "ui/CaptionedPictureButton.h"
#include "ui/Icons.h"
#include "ui/PictureSlot.h"
#include "ui/Twips.h"

#include <algorithm>

namespace {

// Rows two and three have their first two places swapped.
constexpr std::array<std::pair<int, int>, 18> SlotPlaces = {{
    {120, 1560},
    {1680, 1560},
    {3240, 1560},
    {4800, 1560},
    {6360, 1560},
    {7920, 1560},
    {1680, 2520},
    {120, 2520},
    {3240, 2520},
    {4800, 2520},
    {6360, 2520},
    {7920, 2520},
    {1680, 3480},
    {120, 3480},
    {3240, 3480},
    {4800, 3480},
    {6360, 3480},
    {7920, 3480},
}};
constexpr int StoredSlotWidth = 1455;
constexpr int StoredSlotHeight = 855;

void showPiece(ui::PictureSlot* slot, const Currency& currency, size_t index) {
    const Denomination& piece = currency.pieces()[index];
    const PieceLook& look = pieceLook(currency, index);
    slot->setSizeTwips(look.width, look.height);
    slot->setPicture([&look](QSize shown) { return piecePicture(look, shown); },
                     currency.pieceName(piece));
}

const QString AskRevenue = QStringLiteral(" Questa è la somma che hai ricavato");
const QString AskPayment = QStringLiteral("Clicca sul denaro che avevi utilizzato per pagare");

} // namespace

MoneyScreen::MoneyScreen(Lesson& lesson) : ExerciseScreen(lesson, Exercise::PayingWithMoney) {
    pieceOnSlot.fill(NoPiece);
    Label4 = place(new ui::Label(QStringLiteral("Label4"), {QStringLiteral("Arial"), 12}), 360,
                   1080, 8175, 375);
    Label4->setFitsWholeText(true);
    for (int i = 0; i < int(Image1.size()); ++i) {
        Image1[i] =
            place(new ui::PictureSlot(i, QStringLiteral("posto vuoto")), SlotPlaces[i].first,
                  SlotPlaces[i].second, StoredSlotWidth, StoredSlotHeight);
        connect(Image1[i], &ui::PictureSlot::clickedAt, this,
                [this](int index) { handle([this, index] { Image1_Click(index); }); });
    }
    const QString symbol = currency().symbol();
    Label3 = addValueLabel({240, 4560, 3615, 495});
    Label3->setText(QStringLiteral("Ho ricavato ") + symbol);
    Text1 = addAnswerBox(Headings::ricavo(), 14.25, true, {3840, 4560, 1815, 495});
    Label5 = addValueLabel({240, 5160, 5415, 495}, Qt::AlignLeft);
    Label5->setText(QStringLiteral("Devo pagare la merce ") + symbol.trimmed());
    Label6 = addValueLabel({240, 5760, 3615, 495});
    Label6->setText(QStringLiteral("Ho guadagnato ") + symbol);
    Text2 = addAnswerBox(Headings::guadagno(), 14.25, true, {3840, 5760, 1815, 495});
    Command3D1 = place(new ui::CaptionedPictureButton(QStringLiteral("Ricomincia"),
                                                      ui::screenFont(QStringLiteral("Arial"), 9),
                                                      ui::icon(ui::IconPicture::WhiteHand)),
                       6720, 4920, 1935, 975);
    onClick(Command3D1, [this] { Command3D1_Click(); });

    // Reading order: the revenue, the pieces, the gain, "Ricomincia", the faces.
    QWidget* previous = Text1;
    for (QWidget* next : Image1) {
        setTabOrder(previous, next);
        previous = next;
    }
    setTabOrder(previous, Text2);
    setTabOrder(Text2, Command3D1);
    setTabOrder(Command3D1, ComandoIconaSi);
    setTabOrder(ComandoIconaSi, ComandoIconaNo);

    // The ricavo first, not counted; then, once paid, the guadagno.
    judgeOnEnter(
        Text1, [this]() -> const Figure& { return problem.steps[0].figure; },
        [this] { startPaying(); }, Counting::NotCounted);
    judgeOnEnter(
        Text2, [this]() -> const Figure& { return problem.steps[2].figure; },
        [this] { NuovoProblema(); });
}

void MoneyScreen::Form_Activate() {
    NuovoProblema();
}

void MoneyScreen::prepareAhead() {
    for (size_t d = 0; d < currency().pieces().size(); ++d)
        showPiece(Image1[d], currency(), d);
    Command3D1->icon().pixmap(Command3D1->iconSize());
}

void MoneyScreen::NuovoProblema() {
    Label4->setText(AskRevenue);
    Command3D1->setPointedOut(false);
    for (ui::PictureSlot* slot : Image1) {
        slot->clearPicture();
        slot->setEnabled(false);
    }
    pieceOnSlot.fill(NoPiece);
    SommaCliccata = Money();

    drawNewProblem();
    Label5->setText(QStringLiteral("Avevo pagato la merce ") + currency().symbol() +
                    currency().amountText(problem.cost));
    DisponiDenaro();

    setRandomBackground();
    Text1->setEnabled(true);
    sayProblem();
    // The boxes change only once the focus is in Text1: a screen reader that
    // hears of a change in a box it then finds focused takes it as focused
    // already, and would not announce it; nor does the focus wander.
    Text1->setFocus();
    Text1->clear();
    Text2->clear();
    Text2->setEnabled(false);
}

QString MoneyScreen::spokenProblem(Reading reading) const {
    return Sentences::revenueQuestion(piecesOnBoard(reading), problem.cost, currency(), reading);
}

QString MoneyScreen::questionOfTheMoment(Reading reading) const {
    if (Text2->isEnabled())
        return Sentences::gainQuestion(problem.cost, problem.revenue, currency(), reading);
    if (Text1->isEnabled())
        return spokenProblem(reading);
    return Sentences::paying(piecesOnBoard(reading), SommaCliccata, problem.cost, currency(),
                             reading);
}

QStringList MoneyScreen::piecesOnBoard(Reading reading) const {
    std::vector<int> shown;
    for (const ui::PictureSlot* slot : Image1)
        if (slot->hasPicture() && pieceOnSlot[slot->index()] != NoPiece)
            shown.push_back(pieceOnSlot[slot->index()]);
    return currency().pieceNames(shown, reading);
}

int MoneyScreen::pieceValue(int slot) const {
    const int piece = pieceOnSlot.at(slot);
    return piece == NoPiece ? 0 : currency().pieces()[piece].value;
}

void MoneyScreen::DisponiDenaro() {
    const std::size_t laid = std::min(problem.pieces.size(), Image1.size());
    for (std::size_t next = 0; next < laid; ++next) {
        const int piece = problem.pieces[next];
        showPiece(Image1[next], currency(), static_cast<std::size_t>(piece));
        pieceOnSlot[next] = piece;
    }
}

void MoneyScreen::startPaying() {
    Label4->setText(AskPayment);
    for (ui::PictureSlot* slot : Image1)
        slot->setEnabled(true);
    say(AskPayment);
    // The keyboard goes on to the first piece, where Tab and Enter pay; Text1
    // goes once the focus has left it.
    Image1[0]->setFocus();
    Text1->setEnabled(false);
}

void MoneyScreen::Image1_Click(int index) {
    ui::PictureSlot* slot = Image1.at(index);
    // Only a piece still on the board pays: an empty slot adds nothing.
    if (!slot->hasPicture())
        return;
    SommaCliccata = SommaCliccata + Money::fromWhole(pieceValue(index));
    const bool hadFocus = focusWidget() == slot;
    slot->clearPicture();
    showPaid();
    say([this](Reading reading) {
        return Sentences::paid(SommaCliccata, problem.cost, currency(), reading);
    });
    if (SommaCliccata == problem.cost) {
        Modulo1::SuonoEsatto();
        ask([this](Reading reading) {
            return Sentences::gainQuestion(problem.cost, problem.revenue, currency(), reading);
        });
        Text2->setEnabled(true);
        Text2->setFocus();
    } else if (hadFocus) {
        focusNextChild();
    }
}

// What has been paid so far, on the instruction line; past the cost, what to
// do about it, with "Ricomincia" pointed out.
void MoneyScreen::showPaid() {
    const QString paid =
        QStringLiteral("Hai pagato ") + currency().symbol() + amountText(SommaCliccata);
    const bool over = SommaCliccata > problem.cost;
    Label4->setText(over ? paid + QStringLiteral(": è più del costo. Premi Ricomincia")
                         : paid + QStringLiteral(" di ") + amountText(problem.cost));
    Command3D1->setPointedOut(over);
}

void MoneyScreen::Command3D1_Click() {
    SommaCliccata = Money();
    Command3D1->setPointedOut(false);
    if (Label4->text() != AskRevenue)
        Label4->setText(AskPayment);
    DisponiDenaro();
    Text1->setEnabled(true);
    ask([this](Reading reading) {
        return Sentences::revenueQuestionAgain(piecesOnBoard(reading), problem.cost, currency(),
                                               reading);
    });
    Text1->setFocus();
    Text1->clear();
    Text2->setEnabled(false);
}

ui::Screen* newForm13(Lesson& lesson) {
    return new MoneyScreen(lesson);
}
