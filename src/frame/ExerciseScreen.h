#pragma once

#include "frame/ExerciseLevel.h"
#include "model/Currency.h"
#include "model/Money.h"
#include "model/Problem.h"
#include "model/Texts.h"
#include "shell/Lesson.h"
#include "ui/Controls.h"
#include "ui/NumberPad.h"
#include "ui/Screen.h"

#include <QAction>
#include <QElapsedTimer>
#include <functional>

// The frame every exercise screen stands on: the window, the two faces, the
// counts of right and wrong answers, the screen menu, the key filter and the
// judging of a typed answer in any of the screen's answer boxes.
class ExerciseScreen : public ui::Screen {
    Q_OBJECT
public:
    // The lesson gives the catalogue the problems are drawn from, the currency
    // they are in, and the counts the screen keeps; the exercise, what they ask.
    ExerciseScreen(Lesson& lesson, Exercise exercise);

    // Draws and shows a new problem, with a new background colour, and empties
    // the answer box; then says it (sayProblem).
    virtual void NuovoProblema() = 0;
    // The problem on show as one sentence, with the box that is asked, its
    // amounts written for a screen reader ("gomma bianca, costo unitario 1.500
    // lire, quantità 7: qual è il costo totale?") or voiced ("1500 lire").
    virtual QString spokenProblem(Reading reading) const = 0;
    // What the pupil must do now, with what it needs, as F5 and F6 say it: the
    // problem, or on a screen of steps the step the pupil has reached.
    virtual QString questionOfTheMoment(Reading reading) const { return spokenProblem(reading); }

    void Form_Load() override;
    // A new problem, then the focus in Text1. Screens that place the focus
    // themselves override it.
    void Form_Activate() override;

    void MenuAzzera_Click();
    void MenuInformazioni_Click();
    void mnuEsci_Click();

    // The key filter of the lesson's currency: in lire a typed "." becomes a space.
    QChar Text1_KeyPress(QChar typed) const;

    // The currency of the lesson's catalogue.
    const Currency& currency() const { return lesson.currency(); }

    // The keys of this screen's number pad: "virgola" where an amount in a
    // currency with cents is asked, "meno" where an answer may be below zero.
    // Both hold for every problem of the screen, so they give nothing away.
    ui::PadKeys padKeys() const;

    ui::PictureButton* ComandoIconaSi;
    ui::PictureButton* ComandoIconaNo;
    ui::Label* Label1;
    ui::Label* Label2;
    ui::Label* EtichettaEsatti;
    ui::Label* EtichettaErrati;
    QAction* MenuAzzera;
    QAction* MenuInformazioni;
    QAction* mnuEsci;
    // The standard answer box, on the screens that have one.
    ui::AnswerBox* Text1 = nullptr;

protected:
    // An amount as the screens write it: "1.500" in lire, "1.250,50" in euro.
    QString amountText(Money amount) const { return currency().amountText(amount); }

    // Whether a right answer adds to the count of right answers, or only shows
    // the laughing face and plays the sound.
    enum class Counting { Counted, NotCounted };

    // A heading above a box: Arial 9.75 pt bold, transparent, never changed.
    ui::Label* addHeading(const QString& caption, const ui::TwipsRect& place);
    // A value label: white, bordered, Arial 14.25 pt bold; its stored caption is
    // replaced by the first problem.
    ui::Label* addValueLabel(const ui::TwipsRect& place, Qt::Alignment alignment = Qt::AlignRight);
    // The drawn article's name in a value label: a long name is drawn smaller
    // rather than cut.
    ui::Label* addArticleLabel(const ui::TwipsRect& place, Qt::Alignment alignment);
    // An answer box at its place, named for a screen reader after its heading.
    ui::AnswerBox* addAnswerBox(const QString& accessibleName, double points, bool withKeyFilter,
                                const ui::TwipsRect& place);

    // Judges a box on the release of Enter against the figure asked at the
    // moment. Right: the right-answer feedback, then `afterRight`. Wrong: the
    // wrong-answer feedback, and the focus back in the box with its text.
    using Asked = std::function<const Figure&()>;
    void judgeOnEnter(ui::AnswerBox* box, Asked asked, std::function<void()> afterRight,
                      Counting counting = Counting::Counted);
    // Text1 judged against the problem's first typed step: a right answer draws
    // a new problem.
    void judgeText1OnEnter();
    // The typed text of a box read as the figure asked reads it: an amount or
    // a count, its minus counted or dropped.
    bool isRight(const ui::AnswerBox* box, const Figure& asked) const;

    // Steps 1 to 5 of the feedback: faces, count, sound, count label.
    void rightFeedback(Counting counting = Counting::Counted);
    void wrongFeedback();

    using ui::Screen::say;
    // A sentence with amounts in it, written twice by the same code: as it is
    // for a screen reader, and voiced for the voice.
    using Sentence = std::function<QString(Reading)>;
    void say(const Sentence& sentence);
    // Says the problem; the time the pupil takes to answer it starts here.
    void sayProblem();
    // Says a question, and keeps it as the description of every answer box that
    // waits for an answer (an enabled one) for as long as it waits, so that a
    // screen reader's "where am I" on the box repeats it.
    void ask(const Sentence& question);
    // Keeps a question as ask does, without saying it: a step whose question
    // is said in fewer words.
    void setQuestion(const Sentence& question);

    bool eventFilter(QObject* watched, QEvent* event) override;
    // A screen left stops its speech.
    void closeEvent(QCloseEvent* event) override;
    // The answer just judged, with the problem on show, for the teacher's record.
    void recordAnswer(const QString& given, bool right);

    void setRandomBackground();
    // Draws the next problem of the exercise from the lesson's catalogue, with
    // the program's random source, at the exercise's level if it has one.
    void drawNewProblem();

    Lesson& lesson;
    const Exercise exercise;
    // The problem on show: what is shown, what is asked, the right answers.
    Problem problem;

private:
    // F5 says the question of the moment again (to the screen reader too),
    // leaving the answer's time running; F6 turns reading aloud on, with the
    // question of the moment, or off.
    void addReadingKeys();
    void judge(ui::AnswerBox* box, bool right, const std::function<void()>& afterRight,
               Counting counting);
    void showCounts(const QString& esatti, const QString& errati);
    void sayLevelChange(const QString& sentence);
    void describeWaitingBox(ui::AnswerBox* box) const;

    QString question; // the last one asked
    QElapsedTimer problemShown;
    ExerciseLevel levels;
};
