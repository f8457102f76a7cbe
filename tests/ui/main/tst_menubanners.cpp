#include "ui/main/frmmain.h"

#include "support/fakeplatform.h"
#include "support/modal.h"
#include "ui/accessibility.h"
#include "ui/links.h"
#include "ui/panelstack.h"
#include "web/modhelp.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

// The menu bar and the banner labels of the main window.
class tst_MenuBanners : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void menuBar();
    void eachControlOpensItsPage_data();
    void eachControlOpensItsPage();
    void onlyTheBannerInFrontTakesTheClick_data();
    void onlyTheBannerInFrontTakesTheClick();
    void bannerTextsFitTheirBoxes_data();
    void bannerTextsFitTheirBoxes();
    void helpDuringATestLeavesTheTestAlone();
    void aboutIsModalFromTheMenu();
    void fileExitClosesTheWindow();

private:
    QAction *action(const char *name) const { return form->findChild<QAction *>(QLatin1String(name)); }
    // Clicks the window where a user would, so that whatever lies on top takes the click.
    void clickAt(QWidget *where)
    {
        const QPoint centre = where->mapTo(form, where->rect().center());
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, centre);
    }

    FakePlatform *fake = nullptr;
    QPointer<frmMain> form;
};

void tst_MenuBanners::init()
{
    installAccessibleInterfaces();
    fake = new FakePlatform;
    form = new frmMain;
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
}

void tst_MenuBanners::cleanup()
{
    QWidgetList windows = QApplication::topLevelWidgets();
    windows.removeIf([](const QWidget *window) { return window->parentWidget() != nullptr; });
    qDeleteAll(windows);
    delete fake;
}

void tst_MenuBanners::menuBar()
{
    QStringList entries;
    for (QAction *entry : form->menuBar()->actions()) {
        QString line = entry->text();
        if (QMenu *menu = entry->menu()) {
            line += ":";
            for (QAction *item : menu->actions())
                line += " " + (item->isSeparator() ? QStringLiteral("|") : item->text());
        }
        entries.append(line);
    }
    QCOMPARE(entries, (QStringList{
                          "&File: E&xit",
                          "&Help: &Online Help &Visit Us Online | &Check for Software Update | &About Software",
                          "&Donate",
                      }));
    for (QAction *item : form->findChildren<QAction *>()) {
        QVERIFY(item->isEnabled());
        QVERIFY(!item->isCheckable());
        QVERIFY(item->shortcut().isEmpty());
    }
}

void tst_MenuBanners::eachControlOpensItsPage_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("screenReader"); // a banner pressed through its accessible action
    QTest::newRow("Help, Online Help") << "mnuOnline" << "help-web-page" << false;
    QTest::newRow("Help, Visit Us Online") << "mnuVisit" << "home-page" << false;
    QTest::newRow("Help, Check for Software Update") << "mnuUpdate" << "download-web-page" << false;
    QTest::newRow("Donate") << "mnuDonate" << "donate" << false;
    QTest::newRow("forum banner") << "Label61" << "home-page" << false;
    QTest::newRow("full-branding banner") << "lblFullBrand" << "fully-branded" << false;
    QTest::newRow("co-branding banner") << "lblCobrand" << "co-brand" << false;
    QTest::newRow("forum banner, screen reader") << "Label61" << "home-page" << true;
    QTest::newRow("full-branding banner, screen reader") << "lblFullBrand" << "fully-branded" << true;
    QTest::newRow("co-branding banner, screen reader") << "lblCobrand" << "co-brand" << true;
}

void tst_MenuBanners::eachControlOpensItsPage()
{
    QFETCH(QString, control);
    QFETCH(QString, key);
    QFETCH(bool, screenReader);
    const auto press = [&] {
        if (QAction *item = action(qPrintable(control))) {
            item->trigger();
        } else {
            auto *label = form->findChild<LinkLabel *>(control);
            label->raise();
            if (!screenReader) {
                clickAt(label);
                return;
            }
            QAccessibleInterface *link = QAccessible::queryAccessibleInterface(label);
            QCOMPARE(link->role(), QAccessible::Link);
            QCOMPARE(link->text(QAccessible::Name), label->text());
            QVERIFY(!link->state().invisible);
            QCOMPARE(link->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
            link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        }
    };
    press();
    QCOMPARE(fake->addresses, QStringList{modHelp::WebPageAddress(key)});
    press();
    QCOMPARE(fake->addresses, QStringList(2, modHelp::WebPageAddress(key)));
    if (auto *label = form->findChild<LinkLabel *>(control)) {
        // One page per double-click, however the window system reports its second press.
        QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {}, label->mapTo(form, label->rect().center()));
        QCOMPARE(fake->addresses, QStringList(3, modHelp::WebPageAddress(key)));
    }
    QVERIFY(fake->messages.isEmpty());
    QVERIFY(form->isVisible());
}

void tst_MenuBanners::onlyTheBannerInFrontTakesTheClick_data()
{
    QTest::addColumn<bool>("coBrandInFront");
    QTest::addColumn<QString>("key");
    QTest::newRow("as loaded") << false << "fully-branded";
    QTest::newRow("co-branding drawn") << true << "co-brand";
}

void tst_MenuBanners::onlyTheBannerInFrontTakesTheClick()
{
    QFETCH(bool, coBrandInFront);
    QFETCH(QString, key);
    auto *fullBrand = form->findChild<LinkLabel *>(QStringLiteral("lblFullBrand"));
    auto *coBrand = form->findChild<LinkLabel *>(QStringLiteral("lblCobrand"));
    if (coBrandInFront)
        form->bringToFront(frmMain::Offer::CoBranding);
    QCOMPARE(coBrand->geometry(), fullBrand->geometry());
    for (const QPoint &corner : {fullBrand->geometry().topLeft() + QPoint(2, 2), fullBrand->geometry().center()}) {
        const QPoint at = fullBrand->parentWidget()->mapTo(form, corner);
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, at);
    }
    QCOMPARE(fake->addresses, QStringList(2, modHelp::WebPageAddress(key)));
    // The covered one is out of a screen reader's way too.
    QVERIFY(QAccessible::queryAccessibleInterface(coBrandInFront ? fullBrand : coBrand)->state().invisible);
    QVERIFY(!QAccessible::queryAccessibleInterface(coBrandInFront ? coBrand : fullBrand)->state().invisible);
}

void tst_MenuBanners::bannerTextsFitTheirBoxes_data()
{
    QTest::addColumn<QString>("banner");
    QTest::addColumn<QString>("text");
    QTest::newRow("forum") << "Label61" << QString();
    QTest::newRow("full branding")
        << "lblFullBrand"
        << "Home Business Opportunity. Start your own Internet business and make money online. Get this "
           "software fully branded for your website. Click here for more details.";
    QTest::newRow("co-branding")
        << "lblCobrand"
        << "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your site's "
           "name &  link here. See \"Help\" for details.    Click Here for more info on co-branding.";
}

void tst_MenuBanners::bannerTextsFitTheirBoxes()
{
    QFETCH(QString, banner);
    QFETCH(QString, text);
    auto *label = form->findChild<LinkLabel *>(banner);
    if (!text.isEmpty())
        QCOMPARE(label->text(), text);
    else
        QVERIFY(label->text().contains(modHelp::SiteAddress()));
    QVERIFY(label->font().underline());
    QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(label->heightForWidth(label->width()) <= label->height());
    QVERIFY(label->parentWidget()->rect().contains(label->geometry()));
}

void tst_MenuBanners::helpDuringATestLeavesTheTestAlone()
{
    form->findChild<QLineEdit *>("txtName")->setText("Ann");
    form->findChild<QLineEdit *>("txtAge")->setText("30");
    form->findChild<QPushButton *>("cmdTest")->click();
    for (int answered = 0; answered < 6; ++answered)
        form->findChild<QPushButton *>("cmdNext")->click();
    form->findChild<QRadioButton *>("optOption2")->click();

    action("mnuOnline")->trigger();

    QCOMPARE(fake->addresses, QStringList{modHelp::WebPageAddress("help-web-page")});
    QCOMPARE(form->findChild<PanelStack *>("panels")->currentWidget()->objectName(),
             QStringLiteral("fraQuestion"));
    QCOMPARE(form->findChild<QLabel *>("lblQuestioNo")->text(), QStringLiteral("Question 7 of 20"));
    QVERIFY(form->findChild<QRadioButton *>("optOption2")->isChecked());
}

void tst_MenuBanners::aboutIsModalFromTheMenu()
{
    QVERIFY(QTest::qWaitForWindowActive(form));
    QString modalName;
    bool ownerless = false;
    bool mainTookClick = true;
    whenModal([&](QWidget *modal) {
        modalName = modal->objectName();
        ownerless = modal->parentWidget() == nullptr && modal->windowModality() == Qt::ApplicationModal;
        // The main window takes no input while the About window is open.
        clickAt(form->findChild<LinkLabel *>(QStringLiteral("lblFullBrand")));
        mainTookClick = !fake->addresses.isEmpty();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    // Alt+H opens the Help menu, A chooses About Software; the call returns once About is closed.
    QTest::keyClick(form, Qt::Key_H, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_A);
    QTRY_COMPARE(modalName, QStringLiteral("frmAbout"));
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QVERIFY(ownerless);
    QVERIFY(!mainTookClick);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!form->findChild<QWidget *>("frmAbout"));
    QVERIFY(fake->addresses.isEmpty());
}

void tst_MenuBanners::fileExitClosesTheWindow()
{
    form->findChild<QLineEdit *>("txtName")->setText("Ann");
    form->findChild<QLineEdit *>("txtAge")->setText("30");
    form->findChild<QPushButton *>("cmdTest")->click(); // mid-test: no question asked
    action("mnuExit")->trigger();
    QVERIFY(fake->messages.isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form.isNull());
}

QTEST_MAIN(tst_MenuBanners)
#include "tst_menubanners.moc"
