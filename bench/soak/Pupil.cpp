#include "Pupil.h"

#include "frame/ExerciseScreen.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

namespace {

template <class Control> QList<Control*> usable(QWidget* screen) {
    QList<Control*> found;
    for (Control* control : screen->findChildren<Control*>())
        if (control->isVisible() && control->isEnabled())
            found << control;
    return found;
}

// The whole numbers shown in the screen's labels, other than the counts.
QList<qint64> shownNumbers(ExerciseScreen* screen) {
    QList<qint64> numbers;
    for (QLabel* label : usable<QLabel>(screen->client())) {
        if (label == screen->EtichettaEsatti || label == screen->EtichettaErrati)
            continue;
        QString digits;
        for (QChar c : label->text())
            if (c >= u'0' && c <= u'9')
                digits += c;
        if (!digits.isEmpty() && digits.size() <= 15)
            numbers << digits.toLongLong();
    }
    return numbers;
}

QString grouped(qint64 value) {
    QString digits = QString::number(value);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u'.');
    return digits;
}

} // namespace

bool Pupil::answer(ExerciseScreen* screen) {
    const QList<ui::AnswerBox*> boxes = usable<ui::AnswerBox>(screen->client());
    QList<QAbstractButton*> buttons;
    for (QAbstractButton* button : usable<QAbstractButton>(screen->client()))
        if (button != screen->ComandoIconaSi && button != screen->ComandoIconaNo)
            buttons << button;
    if (boxes.isEmpty() && buttons.isEmpty())
        return false;
    if (boxes.isEmpty() || (!buttons.isEmpty() && below(6) == 0)) {
        buttons.at(below(int(buttons.size())))->click();
        return true;
    }

    ui::AnswerBox* box = boxes.at(below(int(boxes.size())));
    box->setFocus();
    const int kind = below(20);
    if (kind < 9 || below(2) == 0) { // start afresh rather than after the last attempt
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
    }
    if (kind < 9) {
        QTest::keyClicks(box, guess(screen));
    } else if (kind < 18) {
        QTest::keyClicks(box, randomDigits());
    } else {
        QApplication::clipboard()->setText(longText());
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        ++pasted;
    }
    QTest::keyClick(box, Qt::Key_Return);
    return true;
}

void Pupil::fidget(ExerciseScreen* screen) {
    const int roll = below(100);
    if (roll < 2)
        screen->MenuAzzera->trigger();
    else if (roll < 3)
        screen->MenuInformazioni->trigger();
}

// Most screens ask one of the shown numbers, or their product, difference, sum
// or quotient: a guess among those is often right.
QString Pupil::guess(ExerciseScreen* screen) {
    const QList<qint64> numbers = shownNumbers(screen);
    if (numbers.isEmpty())
        return randomDigits();
    const int first = below(int(numbers.size()));
    const int second = numbers.size() > 1
                           ? (first + 1 + below(int(numbers.size()) - 1)) % int(numbers.size())
                           : first;
    const qint64 a = numbers.at(first);
    const qint64 b = numbers.at(second);
    qint64 value = a;
    switch (below(5)) {
    case 1:
        value = a <= 1'000'000'000 && b <= 1'000'000'000 ? a * b : a;
        break;
    case 2:
        value = a > b ? a - b : b - a;
        break;
    case 3:
        value = a + b;
        break;
    case 4:
        value = b != 0 && a % b == 0 ? a / b : a;
        break;
    }
    switch (below(4)) {
    case 0:
        return grouped(value); // the dots the key filter turns to spaces
    case 1:
        return QStringLiteral("L. ") + QString::number(value) + QStringLiteral(" lire");
    default:
        return QString::number(value);
    }
}

QString Pupil::randomDigits() {
    QString text;
    const int length = 1 + below(20);
    for (int i = 0; i < length; ++i) {
        const int roll = below(24);
        text += roll < 20 ? QChar(u'0' + roll % 10) : QChar(u"-. x"[roll - 20]);
    }
    return text;
}

// A long text pasted from somewhere: up to 32 KiB of letters, digits and signs.
QString Pupil::longText() {
    static const QString alphabet = QStringLiteral(
        "0123456789 .,-+abcdefghijklmnopqrstuvwxyzàèéìòù€ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    const int length = QList<int>{1024, 4096, 32 * 1024}.at(below(3));
    QString text;
    text.reserve(length);
    for (int i = 0; i < length; ++i)
        text += alphabet.at(below(int(alphabet.size())));
    return text;
}
