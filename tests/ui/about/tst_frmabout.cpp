#include "ui/about/frmabout.h"

#include "support/fakeplatform.h"
#include "support/modal.h"
#include "web/modhelp.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

class tst_frmAbout : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void window();
    void textsFitWithoutOverlap();
    void closedByKey_data();
    void closedByKey();
    void linksOpenTheirPagesAndStayOpen_data();
    void linksOpenTheirPagesAndStayOpen();
    void centredAndBuiltAfreshEachTime();
};

void tst_frmAbout::cleanup()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_frmAbout::window()
{
    FakePlatform fake;
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About Vexmora"));
    QCOMPARE(about.size(), QSize(471, 194));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QVERIFY(!about.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!about.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(about.findChild<QLabel *>("Label2")->text(), QStringLiteral("Vexmora v1.15"));
    QCOMPARE(about.findChild<QLabel *>("lblHomePage")->text(),
             QStringLiteral("Click here to visit ") + modHelp::SiteAddress());
    QCOMPARE(about.findChild<QLabel *>("lblCoBrand")->text(), QStringLiteral("Click here for more details"));
    QCOMPARE(about.findChild<QLabel *>("Label3")->text(),
             QStringLiteral("Home Business Opportunity. Start your own Internet business and make money online. "
                            "Get this software fully branded for your website."));
    // The description's last sentence begins with the site's name.
    QVERIFY(about.findChild<QLabel *>("Label1")->text().contains(". " + modHelp::SiteName() + " "));
    auto *ok = about.findChild<QPushButton *>("cmdOK");
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QCOMPARE(ok->geometry(), QRect(377, 168, 84, 23));
}

void tst_frmAbout::textsFitWithoutOverlap()
{
    FakePlatform fake;
    frmAbout about;
    const int line = 161; // the yellow line parts the texts from the button
    QList<QWidget *> placed{about.findChild<QWidget *>("Picture1")};
    for (const char *name : {"Label2", "Label1", "lblHomePage", "Label3", "lblCoBrand"}) {
        auto *label = about.findChild<QLabel *>(name);
        const QRect box = label->geometry();
        QVERIFY2(QRect(0, 0, about.width(), line).contains(box), name);
        if (label->wordWrap())
            QVERIFY2(label->heightForWidth(box.width()) <= box.height(), name);
        else
            QVERIFY2(label->sizeHint().width() <= box.width(), name);
        for (const QWidget *other : placed)
            QVERIFY2(!other->geometry().intersects(box), qPrintable(other->objectName() + " covers " + name));
        placed.append(label);
    }
    QVERIFY(about.findChild<QPushButton *>("cmdOK")->y() > line + 1);
}

void tst_frmAbout::closedByKey_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void tst_frmAbout::closedByKey()
{
    QFETCH(int, key);
    FakePlatform fake;
    QPointer<frmAbout> about = new frmAbout;
    QString focus;
    whenModal([&](QWidget *modal) {
        focus = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
        QTest::keyClick(modal, Qt::Key(key));
    });
    about->exec();
    QCOMPARE(focus, QStringLiteral("cmdOK"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(about.isNull()); // destroyed, not merely hidden
}

void tst_frmAbout::linksOpenTheirPagesAndStayOpen_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("key");
    QTest::newRow("home page") << "lblHomePage" << "home-page";
    QTest::newRow("full branding") << "lblCoBrand" << "fully-branded";
}

void tst_frmAbout::linksOpenTheirPagesAndStayOpen()
{
    QFETCH(QString, link);
    QFETCH(QString, key);
    FakePlatform fake;
    auto *about = new frmAbout;
    bool stayedModal = false;
    whenModal([&](QWidget *modal) {
        auto *label = modal->findChild<QLabel *>(link);
        QTest::mouseClick(label, Qt::LeftButton);
        QTest::mouseClick(label, Qt::LeftButton);
        // One more page, not two: the window system's own sequence of presses and releases.
        QTest::mouseDClick(modal->windowHandle(), Qt::LeftButton, {}, label->mapTo(modal, label->rect().center()));
        stayedModal = QApplication::activeModalWidget() == modal && modal->isVisible();
        modal->close();
    });
    about->exec();
    QVERIFY(stayedModal);
    QCOMPARE(fake.addresses, QStringList(3, modHelp::WebPageAddress(key)));
    QVERIFY(fake.messages.isEmpty());
}

void tst_frmAbout::centredAndBuiltAfreshEachTime()
{
    FakePlatform fake;
    QList<QPoint> centres;
    QList<QString> texts;
    for (int showing = 0; showing < 2; ++showing) {
        auto *about = new frmAbout;
        whenModal([&](QWidget *modal) {
            centres.append(modal->frameGeometry().center());
            texts.append(modal->findChild<QLabel *>("Label1")->text());
            modal->close();
        });
        about->exec();
    }
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    for (const QPoint &centre : centres)
        QVERIFY((centre - screenCentre).manhattanLength() <= 2);
    QCOMPARE(texts.at(0), texts.at(1));
}

QTEST_MAIN(tst_frmAbout)
#include "tst_frmabout.moc"
