#pragma once

#include "ui/Controls.h"
#include "ui/Screen.h"

#include <QStringList>
#include <vector>

// The names of classe.txt, beside lista.txt: one a line, blank lines and
// repeats left out. Empty when there is no such file; a file that cannot be
// read is told in one line on standard error and counts as none.
QStringList readClassList();
QStringList classListFromText(const QString& text);

// Who is at the keyboard, asked after the start screen when the teacher's
// record is on: a big button for each name of the class, or, without a class
// list, a box where the pupil types a name and presses Enter. Then the menu.
class FormAlunno : public ui::Screen {
    Q_OBJECT
public:
    explicit FormAlunno(const QStringList& names);

    void choose(const QString& name);

    ui::Label* Label1;
    std::vector<ui::Button*> Command1;
    ui::AnswerBox* Text1 = nullptr;
};
