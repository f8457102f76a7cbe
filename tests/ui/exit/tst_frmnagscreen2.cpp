#include "ui/exit/frmnagscreen2.h"

#include "support/fakeplatform.h"
#include "ui/accessibility.h"
#include "ui/exit/prompttextbox.h"
#include "web/modhelp.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

namespace {
const QString MessageOpening = QStringLiteral("Your Message\r\n");
const QString Proper = QStringLiteral("Please Enter Proper Email Address");
const QString Distinct = QStringLiteral("Please Enter Distinct Email Addresses");
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
    void messageBoxOutOfSightAndOutOfTabOrder();
    void keyOnOpeningPressesExit_data();
    void keyOnOpeningPressesExit();
    void links();
    void promptRules_data();
    void promptRules();
    void switchingWindowsKeepsEmptiedBox();
    void emailKeys_data();
    void emailKeys();
    void submitChecks_data();
    void submitChecks();
    void emptiedBoxGetsPromptBackBeforeSend_data();
    void emptiedBoxGetsPromptBackBeforeSend();
    void keysBeforeTheScreenIsActive_data();
    void keysBeforeTheScreenIsActive();
    void submitTrimsAndLeavesScreenAsItWas();

private:
    QWidget *control(const QString &name) const { return form->findChild<QWidget *>(name); }
    QString focus() const { return QApplication::focusWidget()->objectName(); }
    QString text(const QString &box) const;
    void setText(const QString &box, const QString &text);
    void open(float random);

    FakePlatform *fake = nullptr;
    QPointer<frmNagScreen2> form;
    QIcon icon;
};

QString tst_frmNagScreen2::text(const QString &box) const
{
    if (auto *lines = qobject_cast<PromptTextEdit *>(control(box)))
        return lines->text();
    return qobject_cast<QLineEdit *>(control(box))->text();
}

void tst_frmNagScreen2::setText(const QString &box, const QString &text)
{
    if (auto *lines = qobject_cast<PromptTextEdit *>(control(box)))
        lines->setText(text);
    else
        qobject_cast<QLineEdit *>(control(box))->setText(text);
}

void tst_frmNagScreen2::open(float random)
{
    delete form;
    fake->randoms = {random};
    form = new frmNagScreen2(icon);
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
}

void tst_frmNagScreen2::init()
{
    QPixmap red(32, 32);
    red.fill(Qt::red);
    icon = QIcon(red);
    installAccessibleInterfaces();
    fake = new FakePlatform;
    open(0.0f);
}

void tst_frmNagScreen2::cleanup()
{
    delete form;
    delete fake;
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_frmNagScreen2::window()
{
    QCOMPARE(form->windowTitle(), QStringLiteral("Vexmora"));
    QCOMPARE(qobject_cast<QLabel *>(control("lblNagScreen2Caption"))->text(), QStringLiteral("Vexmora v1.15"));
    QCOMPARE(form->minimumSize(), QSize(741, 315));
    QCOMPARE(form->maximumSize(), QSize(741, 315));
    QVERIFY(!form->windowFlags().testAnyFlags(Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const QPixmap picture = qobject_cast<QLabel *>(control("picNagscreen2Icon"))->pixmap();
    QCOMPARE(picture.toImage().pixelColor(8, 8), QColor(Qt::red));
    // Drawn for the screen's scale: 32 pixels wide at 1, 96 at 3.
    QCOMPARE(picture.deviceIndependentSize(), QSizeF(32, 32));
    QCOMPARE(picture.devicePixelRatio(), form->devicePixelRatioF());
    for (const char *link : {"lblGoToHome", "Check1"}) {
        QVERIFY(control(link)->font().underline());
        QCOMPARE(control(link)->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(QAccessible::queryAccessibleInterface(control(link))->role(), QAccessible::Link);
    }
    QCOMPARE(QAccessible::queryAccessibleInterface(form)->role(), QAccessible::Window);
    // A screen reader names each box by its prompt, whatever it holds.
    const QStringList boxes{"txtName", "txtEmail", "txtFriendName", "txtFriendEmail"};
    const QStringList prompts{"Your Name", "Your Email Address", "Friend's Name", "Friend's Email Address"};
    for (int i = 0; i < boxes.size(); ++i) {
        setText(boxes[i], QStringLiteral("Ann"));
        QCOMPARE(QAccessible::queryAccessibleInterface(control(boxes[i]))->text(QAccessible::Name), prompts[i]);
    }
}

// Every text is whole, inside its container, and no control covers another.
void tst_frmNagScreen2::textsAreWhole()
{
    // What is typed or pasted into a box stays whole, past Qt's default of 32767 characters and
    // with a character of two UTF-16 units across that limit.
    const QString pasted = QString(32766, QLatin1Char('a')) + QString::fromUcs4(U"\U0001F600") + QString(40000, QLatin1Char('b'));
    QApplication::clipboard()->setText(pasted);
    for (auto *box : form->findChildren<PromptTextBox *>()) {
        box->setFocus();
        QTRY_VERIFY(box->text().isEmpty()); // the prompt goes once the focus has been reported
        box->paste();
        QCOMPARE(box->text(), pasted);
    }

    for (auto *label : form->findChildren<QLabel *>()) {
        if (qobject_cast<SpokenNotice *>(label))
            continue; // no size: only a screen reader meets it
        const QSize needed = label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->sizeHint();
        QVERIFY2(label->height() >= needed.height() && label->width() >= needed.width(),
                 qPrintable(label->objectName()));
        QVERIFY2(label->parentWidget()->rect().contains(label->geometry()), qPrintable(label->objectName()));
    }
    for (auto *button : form->findChildren<QAbstractButton *>())
        QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->objectName()));
    const QStringList siblings{"lblNagScreen2Caption", "Label2", "Check1", "cmdClose", "Frame2", "Frame6"};
    for (int i = 0; i < siblings.size(); ++i)
        for (int j = i + 1; j < siblings.size(); ++j)
            QVERIFY2(!control(siblings[i])->geometry().intersects(control(siblings[j])->geometry()),
                     qPrintable(siblings[i] + " " + siblings[j]));
    QVERIFY(!control("Label3")->geometry().intersects(control("lblGoToHome")->geometry()));
}

void tst_frmNagScreen2::supportTextDrawnOnOpening_data()
{
    QTest::addColumn<float>("random");
    QTest::addColumn<int>("number");
    QTest::newRow("0") << 0.0f << 0;
    QTest::newRow("just below a quarter") << 0.2499f << 0;
    QTest::newRow("a quarter") << 0.25f << 1;
    QTest::newRow("a half") << 0.5f << 2;
    QTest::newRow("largest below 1") << 0.99999994f << 3;
}

void tst_frmNagScreen2::supportTextDrawnOnOpening()
{
    QFETCH(float, random);
    QFETCH(int, number);
    fake->calls.clear();
    open(random);
    QCOMPARE(fake->calls, QStringList({"seed", "random"}));
    auto *Label2 = qobject_cast<QLabel *>(control("Label2"));
    QCOMPARE(Label2->text(), frmNagScreen2::SupportText(number));
    QVERIFY(Label2->text().contains(modHelp::SiteName()));
    QVERIFY(Label2->height() >= Label2->heightForWidth(Label2->width()));
    // What a screen reader is told as the screen opens.
    QTRY_COMPARE(QAccessible::queryAccessibleInterface(form->findChild<SpokenNotice *>())->text(QAccessible::Name),
                 Label2->text());
}

void tst_frmNagScreen2::messageBoxOutOfSightAndOutOfTabOrder()
{
    QVERIFY(control("txtMessage")->visibleRegion().isEmpty());
    QVERIFY(QAccessible::queryAccessibleInterface(control("txtMessage"))->state().invisible);
    QCOMPARE(text("txtMessage"), MessageOpening);
    QCOMPARE(focus(), QStringLiteral("cmdClose"));
    QStringList order;
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order.append(focus());
    }
    QCOMPARE(order, QStringList({"Check1", "txtName", "cmdSubmit", "txtEmail", "txtFriendEmail", "txtFriendName",
                                 "cmdClose"}));
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
    QSignalSpy unloading(form, &frmNagScreen2::unloading); // the start-up object ends the process
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    QCOMPARE(unloading.count(), 1);
}

// The tick box works as a button: each click opens the page, and it is never left ticked.
void tst_frmNagScreen2::links()
{
    auto *Check1 = qobject_cast<QCheckBox *>(control("Check1"));
    QTest::mouseClick(Check1, Qt::LeftButton, {}, QPoint(10, Check1->height() / 2));
    QVERIFY(!Check1->isChecked());
    QTest::keyClick(Check1, Qt::Key_Space);
    QVERIFY(!Check1->isChecked());
    QTest::mouseClick(control("lblGoToHome"), Qt::LeftButton, {}, QPoint(5, 5));
    // A double-click opens its page once: the window system's own sequence of presses and releases.
    QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {}, Check1->mapTo(form, QPoint(10, Check1->height() / 2)));
    QVERIFY(!Check1->isChecked());
    QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {}, control("lblGoToHome")->mapTo(form, QPoint(5, 5)));
    // A screen reader's press goes the same way.
    for (const char *link : {"Check1", "lblGoToHome"})
        QAccessible::queryAccessibleInterface(control(link))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(!Check1->isChecked());
    const QString home = modHelp::WebPageAddress(QStringLiteral("home-page"));
    const QString others = modHelp::WebPageAddress(QStringLiteral("quillmoorsoftwares"));
    QCOMPARE(fake->addresses, QStringList({home, home, others, home, others, home, others}));
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
    QTest::newRow("tab is not a space") << "txtName" << "\tYour Name" << true << "\tYour Name";
    QTest::newRow("emptied gets prompt") << "txtName" << "" << false << "Your Name";
    QTest::newRow("spaces only get prompt") << "txtName" << "   " << false << "Your Name";
    QTest::newRow("text left as typed") << "txtName" << " Ann " << false << " Ann ";
    QTest::newRow("own email") << "txtEmail" << "Your Email Address" << true << "";
    QTest::newRow("own email emptied") << "txtEmail" << "" << false << "Your Email Address";
    QTest::newRow("friend's name") << "txtFriendName" << "Friend's Name" << true << "";
    QTest::newRow("friend's name emptied") << "txtFriendName" << " " << false << "Friend's Name";
    QTest::newRow("friend's email") << "txtFriendEmail" << "Friend's Email Address" << true << "";
    QTest::newRow("friend's email emptied") << "txtFriendEmail" << "" << false << "Friend's Email Address";
    QTest::newRow("message opening, focused") << "txtMessage" << MessageOpening << true << MessageOpening;
    QTest::newRow("message opening, left") << "txtMessage" << MessageOpening << false << MessageOpening;
    QTest::newRow("message prompt") << "txtMessage" << "Your Message" << true << "";
    QTest::newRow("message emptied") << "txtMessage" << "" << false << "Your Message";
}

void tst_frmNagScreen2::promptRules()
{
    QFETCH(QString, box);
    QFETCH(QString, before);
    QFETCH(bool, gainsFocus);
    QFETCH(QString, after);
    // The message box is hidden on the screen; the rule is the box's own all the same.
    control(box)->show();
    if (!gainsFocus)
        control(box)->setFocus(Qt::TabFocusReason);
    setText(box, before);
    control(gainsFocus ? box : QStringLiteral("cmdClose"))->setFocus(Qt::TabFocusReason);
    QCOMPARE(focus(), gainsFocus ? box : QStringLiteral("cmdClose"));
    QTRY_COMPARE(text(box), after);
}

// Going to another program, or a message box coming up, moves no focus inside the window.
void tst_frmNagScreen2::switchingWindowsKeepsEmptiedBox()
{
    QTest::mouseClick(control("txtName"), Qt::LeftButton);
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    QCOMPARE(focus(), QStringLiteral("txtName"));
    QCOMPARE(text("txtName"), QString());
}

void tst_frmNagScreen2::emailKeys_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result"); // the box held "ab" with the cursor between a and b
    QTest::newRow("space in own email") << "txtEmail" << int(Qt::Key_Space) << " " << "ab";
    QTest::newRow("space in friend's email") << "txtFriendEmail" << int(Qt::Key_Space) << " " << "ab";
    QTest::newRow("at sign") << "txtFriendEmail" << int(Qt::Key_At) << "@" << "a@b";
    QTest::newRow("backspace") << "txtEmail" << int(Qt::Key_Backspace) << "\b" << "b";
    QTest::newRow("space in name") << "txtName" << int(Qt::Key_Space) << " " << "a b";
    QTest::newRow("space in friend's name") << "txtFriendName" << int(Qt::Key_Space) << " " << "a b";
}

void tst_frmNagScreen2::emailKeys()
{
    QFETCH(QString, box);
    QFETCH(int, key);
    QFETCH(QString, typed);
    QFETCH(QString, result);
    auto *target = qobject_cast<QLineEdit *>(control(box));
    target->setFocus();
    target->setText(QStringLiteral("ab"));
    target->setCursorPosition(1);
    // Dismissing the box leaves the focus anywhere; the handler puts it back.
    fake->whileMessageOpen = [this](const FakePlatform::Message &) { control("cmdClose")->setFocus(); };
    QTest::sendKeyEvent(QTest::Press, target, Qt::Key(key), typed, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, target, Qt::Key(key), typed, Qt::NoModifier);
    QCOMPARE(target->text(), result);
    QCOMPARE(focus(), box);
    if (result == QLatin1String("ab")) {
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].text, QStringLiteral("Email Address Cannot Contain Space"));
        QCOMPARE(fake->messages[0].icon, QMessageBox::Critical);
        QCOMPARE(fake->messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    } else {
        QVERIFY(fake->messages.isEmpty());
    }
}

void tst_frmNagScreen2::submitChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("friendName");
    QTest::addColumn<QString>("friendEmail");
    QTest::addColumn<QString>("refusal"); // empty: the request goes out
    const QString m = MessageOpening;
    QTest::newRow("as the screen opened") << "Your Name" << "Your Email Address" << m << "Friend's Name"
                                          << "Friend's Email Address" << Proper;
    QTest::newRow("all filled in") << "Ann" << "a@x.org" << m << "Bea" << "b@y.org" << "";
    QTest::newRow("equal improper addresses") << "Ann" << "ab" << m << "Bea" << "ab" << Distinct;
    QTest::newRow("equal once trimmed") << "Ann" << " a@x.org" << m << "Bea" << "a@x.org  " << Distinct;
    QTest::newRow("distinct by case only") << "Ann" << "A@x.org" << m << "Bea" << "a@x.org" << "";
    QTest::newRow("own without at sign") << "Ann" << "ax.org" << m << "Bea" << "b@y.org" << Proper;
    QTest::newRow("friend's without at sign") << "Ann" << "a@x.org" << m << "Bea" << "by.org" << Proper;
    QTest::newRow("own without dot") << "Ann" << "a@xorg" << m << "Bea" << "b@y.org" << Proper;
    QTest::newRow("friend's without dot") << "Ann" << "a@x.org" << m << "Bea" << "b@yorg" << Proper;
    QTest::newRow("dot before at sign") << "Ann" << "a.x@org" << m << "Bea" << "b@y.org" << "";
    QTest::newRow("at sign and dot alone") << "Ann" << "@." << m << "Bea" << "b@y.org" << "";
    QTest::newRow("addresses before names") << "" << "a@xorg" << "" << "" << "b@y.org" << Proper;
    QTest::newRow("name before message") << " Your Name " << "a@x.org" << "" << "" << "b@y.org"
                                         << "Please Enter Your Name";
    QTest::newRow("name of other case") << "your name" << "a@x.org" << m << "Bea" << "b@y.org" << "";
    QTest::newRow("message before friend's name") << "Ann" << "a@x.org" << "Your Message" << "Friend's Name"
                                                  << "b@y.org" << "Please Enter Your Message";
    QTest::newRow("friend's name") << "Ann" << "a@x.org" << m << "Friend's Name" << "b@y.org"
                                   << "Please Enter Your Friend's Name";
}

void tst_frmNagScreen2::submitChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, email);
    QFETCH(QString, message);
    QFETCH(QString, friendName);
    QFETCH(QString, friendEmail);
    QFETCH(QString, refusal);
    const QStringList boxes{"txtName", "txtEmail", "txtMessage", "txtFriendName", "txtFriendEmail"};
    const QStringList typed{name, email, message, friendName, friendEmail};
    for (int i = 0; i < boxes.size(); ++i)
        setText(boxes[i], typed[i]);

    QTest::mouseClick(control("cmdSubmit"), Qt::LeftButton);

    if (refusal.isEmpty()) {
        QVERIFY(fake->messages.isEmpty());
        QCOMPARE(fake->addresses.size(), 1);
        QCOMPARE(QUrlQuery(QUrl(fake->addresses[0])).queryItemValue("taf2", QUrl::FullyDecoded), email);
    } else {
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].text, refusal);
        QCOMPARE(fake->messages[0].icon, QMessageBox::Critical);
        QCOMPARE(fake->messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(fake->addresses.isEmpty());
    }
    QCOMPARE(focus(), QStringLiteral("cmdSubmit"));
}

void tst_frmNagScreen2::emptiedBoxGetsPromptBackBeforeSend_data()
{
    QTest::addColumn<bool>("accessKey"); // Alt+N, else a click on the button
    QTest::newRow("click") << false;
    QTest::newRow("Alt+N") << true;
}

// The click, or the access key, takes the focus to the button first, so an emptied box holds
// its prompt again.
void tst_frmNagScreen2::emptiedBoxGetsPromptBackBeforeSend()
{
    QFETCH(bool, accessKey);
    setText("txtEmail", QStringLiteral("a@x.org"));
    setText("txtFriendEmail", QStringLiteral("b@y.org"));
    setText("txtFriendName", QStringLiteral("Bea"));
    QTest::mouseClick(control("txtName"), Qt::LeftButton);
    QTRY_COMPARE(text("txtName"), QString());
    if (accessKey)
        QTest::keyClick(control("txtName"), Qt::Key_N, Qt::AltModifier);
    else
        QTest::mouseClick(control("cmdSubmit"), Qt::LeftButton);
    QTRY_COMPARE(fake->messages.size(), 1);
    QCOMPARE(text("txtName"), QStringLiteral("Your Name"));
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].text, QStringLiteral("Please Enter Your Name"));
    QCOMPARE(focus(), QStringLiteral("cmdSubmit"));
}

void tst_frmNagScreen2::keysBeforeTheScreenIsActive_data()
{
    // Keys that reach the screen while another window is still active, as they can before the
    // window system has handed it the keyboard: Tab moves the focus without any focus event.
    QTest::addColumn<QString>("typed"); // after two Tabs, from "E&xit" to the name box
    QTest::addColumn<QString>("sent");  // the name sent once the screen is active
    QTest::newRow("name typed") << "Ann" << "Ann";
    QTest::newRow("nothing typed, box left") << "" << "";
}

void tst_frmNagScreen2::keysBeforeTheScreenIsActive()
{
    QFETCH(QString, typed);
    QFETCH(QString, sent);
    setText("txtEmail", QStringLiteral("a@x.org"));
    setText("txtFriendEmail", QStringLiteral("b@y.org"));
    setText("txtFriendName", QStringLiteral("Bea"));
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
    QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
    QCOMPARE(form->focusWidget()->objectName(), QStringLiteral("txtName"));
    if (typed.isEmpty()) {
        QTest::keyClick(form->focusWidget(), Qt::Key_Backspace);
        QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
    } else {
        QTest::keyClicks(form->focusWidget(), typed);
    }
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    QTest::mouseClick(control("cmdSubmit"), Qt::LeftButton);
    if (sent.isEmpty()) {
        QCOMPARE(text("txtName"), QStringLiteral("Your Name"));
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].text, QStringLiteral("Please Enter Your Name"));
    } else {
        QCOMPARE(fake->addresses.size(), 1);
        QCOMPARE(QUrlQuery(QUrl(fake->addresses[0])).queryItemValue("taf1", QUrl::FullyDecoded), sent);
    }
}

void tst_frmNagScreen2::submitTrimsAndLeavesScreenAsItWas()
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
}

QTEST_MAIN(tst_frmNagScreen2)
#include "tst_frmnagscreen2.moc"
