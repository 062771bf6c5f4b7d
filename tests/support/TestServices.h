#pragma once

#include "model/Money.h"
#include "platform/Services.h"
#include "ui/Controls.h"

#include <QList>
#include <QStringList>
#include <QTemporaryDir>

class QAction;

// Fakes for the platform services: message boxes answered from a script,
// sounds only listened for, random draws scripted one by one.
class FakeMessages : public platform::MessageBoxes {
public:
    void inform(QWidget*, const QString& text) override { informed << text; }
    platform::Answer ask(QWidget*, const QString& text) override {
        asked << text;
        return answers.isEmpty() ? platform::Answer::No : answers.takeFirst();
    }
    void reportError(const QString& text) override { errors << text; }

    QStringList informed, asked, errors;
    QList<platform::Answer> answers;
};

class FakeSounds : public platform::SoundPlayer {
public:
    void play(const QString& path) override { played << path; }
    QStringList played;
    // The file name of the last sound asked for, or empty.
    QString last() const;
};

class ScriptedRandom : public platform::RandomSource {
public:
    double next() override { return values.isEmpty() ? fallback : values.takeFirst(); }
    QList<double> values;
    double fallback = 0.0;
};

class Lesson;

// The lesson every screen a test opens works on; emptied by each TestServices.
Lesson& testLesson();

// Installs the fakes with a temporary program folder, and empties the lesson.
class TestServices {
public:
    TestServices();
    ~TestServices();

    FakeMessages messages;
    FakeSounds sounds;
    ScriptedRandom random;
    QList<int> endCodes;
    QTemporaryDir folder;

    // Writes a file into the program folder.
    void writeFile(const QString& name, const QByteArray& bytes);
    // Gives the lesson a lire catalogue of these records: name, buying and selling price.
    void setCatalogue(const QList<std::tuple<QString, int, int>>& records);
    // The value r whose draw from 1 to n gives k.
    static double drawing(int k, int n) { return (k - 0.5) / n; }
};

// The pupil's hands.
namespace pupil {
void type(ui::AnswerBox* box, const QString& text);
void pressEnter(QWidget* widget);
void releaseEnter(QWidget* widget);
void enter(QWidget* widget);                          // press and release
void answer(ui::AnswerBox* box, const QString& text); // clear, type, Enter
void choose(QAction* item);
} // namespace pupil

Money lire(std::int64_t whole);

// The toolkit as the program sets it up, amounts in the Italian locale, every
// screen registered on the test lesson.
void setUpItalianProgram();
// Gives the offscreen platform one display of this size; called before the
// application is made.
bool useOffscreenDisplay(QSize size);
// Closes every window and lets Qt delete it, so each case starts with none.
void closeAllWindows();
