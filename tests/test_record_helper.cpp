// What the helper that adds pupils' answers to the PC's shared record takes:
// only the answers the program itself writes. Anything else a pupil's account
// could feed it by hand is refused, and said why, before the record is opened.

// The helper's own reading, compiled in: the helper links no Qt and no
// layer of the program.
#include "record/consegna/Answers.cpp"

#include <QTest>

namespace {

// A sound answer's fields, one of them replaced.
std::string answerLine(int field = -1, const std::string& value = {}) {
    std::string fields[] = {"6f1c2b1e-0000-4000-8000-0000000000a1",
                            "2026-03-02T09:15:00.123+01:00",
                            "2026-03-02",
                            "Anna Rossi",
                            "pc-3",
                            "trova il costo totale",
                            "5 quaderni a 1.200 lire l'uno: quanto costano?",
                            "6000",
                            "1",
                            "4.25",
                            "1",
                            "",
                            "1796000000123"};
    if (field >= 0)
        fields[field] = value;
    std::string line;
    for (const std::string& f : fields)
        line += (line.empty() ? "" : "\t") + f;
    return line;
}

} // namespace

class TestRecordHelper : public QObject {
    Q_OBJECT
private slots:
    void onlySoundAnswersAreTaken_data() {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("refused"); // a word of the reason; empty when taken
        const auto row = [](const char* name, const std::string& line, const char* why) {
            QTest::newRow(name) << QByteArray::fromStdString(line) << QString::fromUtf8(why);
        };
        row("as the program writes it", answerLine(), "");
        row("a tab and a newline in the answer, escaped", answerLine(7, "6\\t000"),
            "caratteri di controllo");
        row("a backslash kept", answerLine(6, "a\\\\b"), "");
        row("a name of 60 letters", answerLine(3, std::string(59, 'a') + "\xc3\xa8"), "");
        row("a name of 61", answerLine(3, std::string(61, 'a')), "60 caratteri");
        row("a name with an escape", answerLine(3, "Anna\x1b[2J"), "controllo");
        row("a name with a C1 control", answerLine(3, "Anna\xc2\x85"), "controllo");
        row("not UTF-8", answerLine(3, "Anna\xff"), "controllo");
        row("an overlong UTF-8 slash", answerLine(3, "\xc0\xaf"), "controllo");
        row("a problem of 6 KB", answerLine(6, std::string(6000, 'x')), "troppo lungo");
        row("an id that is SQL", answerLine(0, "x' OR 1=1 --"), "identificativo");
        row("an id in capitals", answerLine(0, "6F1C2B1E-0000-4000-8000-0000000000A1"),
            "identificativo");
        row("a day not the time's", answerLine(2, "2026-03-03"), "giorno");
        row("a time with letters", answerLine(1, "2026-03-02Tnow"), "giorno");
        row("right as 2", answerLine(8, "2"), "esito");
        row("seconds not a number", answerLine(9, "nan"), "tempo");
        row("negative seconds", answerLine(9, "-1"), "tempo");
        row("exercise 0", answerLine(10, "0"), "numero");
        row("level 100", answerLine(11, "100"), "livello");
        row("a stray backslash", answerLine(7, "6\\x"), "barra");
        row("an order not a number", answerLine(12, "12; DROP"), "ordine");
        const std::string older = answerLine().substr(0, answerLine().rfind('\t'));
        row("an older program's, with no order", older, "");
        row("a field missing", older.substr(0, older.rfind('\t')), "meno campi");
        row("a field more", answerLine() + "\tdi troppo", "più campi");
        row("an empty line", "", "meno campi");
    }
    void onlySoundAnswersAreTaken() {
        QFETCH(QByteArray, line);
        QFETCH(QString, refused);
        consegna::Answer answer;
        const QString why =
            QString::fromStdString(consegna::readAnswer(line.toStdString(), &answer));
        if (refused.isEmpty())
            QVERIFY2(why.isEmpty(), qPrintable(why));
        else
            QVERIFY2(why.contains(refused), qPrintable(why));
    }
};

QTEST_GUILESS_MAIN(TestRecordHelper)
#include "test_record_helper.moc"
