// What a screen reader calls each window, whose title bar names the program, and the article.
#include "frame/ExerciseScreen.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"
#include "ui/Screen.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTest>

Q_DECLARE_METATYPE(ScreenId)

// The names of the labels a screen reader lists, in the order it meets them.
static QStringList heardLabels(const ui::Screen* screen) {
    QStringList names;
    for (QWidget* control : screen->client()->findChildren<QWidget*>())
        if (QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(control);
            heard->role() == QAccessible::StaticText && control->isVisible())
            names << heard->text(QAccessible::Name);
    return names;
}

class TestAccessibleNames : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpItalianProgram(); }
    void cleanup() { closeAllWindows(); }

    void windowsAndArticlesAreHeard_data() {
        QTest::addColumn<ScreenId>("screen");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("article");
        const QString cartolina = QStringLiteral("articolo acquistato: cartolina");
        QTest::newRow("start") << ScreenId(ScreenId::Avvio) << "la mercanzola" << QString();
        QTest::newRow("menu") << ScreenId(ScreenId::Menu) << "menù" << QString();
        QTest::newRow("Form1") << ScreenId(Exercise::TotalCost) << "trova il costo totale"
                               << cartolina;
        QTest::newRow("Form8, trailing space")
            << ScreenId(Exercise::MixedProfit) << "spesa - guadagno - ricavo" << cartolina;
        QTest::newRow("Form9, spaces inside")
            << ScreenId(Exercise::FourCellTable) << "tabelle 1" << cartolina;
        QTest::newRow("Form12") << ScreenId(Exercise::GainOrLoss) << "guadagno - perdita"
                                << cartolina;
        QTest::newRow("Form13") << ScreenId(Exercise::PayingWithMoney) << "usa il denaro"
                                << QString();
    }
    void windowsAndArticlesAreHeard() {
        QFETCH(ScreenId, screen);
        QFETCH(QString, window);
        QFETCH(QString, article);
        TestServices services;
        services.setCatalogue({{"cartolina", 1000, 1500}});
        ui::Screen* opened = openScreen(screen);

        // The title bar names the program; the screen reader hears the window.
        QCOMPARE(opened->windowTitle(), QStringLiteral("la mercanzola"));
        QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(opened);
        QCOMPARE(heard->role(), QAccessible::Window);
        QCOMPARE(heard->text(QAccessible::Name), window);
        const QStringList labels = heardLabels(opened);
        QCOMPARE(labels.filter(QStringLiteral("articolo acquistato: ")),
                 article.isEmpty() ? QStringList() : QStringList{article});
        QVERIFY2(!labels.contains(QString()), qPrintable(labels.join(u'|')));
    }

    // "Where am I" on the box that waits for the answer repeats the problem; a
    // box that waits for nothing describes nothing. The faces are pictures of
    // the last outcome, not buttons to press.
    void theWaitingBoxCarriesTheProblem_data() {
        QTest::addColumn<ScreenId>("screen");
        QTest::addColumn<QString>("problem");
        QTest::newRow("Form9, four boxes, one waiting")
            << ScreenId(Exercise::FourCellTable)
            << "cartolina; quantità 0; spesa di 1: 1.000 lire; ricavo di 1: 1.500 lire. guadagno "
               "di 1?";
        QTest::newRow("Form13") << ScreenId(Exercise::PayingWithMoney)
                                << "sul tavolo: moneta da 1.000 lire, moneta da 100 lire; avevo "
                                   "pagato la merce 1.000 lire. quanto ho ricavato?";
    }
    void theWaitingBoxCarriesTheProblem() {
        QFETCH(ScreenId, screen);
        TestServices services;
        services.setCatalogue({{"cartolina", 1000, 1500}});
        auto* opened = qobject_cast<ExerciseScreen*>(openScreen(screen));
        QStringList described;
        for (QWidget* box : opened->client()->findChildren<QLineEdit*>())
            described << QAccessible::queryAccessibleInterface(box)->text(QAccessible::Description);
        described.removeAll(QString());
        QTEST(described.join(u'|'), "problem");
        for (QWidget* face : {opened->ComandoIconaSi, opened->ComandoIconaNo})
            QCOMPARE(QAccessible::queryAccessibleInterface(face)->role(), QAccessible::Graphic);
    }
};

QTEST_MAIN(TestAccessibleNames)
#include "test_accessible_names.moc"
