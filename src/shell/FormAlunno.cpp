#include "shell/FormAlunno.h"

#include "model/Catalogue.h"
#include "platform/DataFile.h"
#include "platform/Record.h"
#include "platform/Services.h"
#include "platform/Warning.h"
#include "shell/Modulo1.h"
#include "shell/ModuloColoriSuoni.h"
#include "shell/RecordTrouble.h"
#include "shell/ScreenChain.h"
#include "ui/NumberPad.h"
#include "ui/Twips.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace {

constexpr int Width = 12675;
constexpr int Height = 8115;
constexpr int Margin = 240;
constexpr int ButtonsTop = 1560;
constexpr int Gap = 120;
// 48 pixels at the designed size, grown with the window like every control.
constexpr int LeastButton = 48 * 15;
constexpr int Columns = 3;
// Rows of names a finger can hit; with more names than fit, one row fewer
// and the page buttons below.
constexpr int MostRows = (Height - ButtonsTop - Margin) / (LeastButton + Gap);
constexpr int PageRows = MostRows - 1;
constexpr qint64 ClassFileLimit = 64 * 1024;
constexpr qsizetype MostNames = 500;

constexpr qsizetype LongestName = 60;

// "Anna  Rossi" and "anna rossi" are one pupil.
QString sameName(const QString& name) {
    return name.simplified().toCaseFolded();
}

} // namespace

QString pupilName(const QString& text) {
    QString name;
    for (const QChar c : text)
        name += c.isPrint() ? c : QChar(u' ');
    return name.simplified().left(LongestName).trimmed();
}

QStringList classListFromText(const QString& text) {
    static const QRegularExpression lineEnd(QStringLiteral("\\r\\n|\\r|\\n"));
    QStringList names;
    QSet<QString> seen;
    for (const QString& line : text.split(lineEnd)) {
        const QString name = pupilName(line);
        if (!name.isEmpty() && !seen.contains(sameName(name)) && names.size() < MostNames) {
            seen.insert(sameName(name));
            names << name;
        }
    }
    return names;
}

// The user's and the school's own folders, then beside the catalogue in use
// (through its link: /etc/mercanzola/ on a system install), then the program
// folder.
QStringList classListPlaces(const QString& cataloguePath) {
    QStringList places;
    for (const QString& folder : platform::services().ownDataFolders)
        places << QDir(folder).filePath(QStringLiteral("classe.txt"));
    const QFileInfo catalogue(cataloguePath);
    if (!cataloguePath.isEmpty()) {
        places << QFileInfo(catalogue.canonicalFilePath())
                      .dir()
                      .filePath(QStringLiteral("classe.txt"));
        places << catalogue.dir().filePath(QStringLiteral("classe.txt"));
    }
    places << Modulo1::programPath(QStringLiteral("classe.txt"));
    places.removeDuplicates();
    return places;
}

QStringList readClassList(const QString& cataloguePath) {
    for (const QString& path : classListPlaces(cataloguePath)) {
        const platform::DataFile file = platform::readDataFile(path, ClassFileLimit);
        if (file.missing)
            continue;
        if (!file.problem.isEmpty()) {
            platform::warn(path + QStringLiteral(": ") + file.problem);
            return {};
        }
        return classListFromText(decodeCatalogue(file.bytes));
    }
    return {};
}

FormAlunno::FormAlunno(const QStringList& names) : ui::Screen(Width, Height), names(names) {
    watchRecordTrouble();
    setBackground(ModuloColoriSuoni::ColoreCasuale());
    Label1 =
        place(new ui::Label(names.isEmpty() ? QStringLiteral("Scrivi il tuo nome e premi Invio")
                                            : QStringLiteral("Chi sei? Scegli il tuo nome"),
                            {QStringLiteral("Arial"), 24, Qt::AlignHCenter | Qt::AlignVCenter}),
              Margin, Margin, Width - 2 * Margin, ButtonsTop - 2 * Margin);
    Label1->setFocusPolicy(Qt::NoFocus);
    if (names.isEmpty()) {
        Text1 = place(new ui::AnswerBox(QStringLiteral("il tuo nome"), 24), 2400, 2400,
                      Width - 4800, 900);
        Text1->setMaxLength(LongestName);
        onEnterReleased(Text1, [this] { choose(pupilName(Text1->text())); });
        if (ui::NumberPad::touchScreenPresent())
            placeLetterPad();
        Text1->setFocus();
        return;
    }
    const bool paged = names.size() > Columns * MostRows;
    perPage = paged ? Columns * PageRows : int(names.size());
    if (paged) {
        const int top = ButtonsTop + PageRows * (LeastButton + Gap);
        const int width = (Width - 2 * Margin) / Columns - Gap;
        Previous = place(new ui::Button(QStringLiteral("◀ nomi prima"),
                                        ui::screenFont(QStringLiteral("Arial"), 14)),
                         Margin, top, width, LeastButton);
        Next = place(new ui::Button(QStringLiteral("altri nomi ▶"),
                                    ui::screenFont(QStringLiteral("Arial"), 14)),
                     Width - Margin - width, top, width, LeastButton);
        onClick(Previous, [this] { showPage(page - 1); });
        onClick(Next, [this] { showPage(page + 1); });
    }
    showPage(0);
}

void FormAlunno::showPage(int wanted) {
    const int pages = int((names.size() + perPage - 1) / perPage);
    page = (wanted + pages) % pages;
    for (ui::Button* button : Command1)
        button->deleteLater();
    Command1.clear();
    const QStringList shown = names.mid(qsizetype(page) * perPage, perPage);
    const int columns = std::min<int>(Columns, int(shown.size() + MostRows - 1) / MostRows);
    const int rows = Previous ? PageRows : int(shown.size() + columns - 1) / columns;
    const int columnWidth = (Width - 2 * Margin) / columns;
    const int rowHeight =
        Previous ? LeastButton + Gap : std::min(900, (Height - ButtonsTop - Margin) / rows);
    const double points = std::clamp(rowHeight / 50.0, 8.0, 16.0);
    QWidget* before = Previous;
    for (int i = 0; i < shown.size(); ++i) {
        auto* button =
            place(new ui::Button(shown[i], ui::screenFont(QStringLiteral("Arial"), points)),
                  Margin + (i / rows) * columnWidth, ButtonsTop + (i % rows) * rowHeight,
                  columnWidth - Gap, rowHeight - Gap);
        button->setAccessibleName(shown[i]);
        onClick(button, [this, name = shown[i]] { choose(name); });
        button->show();
        // Tab goes through the names, then to the page buttons.
        if (before && before != Previous)
            setTabOrder(before, button);
        before = button;
        Command1.push_back(button);
    }
    if (Previous) {
        setTabOrder(Command1.back(), Previous);
        setTabOrder(Previous, Next);
        Label1->setText(QStringLiteral("Chi sei? Scegli il tuo nome (pagina %1 di %2)")
                            .arg(page + 1)
                            .arg(pages));
    }
    Command1.front()->setFocus();
}
void FormAlunno::placeLetterPad() {
    QStringList keys;
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter)
        keys << QString(QChar(letter));
    keys << QStringLiteral("À") << QStringLiteral("È") << QStringLiteral("É") << QStringLiteral("Ì")
         << QStringLiteral("Ò") << QStringLiteral("Ù") << QStringLiteral("'");
    keys << QStringLiteral("spazio") << QStringLiteral("cancella") << QStringLiteral("invio");
    constexpr int PerRow = 9;
    constexpr int Top = 3500;
    const int rows = int(keys.size() + PerRow - 1) / PerRow;
    const int keyWidth = (Width - 2 * Margin) / PerRow;
    const int keyHeight = (Height - Top - Margin) / rows;
    for (int i = 0; i < keys.size(); ++i) {
        const QString key = keys[i];
        auto* button = place(
            new ui::Button(key, ui::screenFont(QStringLiteral("Arial"), key.size() > 1 ? 12 : 18)),
            Margin + (i % PerRow) * keyWidth, Top + (i / PerRow) * keyHeight, keyWidth - Gap,
            keyHeight - Gap);
        button->setFocusPolicy(Qt::NoFocus); // the keyboard stays in the box
        onClick(button, [this, key] {
            if (key == u"invio")
                choose(pupilName(Text1->text()));
            else if (key == u"cancella")
                Text1->backspace();
            else
                // A capital where a name, or a part after an apostrophe, starts.
                Text1->insert(key == u"spazio" ? QStringLiteral(" ")
                              : Text1->text().isEmpty() || Text1->text().endsWith(u' ') ||
                                      Text1->text().endsWith(u'\'')
                                  ? key
                                  : key.toLower());
        });
        LetterKeys.push_back(button);
    }
}

void FormAlunno::choose(const QString& name) {
    if (name.isEmpty()) {
        say(QStringLiteral("Scrivi il tuo nome e premi Invio"));
        return;
    }
    platform::setRecordPupil(name);
    openScreen(ScreenId::Menu, this);
}
