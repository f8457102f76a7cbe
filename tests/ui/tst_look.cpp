#include "ui/look.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

class tst_look : public QObject
{
    Q_OBJECT

private slots:
    void verdanaDrawsVerdanaOrDejaVuSans_data();
    void verdanaDrawsVerdanaOrDejaVuSans();
    void readsResourcePng_data();
    void readsResourcePng();
    void applicationIconHasBothSizes();
};

void tst_look::verdanaDrawsVerdanaOrDejaVuSans_data()
{
    QTest::addColumn<qreal>("pointSize");
    QTest::addColumn<bool>("bold");
    QTest::newRow("window") << 8.25 << false;
    QTest::newRow("labels") << 8.25 << true;
    QTest::newRow("panels") << 9.0 << true;
    QTest::newRow("list") << 9.0 << false;
}

void tst_look::verdanaDrawsVerdanaOrDejaVuSans()
{
    QFETCH(qreal, pointSize);
    QFETCH(bool, bold);
    // The font actually drawn, not the one asked for: never whatever fontconfig substitutes.
    const QFontInfo drawn(verdana(pointSize, bold));
    const QString expected = QFontDatabase::hasFamily(QStringLiteral("Verdana")) ? QStringLiteral("Verdana")
                                                                                  : QStringLiteral("DejaVu Sans");
    QCOMPARE(drawn.family(), expected);
    QCOMPARE(drawn.bold(), bold);
    QCOMPARE(drawn.pointSizeF(), pointSize);
}

void tst_look::readsResourcePng_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size"); // invalid: nothing can be read
    QTest::newRow("small icon") << ":/vexmora-32.png" << QSize(32, 32);
    QTest::newRow("large icon") << ":/vexmora-64.png" << QSize(64, 64);
    QTest::newRow("missing") << ":/no-such-image.png" << QSize();
}

void tst_look::readsResourcePng()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QPixmap image = resourcePng(path);
    QCOMPARE(image.isNull(), !size.isValid());
    if (size.isValid())
        QCOMPARE(image.size(), size);
}

void tst_look::applicationIconHasBothSizes()
{
    const QIcon icon = applicationIcon();
    QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
    QVERIFY(icon.availableSizes().contains(QSize(64, 64)));
    // Decoded once: every window shares the same images.
    QCOMPARE(applicationIcon().cacheKey(), icon.cacheKey());
}

QTEST_MAIN(tst_look)
#include "tst_look.moc"
