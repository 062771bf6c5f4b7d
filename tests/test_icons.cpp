// The program's drawings must look as they always have: each picture at 32 px,
// in every state a button shows it, compared with reference pixels kept in
// tests/data/icons. Set MERCANZOLA_WRITE_ICON_REFERENCES=1 to rewrite the
// references after a deliberate change to a drawing.
#include "app/AllScreens.h"
#include "shell/FormAvvio.h"
#include "support/TestServices.h"
#include "ui/Icons.h"

#include <QDir>
#include <QImage>
#include <QTest>

namespace {

const QString ReferenceFolder = QStringLiteral(MERCANZOLA_TEST_DATA "/icons");

// The largest difference of one channel between two images of the same size,
// or -1 when the sizes differ.
int largestDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return -1;
    const QImage x = a.convertToFormat(QImage::Format_ARGB32);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int column = 0; column < x.width(); ++column)
            for (int shift : {0, 8, 16, 24})
                largest = qMax(largest, qAbs(int((p[column] >> shift) & 0xFF) -
                                             int((q[column] >> shift) & 0xFF)));
    }
    return largest;
}

} // namespace

class IconsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { setUpToolkit(); }

    void lookAsBefore_data() {
        QTest::addColumn<ui::IconPicture>("picture");
        QTest::addColumn<QString>("name");
        QTest::newRow("laughing face") << ui::IconPicture::LaughingFace << "laughing_face";
        QTest::newRow("sad face") << ui::IconPicture::SadFace << "sad_face";
        QTest::newRow("smiling face") << ui::IconPicture::SmilingFace << "smiling_face";
        QTest::newRow("cartoon head") << ui::IconPicture::CartoonHead << "cartoon_head";
        QTest::newRow("white hand") << ui::IconPicture::WhiteHand << "white_hand";
    }

    void lookAsBefore() {
        QFETCH(ui::IconPicture, picture);
        QFETCH(QString, name);
        const QString reference = QDir(ReferenceFolder).filePath(name + QStringLiteral(".png"));
        const QIcon icon = ui::icon(picture);
        const QImage shown = icon.pixmap(QSize(32, 32), 1.0).toImage();
        if (qEnvironmentVariableIsSet("MERCANZOLA_WRITE_ICON_REFERENCES")) {
            QDir().mkpath(ReferenceFolder);
            QVERIFY(shown.save(reference));
            QSKIP("reference written");
        }
        const QImage expected(reference);
        QVERIFY2(!expected.isNull(), qPrintable(reference));
        // A focused button asks for the active picture, a disabled one for the disabled one:
        // the drawings show the same in all three.
        for (QIcon::Mode mode : {QIcon::Normal, QIcon::Active, QIcon::Disabled}) {
            const QImage image = icon.pixmap(QSize(32, 32), 1.0, mode).toImage();
            // One step of rounding either way is no visible change.
            QVERIFY2(largestDifference(image, expected) >= 0 &&
                         largestDifference(image, expected) <= 1,
                     qPrintable(QStringLiteral("mode %1: difference %2")
                                    .arg(mode)
                                    .arg(largestDifference(image, expected))));
        }
    }

    void drawnAtTheSizeShown() {
        const QIcon icon = ui::icon(ui::IconPicture::LaughingFace);
        for (const QSize size : {QSize(16, 16), QSize(42, 42), QSize(57, 50)}) {
            const QPixmap pixmap = icon.pixmap(size, 1.0);
            // A picture button narrower than tall or wider keeps the drawing square.
            const int side = qMin(size.width(), size.height());
            QCOMPARE(pixmap.size(), QSize(side, side));
        }
        // On a display of double density the drawing gets twice the pixels.
        const QPixmap sharp = icon.pixmap(QSize(32, 32), 2.0);
        QCOMPARE(sharp.size(), QSize(64, 64));
        QCOMPARE(sharp.deviceIndependentSize(), QSizeF(32, 32));
    }

    void startScreenSendsOneWindowIcon() {
        TestServices services;
        FormAvvio start;
        // The window system gets one picture for each size an icon offers.
        QCOMPARE(start.windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
        const QImage expected(QDir(ReferenceFolder).filePath(QStringLiteral("cartoon_head.png")));
        QCOMPARE(
            largestDifference(start.windowIcon().pixmap(QSize(32, 32), 1.0).toImage(), expected),
            0);
        QCOMPARE(start.Command1->iconSize(), QSize(32, 32));
    }
};

QTEST_MAIN(IconsTest)
#include "test_icons.moc"
