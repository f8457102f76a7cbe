#include "ui/icons.h"

#include <QLabel>
#include <QTest>

class tst_icons : public QObject
{
    Q_OBJECT

private slots:
    void readsResourcePng_data();
    void readsResourcePng();
    void applicationIconHasEverySize();
    void applicationIconIsSharpAtEveryScale_data();
    void applicationIconIsSharpAtEveryScale();
    void deferredIconIsMadeOnFirstUse();
};

namespace {
QImage image(const QIcon &icon, QSize size)
{
    return icon.pixmap(size).toImage();
}
} // namespace

void tst_icons::readsResourcePng_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size"); // invalid: nothing can be read
    for (const int size : applicationIconSizes)
        QTest::addRow("icon %d", size) << QStringLiteral(":/vexmora-%1.png").arg(size) << QSize(size, size);
    QTest::newRow("missing") << ":/no-such-image.png" << QSize();
}

void tst_icons::readsResourcePng()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);
    const QPixmap image = resourcePng(path);
    QCOMPARE(image.isNull(), !size.isValid());
    if (size.isValid())
        QCOMPARE(image.size(), size);
}

void tst_icons::applicationIconHasEverySize()
{
    const QIcon icon = applicationIcon();
    for (const int size : applicationIconSizes)
        QVERIFY2(icon.availableSizes().contains(QSize(size, size)), qPrintable(QString::number(size)));
    // Decoded once: every window shares the same images.
    QCOMPARE(applicationIcon().cacheKey(), icon.cacheKey());
}

void tst_icons::applicationIconIsSharpAtEveryScale_data()
{
    QTest::addColumn<QSize>("size");  // logical pixels
    QTest::addColumn<qreal>("scale"); // the screen's device pixel ratio
    QTest::addColumn<int>("source");  // the image it must be drawn from: never a smaller one
    QTest::newRow("exit screen, 1") << QSize(32, 32) << 1.0 << 32;
    QTest::newRow("exit screen, 1.5") << QSize(32, 32) << 1.5 << 48;
    QTest::newRow("exit screen, 2") << QSize(32, 32) << 2.0 << 64;
    QTest::newRow("exit screen, 3") << QSize(32, 32) << 3.0 << 128;
    QTest::newRow("exit screen, 4") << QSize(32, 32) << 4.0 << 128;
    QTest::newRow("task bar, 1.25") << QSize(48, 48) << 1.25 << 64;
    QTest::newRow("about, 1.25") << QSize(32, 32) << 1.25 << 48;
    QTest::newRow("task switcher, 1") << QSize(128, 128) << 1.0 << 128;
}

void tst_icons::applicationIconIsSharpAtEveryScale()
{
    QFETCH(QSize, size);
    QFETCH(qreal, scale);
    QFETCH(int, source);
    QLabel label;
    showIcon(&label, applicationIcon(), size);
    const QPixmap shown = label.pixmap();
    QCOMPARE(shown.deviceIndependentSize(), QSizeF(size));
    QCOMPARE(shown.devicePixelRatio(), label.devicePixelRatioF());
    // What the label's screen gets is what one of that scale gets, through the deferred icon.
    const QPixmap scaled = applicationIcon().pixmap(size, scale);
    QCOMPARE(scaled.devicePixelRatio(), scale);
    QCOMPARE(scaled.size(), size * scale);
    QImage expected = resourcePng(QStringLiteral(":/vexmora-%1.png").arg(source))
                          .toImage()
                          .scaled(size * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    expected.setDevicePixelRatio(scale);
    QCOMPARE(scaled.toImage().convertToFormat(expected.format()), expected);
}

void tst_icons::deferredIconIsMadeOnFirstUse()
{
    int made = 0;
    const QIcon icon = deferredIcon([&made] {
        ++made;
        return applicationIcon();
    });
    QIcon copy = icon;
    QVERIFY(!icon.isNull());
    QCOMPARE(made, 0);
    QCOMPARE(copy.availableSizes(), applicationIcon().availableSizes());
    QCOMPARE(image(icon, QSize(32, 32)), image(applicationIcon(), QSize(32, 32)));
    QCOMPARE(image(copy, QSize(64, 64)), image(applicationIcon(), QSize(64, 64)));
    QCOMPARE(made, 1);
    // Once made, an icon without images says so.
    const QIcon empty = deferredIcon([] { return QIcon(); });
    QVERIFY(empty.availableSizes().isEmpty());
    QVERIFY(empty.isNull());
}

QTEST_MAIN(tst_icons)
#include "tst_icons.moc"
