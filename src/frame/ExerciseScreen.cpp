#include "frame/ExerciseScreen.h"

#include "frame/Sentences.h"
#include "model/AnswerReading.h"
#include "model/Headings.h"
#include "platform/ReadingAloud.h"
#include "platform/Record.h"
#include "platform/Services.h"
#include "shell/Lesson.h"
#include "shell/Modulo1.h"
#include "shell/ModuloColoriSuoni.h"
#include "shell/ScreenChain.h"
#include "shell/VoiceNotice.h"
#include "ui/Icons.h"

#include <QAccessible>
#include <QEvent>
#include <QShortcut>

namespace {

// The window's stored background, seen only until the first problem.
constexpr quint32 StoredCyan = 0xFFFF00;

ui::Label* countLabel(const QString& text, double points) {
    return new ui::Label(text, {QStringLiteral("Arial"), points, Qt::AlignLeft | Qt::AlignTop});
}

} // namespace

ExerciseScreen::ExerciseScreen(Lesson& lesson, Exercise exercise)
    : ui::Screen(10815, 9030), lesson(lesson), exercise(exercise) {
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

    MenuAzzera = addMenuItem(QStringLiteral("Azzera conteggio              "),
                             [this] { MenuAzzera_Click(); });
    MenuInformazioni = addMenuItem(QStringLiteral("Informazioni             "),
                                   [this] { MenuInformazioni_Click(); });
    mnuEsci = addMenuItem(QStringLiteral("Esci"), [this] { mnuEsci_Click(); });
    addReadingKeys();
    addVoiceNotice(this, {240, 8280, 10335, 615});
}

void ExerciseScreen::addReadingKeys() {
    auto* repeat = new QShortcut(QKeySequence(Qt::Key_F5), this);
    repeat->setAutoRepeat(false);
    connect(repeat, &QShortcut::activated, this, [this] {
        handle([this] { ask([this](Reading reading) { return questionOfTheMoment(reading); }); });
    });
    auto* reading = new QShortcut(QKeySequence(Qt::Key_F6), this);
    reading->setAutoRepeat(false);
    connect(reading, &QShortcut::activated, this, [this] {
        platform::ReadingAloud& voice = platform::readingAloud();
        voice.toggle();
        // Turned on, it reads the problem, so that the pupil hears it is on;
        // the screen reader has heard it already.
        if (voice.isOn())
            voice.hear(questionOfTheMoment(Reading::Voiced));
    });
}

void ExerciseScreen::say(const Sentence& sentence) {
    ui::Screen::say(sentence(Reading::Written), sentence(Reading::Voiced));
}

void ExerciseScreen::Form_Load() {
    // Built with the screen, once it knows what it asks, never at start-up.
    if (!numberPad())
        setNumberPad(new ui::NumberPad(padKeys()));
    showCounts(QStringLiteral("0"), QStringLiteral("0"));
    lesson.NumeroEsatti = Count();
    lesson.NumeroErrati = Count();
}

// A count label's accessible name carries its value, which a screen reader
// would otherwise never announce.
void ExerciseScreen::showCounts(const QString& esatti, const QString& errati) {
    if (!esatti.isNull()) {
        EtichettaEsatti->setText(esatti);
        EtichettaEsatti->setAccessibleName(QStringLiteral("Esatti: ") + esatti.trimmed());
    }
    if (!errati.isNull()) {
        EtichettaErrati->setText(errati);
        EtichettaErrati->setAccessibleName(QStringLiteral("Errati: ") + errati.trimmed());
    }
}

void ExerciseScreen::Form_Activate() {
    NuovoProblema();
    if (Text1)
        Text1->setFocus();
}

void ExerciseScreen::MenuAzzera_Click() {
    // At the board a tap on the menu bar may be a slip: the counts are asked for.
    if (byFinger() &&
        platform::services().messages->ask(this, QStringLiteral("Vuoi azzerare il conteggio?")) !=
            platform::Answer::Yes)
        return;
    Form_Load();
    say(QStringLiteral("esatti 0, errati 0."));
}

void ExerciseScreen::MenuInformazioni_Click() {
    Modulo1::MostraInformazioni(this);
}

void ExerciseScreen::mnuEsci_Click() {
    const bool yes = platform::services().messages->ask(
                         this, QStringLiteral("Vuoi tornare al menù?")) == platform::Answer::Yes;
    if (yes)
        openScreen(ScreenId::Menu, this);
}

ui::PadKeys ExerciseScreen::padKeys() const {
    const ExerciseAnswers answers = exerciseAnswers(exercise);
    return {answers.amount && currency().minorDigits() > 0, answers.negative};
}

QChar ExerciseScreen::Text1_KeyPress(QChar typed) const {
    return currency().filterKey(typed);
}

ui::Label* ExerciseScreen::addHeading(const QString& caption, const ui::TwipsRect& where) {
    return place(new ui::Label(caption, {}), where);
}

ui::Label* ExerciseScreen::addValueLabel(const ui::TwipsRect& where, Qt::Alignment alignment) {
    return place(
        new ui::Label(QStringLiteral("Label3"),
                      {QStringLiteral("Arial"), 14.25, alignment | Qt::AlignVCenter, true, true}),
        where);
}

ui::Label* ExerciseScreen::addArticleLabel(const ui::TwipsRect& where, Qt::Alignment alignment) {
    ui::Label* label = addValueLabel(where, alignment);
    label->setFitsWholeText(true);
    label->setHeading(Headings::articoloAcquistato());
    return label;
}

ui::AnswerBox* ExerciseScreen::addAnswerBox(const QString& accessibleName, double points,
                                            bool withKeyFilter, const ui::TwipsRect& where) {
    auto* box = place(new ui::AnswerBox(accessibleName, points), where);
    if (withKeyFilter)
        box->keyFilter = [this](QChar typed) { return Text1_KeyPress(typed); };
    box->installEventFilter(this);
    return box;
}

void ExerciseScreen::ask(const Sentence& asked) {
    setQuestion(asked);
    say(asked);
}

void ExerciseScreen::setQuestion(const Sentence& asked) {
    question = asked(Reading::Written);
    for (ui::AnswerBox* box : client()->findChildren<ui::AnswerBox*>())
        describeWaitingBox(box);
}

// Kept as the tool tip, which Qt gives a screen reader as the description
// while no other is set: the description itself is where Speech leaves a
// sentence for the control that a window opening will focus.
void ExerciseScreen::describeWaitingBox(ui::AnswerBox* box) const {
    const QString description = box->isEnabled() ? question : QString();
    if (box->toolTip() == description)
        return;
    box->setToolTip(description);
    // A screen reader keeps what it has read of a control until told that it
    // changed: a box would be heard with an older step's question.
    if (box->accessibleDescription().isEmpty()) {
        QAccessibleEvent changed(box, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

bool ExerciseScreen::eventFilter(QObject* watched, QEvent* event) {
    if (auto* box = qobject_cast<ui::AnswerBox*>(watched)) {
        if (event->type() == QEvent::EnabledChange)
            describeWaitingBox(box);
        // The description is for the ear; the eye has the problem on the screen.
        if (event->type() == QEvent::ToolTip)
            return true;
        // With the pad a tap in the box gives it the focus and leaves the
        // cursor at the end, where the pad types.
        if (padIsShown() && box->isEnabled() &&
            (event->type() == QEvent::MouseButtonPress ||
             event->type() == QEvent::MouseButtonDblClick ||
             event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::MouseMove)) {
            box->setFocus(Qt::MouseFocusReason);
            box->end(false);
            return true;
        }
    }
    return ui::Screen::eventFilter(watched, event);
}

void ExerciseScreen::closeEvent(QCloseEvent* event) {
    platform::readingAloud().hush();
    ui::Screen::closeEvent(event);
}

void ExerciseScreen::judgeOnEnter(ui::AnswerBox* box, Asked asked, std::function<void()> afterRight,
                                  Counting counting) {
    onEnterReleased(box, [this, box, asked = std::move(asked), afterRight = std::move(afterRight),
                          counting] { judge(box, isRight(box, asked()), afterRight, counting); });
}

void ExerciseScreen::judgeText1OnEnter() {
    // The figure is asked at each answer: a screen may ask an amount or a count.
    judgeOnEnter(
        Text1, [this]() -> const Figure& { return problem.asked(); }, [this] { NuovoProblema(); });
}

void ExerciseScreen::judge(ui::AnswerBox* box, bool right, const std::function<void()>& afterRight,
                           Counting counting) {
    recordAnswer(box->text(), right);
    if (right) {
        rightFeedback(counting);
        afterRight();
    } else {
        wrongFeedback();
        box->setFocus();
        box->markJudgedWrong();
        // On the pad the next tap starts the answer anew; a keyboard edits it.
        if (padIsShown())
            box->selectAll();
    }
}

bool ExerciseScreen::isRight(const ui::AnswerBox* box, const Figure& asked) const {
    return answerMatches(box->text(), asked.value, currency(), asked.kind, asked.minus);
}

void ExerciseScreen::sayProblem() {
    problemShown.start();
    ask([this](Reading reading) { return spokenProblem(reading); });
}

void ExerciseScreen::recordAnswer(const QString& given, bool right) {
    if (platform::recordIsOn())
        platform::keepAnswer(
            {.exercise = accessibleName(),
             .exerciseNumber = exerciseInfo(problem.exercise).number,
             .problem = spokenProblem(Reading::Written),
             .answer = given,
             .right = right,
             .seconds = problemShown.isValid() ? problemShown.elapsed() / 1000.0 : 0.0,
             .level = problem.level > 0 ? std::optional<int>(problem.level) : std::nullopt});
}

void ExerciseScreen::rightFeedback(Counting counting) {
    ComandoIconaSi->show();
    ComandoIconaNo->hide();
    const bool counted = counting == Counting::Counted;
    // The count stays at its largest value rather than ending the lesson.
    if (counted)
        lesson.NumeroEsatti = lesson.NumeroEsatti.plusOneCapped();
    Modulo1::SuonoEsatto();
    if (counted)
        showCounts(numberText(lesson.NumeroEsatti.value()), QString());
    // A step that is not counted has no count to tell.
    say(counted ? Sentences::outcome(true, lesson.NumeroEsatti.value(), lesson.NumeroErrati.value())
                : QStringLiteral("esatto."));
    sayLevelChange(levels.answered(true));
}

void ExerciseScreen::wrongFeedback() {
    ComandoIconaSi->hide();
    ComandoIconaNo->show();
    lesson.NumeroErrati = lesson.NumeroErrati.plusOneCapped();
    ModuloColoriSuoni::SuonoErrato();
    showCounts(QString(), numberText(lesson.NumeroErrati.value()));
    say(Sentences::outcome(false, lesson.NumeroEsatti.value(), lesson.NumeroErrati.value()));
    sayLevelChange(levels.answered(false));
}

// After the outcome, before the next problem, which is drawn at the new level.
void ExerciseScreen::sayLevelChange(const QString& sentence) {
    if (!sentence.isEmpty())
        say(sentence);
}

void ExerciseScreen::setRandomBackground() {
    setBackground(ModuloColoriSuoni::ColoreCasuale());
}

void ExerciseScreen::drawNewProblem() {
    if (!levels.started())
        levels.start(lesson, static_cast<int>(exercise), this);
    problem = drawProblem(exercise, lesson.catalogue(), *platform::services().random,
                          {levels.level(), &lesson.levelArticles()});
}
