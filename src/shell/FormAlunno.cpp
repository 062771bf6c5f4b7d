#include "shell/FormAlunno.h"

#include "model/Catalogue.h"
#include "platform/DataFile.h"
#include "platform/Record.h"
#include "shell/Modulo1.h"
#include "shell/ModuloColoriSuoni.h"
#include "shell/RecordTrouble.h"
#include "shell/ScreenChain.h"
#include "ui/Twips.h"

#include <QSet>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int Width = 12675;
constexpr int Height = 8115;
constexpr int Margin = 240;
constexpr int ButtonsTop = 1560;
// A class of thirty fits in three columns of buttons a finger can hit.
constexpr int MostRows = 10;
constexpr int Gap = 120;
constexpr qint64 ClassFileLimit = 64 * 1024;

} // namespace

QStringList classListFromText(const QString& text) {
    QStringList names;
    QSet<QString> seen;
    for (const QString& line : text.split(u'\n')) {
        const QString name = line.simplified();
        if (!name.isEmpty() && !seen.contains(name)) {
            seen.insert(name);
            names << name;
        }
    }
    return names;
}

QStringList readClassList() {
    const QString path = Modulo1::programPath(QStringLiteral("classe.txt"));
    const platform::DataFile file = platform::readDataFile(path, ClassFileLimit);
    if (file.missing)
        return {};
    if (!file.problem.isEmpty()) {
        std::fprintf(stderr, "la mercanzola: %s: %s\n", path.toLocal8Bit().constData(),
                     file.problem.toLocal8Bit().constData());
        return {};
    }
    return classListFromText(decodeCatalogue(file.bytes));
}

FormAlunno::FormAlunno(const QStringList& names) : ui::Screen(Width, Height) {
    watchRecordTrouble();
    setBackground(ModuloColoriSuoni::ColoreCasuale());
    Label1 =
        place(new ui::Label(names.isEmpty() ? QStringLiteral("Scrivi il tuo nome e premi Invio")
                                            : QStringLiteral("Chi sei? Scegli il tuo nome"),
                            {QStringLiteral("Arial"), 24, Qt::AlignHCenter | Qt::AlignVCenter}),
              Margin, Margin, Width - 2 * Margin, ButtonsTop - 2 * Margin);
    Label1->setFocusPolicy(Qt::NoFocus);
    if (names.isEmpty()) {
        Text1 = place(new ui::AnswerBox(QStringLiteral("il tuo nome"), 24), 2400, 3000,
                      Width - 4800, 900);
        Text1->setMaxLength(60);
        onEnterReleased(Text1, [this] { choose(Text1->text().simplified()); });
        Text1->setFocus();
        return;
    }
    const int columns = std::min<int>(3, (names.size() + MostRows - 1) / MostRows);
    const int rows = (names.size() + columns - 1) / columns;
    const int columnWidth = (Width - 2 * Margin) / columns;
    const int rowHeight = std::min(900, (Height - ButtonsTop - Margin) / rows);
    const double points = std::clamp(rowHeight / 50.0, 8.0, 16.0);
    for (int i = 0; i < names.size(); ++i) {
        auto* button =
            place(new ui::Button(names[i], ui::screenFont(QStringLiteral("Arial"), points)),
                  Margin + (i / rows) * columnWidth, ButtonsTop + (i % rows) * rowHeight,
                  columnWidth - Gap, rowHeight - Gap);
        button->setAccessibleName(names[i]);
        onClick(button, [this, name = names[i]] { choose(name); });
        Command1.push_back(button);
    }
    Command1.front()->setFocus();
}

void FormAlunno::choose(const QString& name) {
    if (name.isEmpty()) {
        say(QStringLiteral("Scrivi il tuo nome e premi Invio"));
        return;
    }
    platform::setRecordPupil(name);
    openScreen(ScreenId::Menu, this);
}
