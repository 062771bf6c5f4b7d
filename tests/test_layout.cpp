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
#include "shell/Lesson.h"
#include "shell/Modulo1.h"
#include "support/TestServices.h"
#include "ui/Twips.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QTest>

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
        for (int k = 1; k <= lesson().NumeroArticoli.value(); ++k)
            if (metrics.horizontalAdvance(lesson().Articolo[k]) > metrics.horizontalAdvance(widest))
                widest = lesson().Articolo[k];
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

    // A catalogue at the largest prices either way: the widest amounts fit
    // their boxes whole, minus sign and all, as would the same amounts in euro.
    void widestAmountsFitTheirBoxes_data() {
        QTest::addColumn<bool>("typed"); // in Form10's answer box, or else shown on Form11
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("inEuro");
        QTest::newRow("a price times 10") << false << "-1.000.000.000.000"
                                          << "-10.000.000.000,00";
        QTest::newRow("a difference times 10, typed and judged right")
            << true << "-2.000.000.000.000"
            << "-20.000.000.000,00";
    }
    void widestAmountsFitTheirBoxes() {
        QFETCH(bool, typed);
        QFETCH(QString, shown);
        QFETCH(QString, inEuro);
        TestServices services;
        services.writeFile(QStringLiteral("lista.txt"), "oro,100000000000,-100000000000\r\n");
        Modulo1::CaricaLista();
        services.random.fallback = 0.999; // as many of it as can be
        auto* table = static_cast<TableScreen*>((typed ? newForm10 : newForm11)());
        table->Form_Load();
        table->show();
        QWidget* box = typed ? static_cast<QWidget*>(table->Text4) : table->Label5;
        if (typed)
            pupil::type(table->Text4, shown);
        QCOMPARE(typed ? table->Text4->text() : table->Label5->text(), shown);
        // Inside a label's frame and margin, or an answer box's edge and Qt's margin.
        const int room =
            box->contentsRect().width() - 2 * (typed ? 1 + 2 : table->Label5->margin());
        for (const QString& text : {shown, inEuro})
            QVERIFY2(QFontMetrics(box->font()).horizontalAdvance(text) <= room, qPrintable(text));
        if (typed) {
            pupil::enter(table->Text4);
            QCOMPARE(table->EtichettaEsatti->text(), " 1");
        }
        table->close();
    }
};

QTEST_MAIN(LayoutTest)
#include "test_layout.moc"
