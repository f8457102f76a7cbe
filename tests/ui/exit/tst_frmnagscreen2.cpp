#include "ui/exit/frmnagscreen2.h"

#include "support/fakeplatform.h"
#include "ui/exit/prompttextbox.h"
#include "web/modhelp.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

namespace {
const QString MessageOpening = QStringLiteral("Your Message\r\n");

QIcon redIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::red);
    return QIcon(pixmap);
}
} // namespace

class tst_frmNagScreen2 : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void window();
    void textsAreWhole();
    void supportTextDrawnOnOpening_data();
    void supportTextDrawnOnOpening();
    void fourSupportTextsNameTheSite();
    void messageBoxOutOfSightAndTabOrder();
    void keyOnOpeningPressesExit_data();
    void keyOnOpeningPressesExit();
    void closeBoxEndsProcess();
    void enterAndEscapeInABoxPressNothing();
    void tickBoxWorksAsLink();
    void goToHomeLink();
    void promptRules_data();
    void promptRules();
    void switchingWindowsKeepsEmptiedBox();
    void emailKeys_data();
    void emailKeys();
    void pastedSpaceStays();
    void submitChecks_data();
    void submitChecks();
    void emptiedBoxGetsPromptBackBeforeSend();
    void submitLeavesScreenAsItWas();

private:
    template<typename T>
    T *control(const char *name) const
    {
        T *found = form->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QString focus() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    QString text(const QString &box) const;
    void setText(const QString &box, const QString &text);
    void open(float random = 0.0f);

    FakePlatform *fake = nullptr;
    QPointer<frmNagScreen2> form;
};

QString tst_frmNagScreen2::text(const QString &box) const
{
    if (auto *message = form->findChild<PromptTextEdit *>(box))
        return message->text();
    return form->findChild<QLineEdit *>(box)->text();
}

void tst_frmNagScreen2::setText(const QString &box, const QString &text)
{
    if (auto *message = form->findChild<PromptTextEdit *>(box))
        message->setText(text);
    else
        form->findChild<QLineEdit *>(box)->setText(text);
}

void tst_frmNagScreen2::open(float random)
{
    delete form;
    fake->randoms = {random};
    form = new frmNagScreen2(redIcon());
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
}

void tst_frmNagScreen2::init()
{
    fake = new FakePlatform;
    open();
}

void tst_frmNagScreen2::cleanup()
{
    QWidgetList windows = QApplication::topLevelWidgets();
    windows.removeIf([](const QWidget *window) { return window->parentWidget() != nullptr; });
    qDeleteAll(windows);
    delete fake;
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_frmNagScreen2::window()
{
    QCOMPARE(form->windowTitle(), QStringLiteral("Vexmora"));
    QCOMPARE(control<QLabel>("lblNagScreen2Caption")->text(), QStringLiteral("Vexmora v1.15"));
    QCOMPARE(form->size(), QSize(741, 315));
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QVERIFY(!form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(form->testAttribute(Qt::WA_ShowWithoutActivating));
    QVERIFY(!form->parentWidget());

    QCOMPARE(form->windowIcon().pixmap(32).toImage().pixelColor(16, 16), QColor(Qt::red));
    QCOMPARE(control<QLabel>("picNagscreen2Icon")->pixmap().toImage().pixelColor(16, 16), QColor(Qt::red));

    QCOMPARE(form->palette().color(QPalette::Window), QColor(Qt::white));
    for (const char *frame : {"Frame2", "Frame6"}) {
        QCOMPARE(control<QGroupBox>(frame)->palette().color(QPalette::Window), QColor(0, 0, 128));
        QCOMPARE(control<QGroupBox>(frame)->palette().color(QPalette::WindowText), QColor(Qt::white));
    }
    QCOMPARE(control<QGroupBox>("Frame2")->title(), QStringLiteral("Refer A Friend"));
    QCOMPARE(control<QGroupBox>("Frame6")->title(), QStringLiteral("Download Quillmoor Softwares"));
    QCOMPARE(control<QGroupBox>("Frame2")->geometry(), QRect(8, 216, 471, 97));
    QCOMPARE(control<QPushButton>("cmdClose")->geometry(), QRect(400, 184, 83, 25));
    QCOMPARE(control<QPushButton>("cmdClose")->text(), QStringLiteral("E&xit"));
    QCOMPARE(control<QPushButton>("cmdSubmit")->text(), QStringLiteral("Refer A Friend &Now"));

    auto *lblGoToHome = control<QLabel>("lblGoToHome");
    QCOMPARE(lblGoToHome->text(), QStringLiteral("Click Here To Visit Quillmoor Softwares"));
    QCOMPARE(lblGoToHome->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    QVERIFY(lblGoToHome->font().underline());
    QCOMPARE(lblGoToHome->cursor().shape(), Qt::PointingHandCursor);
    auto *Check1 = control<QCheckBox>("Check1");
    QCOMPARE(Check1->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    QVERIFY(Check1->font().underline());
    QCOMPARE(Check1->cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(Check1->text().contains(modHelp::SiteName()));
    QVERIFY(!Check1->isChecked());
    QCOMPARE(control<QLabel>("Label3")->palette().color(QPalette::WindowText), QColor(Qt::white));
}

// Every text is shown whole, inside its container and clear of its neighbours.
void tst_frmNagScreen2::textsAreWhole()
{
    for (auto *label : form->findChildren<QLabel *>()) {
        if (label->text().isEmpty())
            continue;
        const int needed = label->wordWrap() ? label->heightForWidth(label->width()) : label->sizeHint().height();
        QVERIFY2(label->height() >= needed, qPrintable(label->objectName()));
        if (!label->wordWrap())
            QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
        QVERIFY2(label->parentWidget()->rect().contains(label->geometry()), qPrintable(label->objectName()));
    }
    for (auto *button : form->findChildren<QAbstractButton *>()) {
        QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->objectName()));
        QVERIFY2(form->rect().contains(button->mapTo(form, button->rect().bottomRight())),
                 qPrintable(button->objectName()));
    }
    QVERIFY(!control<QLabel>("Label3")->geometry().intersects(control<QLabel>("lblGoToHome")->geometry()));
    const QRect check = control<QCheckBox>("Check1")->geometry();
    for (const char *name : {"Label2", "lblNagScreen2Caption"})
        QVERIFY2(!check.intersects(control<QLabel>(name)->geometry()), name);
    QVERIFY(!check.intersects(control<QPushButton>("cmdClose")->geometry()));
    QVERIFY(!check.intersects(control<QGroupBox>("Frame6")->geometry()));
}

void tst_frmNagScreen2::supportTextDrawnOnOpening_data()
{
    QTest::addColumn<float>("random");
    QTest::addColumn<int>("number");
    QTest::newRow("0") << 0.0f << 0;
    QTest::newRow("just below a quarter") << 0.2499f << 0;
    QTest::newRow("a quarter") << 0.25f << 1;
    QTest::newRow("a half") << 0.5f << 2;
    QTest::newRow("three quarters") << 0.75f << 3;
    QTest::newRow("largest below 1") << 0.99999994f << 3;
}

void tst_frmNagScreen2::supportTextDrawnOnOpening()
{
    QFETCH(float, random);
    QFETCH(int, number);
    fake->calls.clear();
    open(random);
    QCOMPARE(fake->calls, QStringList({"seed", "random"}));
    auto *Label2 = control<QLabel>("Label2");
    QCOMPARE(Label2->text(), frmNagScreen2::SupportText(number));
    QVERIFY(Label2->height() >= Label2->heightForWidth(Label2->width()));
}

void tst_frmNagScreen2::fourSupportTextsNameTheSite()
{
    QStringList texts;
    for (int number = 0; number < 4; ++number) {
        texts.append(frmNagScreen2::SupportText(number));
        QVERIFY(texts.last().contains(modHelp::SiteName()));
    }
    texts.removeDuplicates();
    QCOMPARE(texts.size(), 4);
}

void tst_frmNagScreen2::messageBoxOutOfSightAndTabOrder()
{
    auto *txtMessage = control<QWidget>("txtMessage");
    QVERIFY(txtMessage->visibleRegion().isEmpty());
    QCOMPARE(text("txtMessage"), MessageOpening);

    QCOMPARE(focus(), QStringLiteral("cmdClose"));
    QStringList order;
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order.append(focus());
    }
    QCOMPARE(order, QStringList({"Check1", "txtName", "cmdSubmit", "txtEmail", "txtFriendEmail", "txtFriendName",
                                 "cmdClose"}));
    QCOMPARE(text("txtMessage"), MessageOpening);
}

void tst_frmNagScreen2::keyOnOpeningPressesExit_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::newRow("enter") << int(Qt::Key_Return) << Qt::KeyboardModifiers();
    QTest::newRow("space") << int(Qt::Key_Space) << Qt::KeyboardModifiers();
    QTest::newRow("alt+x") << int(Qt::Key_X) << Qt::KeyboardModifiers(Qt::AltModifier);
}

void tst_frmNagScreen2::keyOnOpeningPressesExit()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    QTRY_COMPARE(fake->endCount, 1);
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    QCOMPARE(fake->endCount, 1);
    QVERIFY(fake->messages.isEmpty());
}

void tst_frmNagScreen2::closeBoxEndsProcess()
{
    QVERIFY(form->close());
    QCOMPARE(fake->endCount, 1);
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    QVERIFY(fake->messages.isEmpty());
}

// No button is the window's default or cancel button.
void tst_frmNagScreen2::enterAndEscapeInABoxPressNothing()
{
    auto *txtEmail = control<QLineEdit>("txtEmail");
    QTest::mouseClick(txtEmail, Qt::LeftButton);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(txtEmail, key);
    QVERIFY(!control<QPushButton>("cmdClose")->isDown());
    QVERIFY(!control<QPushButton>("cmdSubmit")->isDown());
    QVERIFY(fake->messages.isEmpty());
    QCOMPARE(fake->endCount, 0);
    QVERIFY(form->isVisible());
}

void tst_frmNagScreen2::tickBoxWorksAsLink()
{
    auto *Check1 = control<QCheckBox>("Check1");
    const QString home = modHelp::WebPageAddress(QStringLiteral("home-page"));
    QTest::mouseClick(Check1, Qt::LeftButton, {}, QPoint(10, Check1->height() / 2));
    QCOMPARE(fake->addresses, QStringList{home});
    QVERIFY(!Check1->isChecked());
    Check1->setFocus();
    QTest::keyClick(Check1, Qt::Key_Space);
    QCOMPARE(fake->addresses, QStringList({home, home}));
    QVERIFY(!Check1->isChecked());
    QVERIFY(form->isVisible());
    QCOMPARE(fake->endCount, 0);
}

void tst_frmNagScreen2::goToHomeLink()
{
    auto *lblGoToHome = control<QLabel>("lblGoToHome");
    QTest::mouseClick(lblGoToHome, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(lblGoToHome, Qt::RightButton, {}, QPoint(5, 5));
    QCOMPARE(fake->addresses, QStringList{modHelp::WebPageAddress(QStringLiteral("quillmoorsoftwares"))});
    QVERIFY(form->isVisible());
    QVERIFY(fake->messages.isEmpty());
}

void tst_frmNagScreen2::promptRules_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("gainsFocus"); // else it loses it
    QTest::addColumn<QString>("after");
    QTest::newRow("prompt cleared") << "txtName" << "Your Name" << true << "";
    QTest::newRow("prompt with spaces cleared") << "txtName" << "  Your Name " << true << "";
    QTest::newRow("other case stays") << "txtName" << "your name" << true << "your name";
    QTest::newRow("another box's prompt stays") << "txtName" << "Friend's Name" << true << "Friend's Name";
    QTest::newRow("typed text keeps its spaces") << "txtName" << " Ann " << true << " Ann ";
    QTest::newRow("tab is not a space") << "txtName" << "\tYour Name" << true << "\tYour Name";
    QTest::newRow("emptied gets prompt") << "txtName" << "" << false << "Your Name";
    QTest::newRow("spaces only get prompt") << "txtName" << "   " << false << "Your Name";
    QTest::newRow("text left as typed") << "txtName" << " Ann " << false << " Ann ";
    QTest::newRow("tab only stays") << "txtName" << "\t" << false << "\t";
    QTest::newRow("email prompt cleared") << "txtEmail" << "Your Email Address" << true << "";
    QTest::newRow("email emptied") << "txtEmail" << "" << false << "Your Email Address";
    QTest::newRow("friend's name prompt cleared") << "txtFriendName" << "Friend's Name" << true << "";
    QTest::newRow("friend's name emptied") << "txtFriendName" << " " << false << "Friend's Name";
    QTest::newRow("friend's email prompt cleared") << "txtFriendEmail" << "Friend's Email Address" << true << "";
    QTest::newRow("friend's email emptied") << "txtFriendEmail" << "" << false << "Friend's Email Address";
    QTest::newRow("message opening kept on focus") << "txtMessage" << MessageOpening << true << MessageOpening;
    QTest::newRow("message opening kept on leaving") << "txtMessage" << MessageOpening << false << MessageOpening;
    QTest::newRow("message prompt cleared") << "txtMessage" << "Your Message" << true << "";
    QTest::newRow("message emptied gets prompt alone") << "txtMessage" << "" << false << "Your Message";
    QTest::newRow("message lines kept") << "txtMessage" << "Hi\r\nthere" << false << "Hi\r\nthere";
}

void tst_frmNagScreen2::promptRules()
{
    QFETCH(QString, box);
    QFETCH(QString, before);
    QFETCH(bool, gainsFocus);
    QFETCH(QString, after);
    QWidget *target = form->findChild<QWidget *>(box);
    if (!gainsFocus)
        target->setFocus(Qt::TabFocusReason);
    setText(box, before);
    if (gainsFocus) {
        QCOMPARE(focus(), QStringLiteral("cmdClose"));
        target->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), target);
    } else {
        control<QWidget>("cmdClose")->setFocus(Qt::MouseFocusReason);
    }
    QCOMPARE(text(box), after);
}

// Switching to another program, or a message box coming up, moves no focus inside the window.
void tst_frmNagScreen2::switchingWindowsKeepsEmptiedBox()
{
    auto *txtName = control<QLineEdit>("txtName");
    QTest::mouseClick(txtName, Qt::LeftButton);
    QCOMPARE(txtName->text(), QString());
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QCOMPARE(txtName->text(), QString());
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    QCOMPARE(focus(), QStringLiteral("txtName"));
    QCOMPARE(txtName->text(), QString());
}

void tst_frmNagScreen2::emailKeys_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("result"); // the box held "ab" with the cursor between a and b
    const Qt::KeyboardModifiers none;
    QTest::newRow("space in own email") << "txtEmail" << int(Qt::Key_Space) << none << " " << true << "ab";
    QTest::newRow("space in friend's email") << "txtFriendEmail" << int(Qt::Key_Space) << none << " " << true
                                             << "ab";
    QTest::newRow("letter") << "txtEmail" << int(Qt::Key_X) << none << "x" << false << "axb";
    QTest::newRow("at sign") << "txtFriendEmail" << int(Qt::Key_At) << none << "@" << false << "a@b";
    QTest::newRow("backspace") << "txtEmail" << int(Qt::Key_Backspace) << none << "\b" << false << "b";
    QTest::newRow("alt+letter types nothing") << "txtEmail" << int(Qt::Key_Q)
                                              << Qt::KeyboardModifiers(Qt::AltModifier) << "q" << false << "ab";
    QTest::newRow("space in name") << "txtName" << int(Qt::Key_Space) << none << " " << false << "a b";
    QTest::newRow("space in friend's name") << "txtFriendName" << int(Qt::Key_Space) << none << " " << false
                                            << "a b";
}

void tst_frmNagScreen2::emailKeys()
{
    QFETCH(QString, box);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    QFETCH(QString, result);
    auto *target = form->findChild<QLineEdit *>(box);
    target->setFocus();
    target->setText(QStringLiteral("ab"));
    target->setCursorPosition(1);
    // The user's click on OK leaves the focus anywhere; the handler puts it back.
    fake->whileMessageOpen = [this](const FakePlatform::Message &) { control<QWidget>("cmdClose")->setFocus(); };

    QTest::sendKeyEvent(QTest::Press, target, Qt::Key(key), typed, modifiers);
    QTest::sendKeyEvent(QTest::Release, target, Qt::Key(key), typed, modifiers);

    QCOMPARE(target->text(), result);
    if (refused) {
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].text, QStringLiteral("Email Address Cannot Contain Space"));
        QCOMPARE(fake->messages[0].icon, QMessageBox::Critical);
        QCOMPARE(fake->messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(focus(), box);
    } else {
        QVERIFY(fake->messages.isEmpty());
    }
}

void tst_frmNagScreen2::pastedSpaceStays()
{
    QApplication::clipboard()->setText(QStringLiteral("a b@c.d"));
    auto *txtEmail = control<QLineEdit>("txtEmail");
    QTest::mouseClick(txtEmail, Qt::LeftButton);
    QTest::keyClick(txtEmail, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(txtEmail->text(), QStringLiteral("a b@c.d"));
    QVERIFY(fake->messages.isEmpty());
}

void tst_frmNagScreen2::submitChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("friendName");
    QTest::addColumn<QString>("friendEmail");
    QTest::addColumn<QString>("refusal"); // empty: the request goes out
    const QString proper = QStringLiteral("Please Enter Proper Email Address");
    const QString distinct = QStringLiteral("Please Enter Distinct Email Addresses");
    QTest::newRow("as the screen opened") << "Your Name" << "Your Email Address" << "Friend's Name"
                                          << "Friend's Email Address" << proper;
    QTest::newRow("all filled in") << "Ann" << "a@x.org" << "Bea" << "b@y.org" << "";
    QTest::newRow("equal improper addresses") << "Ann" << "ab" << "Bea" << "ab" << distinct;
    QTest::newRow("equal addresses") << "Ann" << "a@x.org" << "Bea" << "a@x.org" << distinct;
    QTest::newRow("equal once trimmed") << "Ann" << " a@x.org" << "Bea" << "a@x.org  " << distinct;
    QTest::newRow("distinct by case only") << "Ann" << "A@x.org" << "Bea" << "a@x.org" << "";
    QTest::newRow("own without at sign") << "Ann" << "ax.org" << "Bea" << "b@y.org" << proper;
    QTest::newRow("friend's without at sign") << "Ann" << "a@x.org" << "Bea" << "by.org" << proper;
    QTest::newRow("own without dot") << "Ann" << "a@xorg" << "Bea" << "b@y.org" << proper;
    QTest::newRow("friend's without dot") << "Ann" << "a@x.org" << "Bea" << "b@yorg" << proper;
    QTest::newRow("dot before at sign") << "Ann" << "a.x@org" << "Bea" << "b@y.org" << "";
    QTest::newRow("only at sign and dot") << "Ann" << "@." << "Bea" << "b@y.org" << "";
    QTest::newRow("addresses before name") << "Your Name" << "a@xorg" << "Friend's Name" << "b@y.org" << proper;
    QTest::newRow("name prompt") << " Your Name " << "a@x.org" << "Bea" << "b@y.org" << "Please Enter Your Name";
    QTest::newRow("name of other case") << "your name" << "a@x.org" << "Bea" << "b@y.org" << "";
    QTest::newRow("friend's name prompt") << "Ann" << "a@x.org" << "Friend's Name" << "b@y.org"
                                          << "Please Enter Your Friend's Name";
    QTest::newRow("space inside an address") << "Ann" << "a b@x.org" << "Bea" << "b@y.org" << "";
}

void tst_frmNagScreen2::submitChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, email);
    QFETCH(QString, friendName);
    QFETCH(QString, friendEmail);
    QFETCH(QString, refusal);
    setText("txtName", name);
    setText("txtEmail", email);
    setText("txtFriendName", friendName);
    setText("txtFriendEmail", friendEmail);

    QTest::mouseClick(control<QPushButton>("cmdSubmit"), Qt::LeftButton);

    if (refusal.isEmpty()) {
        QVERIFY(fake->messages.isEmpty());
        QCOMPARE(fake->addresses.size(), 1);
        const QUrlQuery query{QUrl(fake->addresses[0])};
        const QStringList sent{name, email, MessageOpening, friendName, friendEmail};
        for (int i = 0; i < sent.size(); ++i)
            QCOMPARE(query.queryItemValue(QStringLiteral("taf%1").arg(i + 1), QUrl::FullyDecoded), sent[i]);
    } else {
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].text, refusal);
        QCOMPARE(fake->messages[0].icon, QMessageBox::Critical);
        QCOMPARE(fake->messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(fake->addresses.isEmpty());
    }
    QCOMPARE(focus(), QStringLiteral("cmdSubmit"));
    QVERIFY(form->isVisible());
}

// The click moves the focus to the button first, so an emptied box holds its prompt again.
void tst_frmNagScreen2::emptiedBoxGetsPromptBackBeforeSend()
{
    setText("txtEmail", QStringLiteral("a@x.org"));
    setText("txtFriendEmail", QStringLiteral("b@y.org"));
    setText("txtFriendName", QStringLiteral("Bea"));
    auto *txtName = control<QLineEdit>("txtName");
    QTest::mouseClick(txtName, Qt::LeftButton);
    QTest::keyClicks(txtName, QStringLiteral("Ann"));
    txtName->selectAll();
    QTest::keyClick(txtName, Qt::Key_Delete);
    QTest::mouseClick(control<QPushButton>("cmdSubmit"), Qt::LeftButton);
    QCOMPARE(txtName->text(), QStringLiteral("Your Name"));
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].text, QStringLiteral("Please Enter Your Name"));
}

void tst_frmNagScreen2::submitLeavesScreenAsItWas()
{
    const QStringList boxes{"txtName", "txtEmail", "txtFriendName", "txtFriendEmail", "txtMessage"};
    const QStringList typed{" Zo\u00eb & Co ", "z@x.org", "Bea", "b@y.org", MessageOpening};
    for (int i = 0; i < boxes.size(); ++i)
        setText(boxes[i], typed[i]);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(fake->addresses.size(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(fake->addresses.size(), 2);
    QCOMPARE(fake->addresses[1], fake->addresses[0]);
    QCOMPARE(QUrlQuery(QUrl(fake->addresses[0])).queryItemValue("taf1", QUrl::FullyDecoded),
             QStringLiteral("Zo\u00eb & Co"));
    for (int i = 0; i < boxes.size(); ++i)
        QCOMPARE(text(boxes[i]), typed[i]);
    QVERIFY(form->isVisible());
    QVERIFY(fake->messages.isEmpty());
    QCOMPARE(fake->endCount, 0);
}

QTEST_MAIN(tst_frmNagScreen2)
#include "tst_frmnagscreen2.moc"
