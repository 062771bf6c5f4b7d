// Every caption must fit its box at the size the screens ask for, with the
// faces that stand in for Arial and MS Sans Serif.
#include "app/AllScreens.h"
#include "exercises/GainLossScreen.h"
#include "exercises/MoneyScreen.h"
#include "exercises/ProfitScreen.h"
#include "exercises/PurchaseScreen.h"
#include "exercises/TableScreen.h"
#include "shell/FormAvvio.h"
#include "shell/FormMenu.h"
#include "shell/Modulo1.h"
#include "support/TestServices.h"
#include "ui/Twips.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QTest>

namespace {

// The width a box draws its text in: inside a label's frame and margin, or
// inside an answer box's one-pixel edge and the two pixels Qt keeps beside it.
int textRoom(const QWidget* box) {
    if (const auto* label = qobject_cast<const QLabel*>(box))
        return label->contentsRect().width() - 2 * label->margin();
    return box->contentsRect().width() - 2 * (1 + 2);
}

ui::Screen* opened(int form) {
    const std::array forms = {newForm1,  newForm2,  newForm3, newForm4, newForm5,
                              newForm6,  newForm7,  newForm8, newForm9, newForm10,
                              newForm11, newForm12, newForm13};
    ui::Screen* screen = forms[form - 1]();
    screen->Form_Load();
    screen->show();
    return screen;
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

    // Drawn at the designed size, or scaled up to fill a window of the given factor.
    static void checkCaptionsFit(ui::Screen* screen, double factor = 1.0) {
        screen->show();
        if (factor != 1.0) {
            screen->resize(screen->size() * factor);
            QTRY_VERIFY(screen->contentScale() >= factor - 0.01);
        }
        for (QLabel* label : screen->findChildren<QLabel*>()) {
            const QFontMetrics metrics(label->font());
            const QRect room = label->contentsRect();
            QVERIFY2(metrics.horizontalAdvance(label->text()) <= room.width() &&
                         metrics.height() <= room.height(),
                     qPrintable(label->text()));
        }
        for (QPushButton* button : screen->findChildren<QPushButton*>()) {
            const QFontMetrics metrics(button->font());
            const int iconRoom = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
            QVERIFY2(metrics.horizontalAdvance(button->text()) + iconRoom + 8 <= button->width(),
                     qPrintable(button->text()));
        }
        screen->close();
    }

private slots:
    void initTestCase() { setUpToolkit(); }

    void arialResolvesToAMetricCompatibleFace() {
        for (const char* family : {"Arial", "MS Sans Serif"})
            QCOMPARE(QFontInfo(QFont(QString::fromLatin1(family))).family(),
                     QStringLiteral("Liberation Sans"));
    }

    void captionsFitTheirBoxes_data() {
        QTest::addColumn<double>("factor");
        QTest::newRow("as designed") << 1.0;
        QTest::newRow("a whiteboard") << 1.6;
        QTest::newRow("full HD") << 2.25;
    }
    void captionsFitTheirBoxes() {
        QFETCH(double, factor);
        TestServices services;
        // The widest name of the default catalogue, with an amount wider than any price.
        QFile shipped(QStringLiteral(MERCANZOLA_SOURCE_DIR "/data/lista.txt"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        services.writeFile(QStringLiteral("lista.txt"), shipped.readAll());
        Modulo1::CaricaLista();
        const QFontMetrics metrics(ui::screenFont(QStringLiteral("Arial"), 14.25));
        QString widest;
        for (int k = 1; k <= Modulo1::NumeroArticoli.value(); ++k)
            if (metrics.horizontalAdvance(Modulo1::Articolo[k]) > metrics.horizontalAdvance(widest))
                widest = Modulo1::Articolo[k];
        services.setCatalogue({{widest, 1, 9999999}});
        services.random.fallback = 0.999;
        checkCaptionsFit(new FormAvvio, factor);
        checkCaptionsFit(new FormMenu, factor);
        for (auto make : {newForm1, newForm2, newForm3, newForm4, newForm5, newForm6, newForm7,
                          newForm8, newForm9, newForm10, newForm11, newForm12, newForm13}) {
            ui::Screen* screen = make();
            screen->Form_Load();
            checkCaptionsFit(screen, factor);
        }
    }

    // A teacher's catalogue at the largest prices either way, at the largest
    // quantity: the widest amounts fit their boxes whole, minus sign and all,
    // and so does the same amount in euro, whose decimals make it wider.
    void widestAmountsFitTheirBoxes_data() {
        QTest::addColumn<int>("form");
        QTest::addColumn<bool>("typed"); // in the answer box, else shown in Label5
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("inEuro");
        QTest::newRow("a price times 10, in a table cell") << 11 << false << "-1.000.000.000.000"
                                                           << "-10.000.000.000,00";
        QTest::newRow("a difference of prices") << 6 << false << "-200.000.000.000"
                                                << "-2.000.000.000,00";
        QTest::newRow("a difference times 10, typed and judged")
            << 10 << true << "-2.000.000.000.000"
            << "-20.000.000.000,00";
    }
    void widestAmountsFitTheirBoxes() {
        QFETCH(int, form);
        QFETCH(bool, typed);
        QFETCH(QString, shown);
        QFETCH(QString, inEuro);
        TestServices services;
        services.writeFile(QStringLiteral("lista.txt"), "oro,100000000000,-100000000000\r\n");
        Modulo1::CaricaLista();
        services.random.fallback = 0.999; // the last article, as many of it as can be
        auto* screen = static_cast<ExerciseScreen*>(opened(form));
        auto* table = qobject_cast<TableScreen*>(screen);
        QWidget* box = typed   ? static_cast<QWidget*>(table->Text4)
                       : table ? table->Label5
                               : qobject_cast<ProfitScreen*>(screen)->Label5;
        if (typed) {
            pupil::type(table->Text4, shown);
            QCOMPARE(table->Text4->text(), shown);
            pupil::enter(table->Text4);
            QCOMPARE(screen->EtichettaEsatti->text(), " 1");
        } else {
            QCOMPARE(qobject_cast<QLabel*>(box)->text(), shown);
        }
        const QFontMetrics metrics(box->font());
        for (const QString& text : {shown, inEuro})
            QVERIFY2(metrics.horizontalAdvance(text) <= textRoom(box),
                     qPrintable(QStringLiteral("%1: %2 px in %3")
                                    .arg(text)
                                    .arg(metrics.horizontalAdvance(text))
                                    .arg(textRoom(box))));
        screen->close();
    }

    // The article's name on the three kinds of article label: whole, smaller
    // when long, elided in the middle only past the smallest readable size;
    // a screen reader always hears it whole.
    void longNamesShowWhole_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("smaller");
        QTest::addColumn<bool>("elided");
        QTest::newRow("a name that fits") << "matita" << false << false;
        QTest::newRow("a long name, drawn smaller")
            << "quaderno a quadretti con copertina rigida blu" << true << false;
        QTest::newRow("a very long name, elided in the middle")
            << "astuccio a tre cerniere con pennarelli, matite colorate, gomma, righello e "
               "temperamatite"
            << true << true;
    }
    void longNamesShowWhole() {
        QFETCH(QString, name);
        QFETCH(bool, smaller);
        QFETCH(bool, elided);
        TestServices services;
        services.setCatalogue({{name, 100, 200}});
        for (int form : {1, 9, 12}) {
            ui::Screen* screen = opened(form);
            ui::Label* label = nullptr;
            for (ui::Label* shown : screen->findChildren<ui::Label*>())
                if (shown->text() == name)
                    label = shown;
            QVERIFY(label);
            const ui::FittedText drawn = label->drawn();
            QVERIFY(QFontMetrics(drawn.font).horizontalAdvance(drawn.text) <= textRoom(label));
            QCOMPARE(drawn.font.pixelSize() < label->font().pixelSize(), smaller);
            QVERIFY(drawn.font.pixelSize() * 3 >= label->font().pixelSize() * 2);
            if (elided) {
                QVERIFY2(drawn.text.contains(u'…') && drawn.text.startsWith(name.left(8)) &&
                             drawn.text.endsWith(name.right(8)),
                         qPrintable(drawn.text));
            } else {
                QCOMPARE(drawn.text, name);
            }
            QVERIFY(QAccessible::queryAccessibleInterface(label)
                        ->text(QAccessible::Name)
                        .contains(name));
            screen->close();
        }
    }
};

QTEST_MAIN(LayoutTest)
#include "test_layout.moc"
