// What a screen reader calls each window, whose title stays blank, and the
// article it hears on the exercise screens.

#include "app/AllScreens.h"
#include "shell/ScreenChain.h"
#include "support/TestServices.h"
#include "ui/Screen.h"

#include <QAccessible>
#include <QTest>

Q_DECLARE_METATYPE(ScreenId)

namespace {

QString heardName(QObject* object) {
    return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
}

// The names of the labels a screen reader lists, in the order it meets them.
QStringList heardLabels(const ui::Screen* screen) {
    QStringList names;
    for (QWidget* control : screen->client()->findChildren<QWidget*>())
        if (QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(control);
            heard->role() == QAccessible::StaticText && control->isVisible())
            names << heard->text(QAccessible::Name);
    return names;
}

} // namespace

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
        QTest::newRow("start") << ScreenId::Avvio << "la mercanzola" << QString();
        QTest::newRow("menu") << ScreenId::Menu << "menù" << QString();
        QTest::newRow("Form1") << ScreenId::Form1 << "trova il costo totale" << cartolina;
        QTest::newRow("Form5") << ScreenId::Form5 << "trova il guadagno" << cartolina;
        QTest::newRow("Form8, trailing space")
            << ScreenId::Form8 << "spesa - guadagno - ricavo" << cartolina;
        QTest::newRow("Form9, spaces inside") << ScreenId::Form9 << "tabelle 1" << cartolina;
        QTest::newRow("Form11") << ScreenId::Form11 << "tabelle 3" << cartolina;
        QTest::newRow("Form12") << ScreenId::Form12 << "guadagno - perdita" << cartolina;
        QTest::newRow("Form13") << ScreenId::Form13 << "usa il denaro" << QString();
    }
    void windowsAndArticlesAreHeard() {
        QFETCH(ScreenId, screen);
        QFETCH(QString, window);
        QFETCH(QString, article);
        TestServices services;
        services.setCatalogue({{"cartolina", 1000, 1500}});
        ui::Screen* opened = openScreen(screen);

        QVERIFY(opened->windowTitle().trimmed().isEmpty());
        QCOMPARE(QAccessible::queryAccessibleInterface(opened)->role(), QAccessible::Window);
        QCOMPARE(heardName(opened), window);
        const QStringList labels = heardLabels(opened);
        QCOMPARE(labels.filter(QStringLiteral("articolo acquistato: ")),
                 article.isEmpty() ? QStringList() : QStringList{article});
        QVERIFY2(!labels.contains(QString()), qPrintable(labels.join(u'|')));
    }
};

QTEST_MAIN(TestAccessibleNames)
#include "test_accessible_names.moc"
