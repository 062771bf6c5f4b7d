#pragma once

// Every screen of the program. One is open at a time; each opening creates the
// screen afresh.
enum class ScreenId {
    Avvio,
    Menu,
    Form1,
    Form2,
    Form3,
    Form4,
    Form5,
    Form6,
    Form7,
    Form8,
    Form9,
    Form10,
    Form11,
    Form12,
    Form13,
    // The pupil says who they are, with the teacher's record on.
    Alunno,
};
