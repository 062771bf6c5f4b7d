#pragma once

#include "ui/Controls.h"
#include "ui/Screen.h"

#include <QStringList>
#include <vector>

// The names of classe.txt, beside the catalogue read from `cataloguePath`,
// else in the program folder: one a line, up to 500, blank lines and repeats (whatever their
// letter case and spaces) left out, each as first written. Empty when there
// is no such file; a file that cannot be read is told in one line on
// standard error and counts as none.
QStringList readClassList(const QString& cataloguePath);
QStringList classListFromText(const QString& text);
// A pupil's name as the record keeps it: printable characters, spaces joined,
// at most 60 characters. Lines may end in LF, CRLF or CR alone.
QString pupilName(const QString& text);

// Who is at the keyboard, asked after the start screen when the teacher's
// record is on: a big button for each name of the class (never under 48
// pixels at the designed size; a class too big for one screen in pages, with
// buttons for the others), or, without a class list, a box where the pupil
// types a name and presses Enter, on a touch screen with a letter pad. Then
// the menu.
class FormAlunno : public ui::Screen {
    Q_OBJECT
public:
    explicit FormAlunno(const QStringList& names);

    void choose(const QString& name);
    // The page of names from 0; any page number goes round.
    void showPage(int page);

    ui::Label* Label1;
    // The names on show.
    std::vector<ui::Button*> Command1;
    ui::Button* Previous = nullptr;
    ui::Button* Next = nullptr;
    ui::AnswerBox* Text1 = nullptr;
    std::vector<ui::Button*> LetterKeys;

private:
    void placeLetterPad();

    QStringList names;
    int perPage = 0;
    int page = 0;
};
