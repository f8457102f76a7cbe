#include "ui/main/frmmain.h"

#include "support/fakeplatform.h"
#include "ui/panelstack.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {
const QString Feminine40 = QStringLiteral("Your thinking is 40% Masculine and 60% Feminine");
const QString Masculine60 = QStringLiteral("Your thinking is 60% Masculine and 40% Feminine");
} // namespace

class tst_frmMain : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void window();
    void fonts_data();
    void fonts();
    void genderListFont();
    void startsOnDetailsWithFocusInName();
    void startTestChecks_data();
    void startTestChecks();
    void ageKeys_data();
    void ageKeys();
    void genderKeys_data();
    void genderKeys();
    void longPasteKeptWhole_data();
    void longPasteKeptWhole();
    void firstQuestion();
    void nextOffersEachQuestionWithFirstOptionSelected();
    void everyQuestionFitsThePanel();
    void nextTwentyTimesShowsResult_data();
    void nextTwentyTimesShowsResult();
    void resultTextsFitThePanel_data();
    void resultTextsFitThePanel();
    void backToDetails();
    void secondTestStartsOver();
    void coveredPanelsTakeNoKeys();
    void strayNextAddsNoAnswer();
    void wholeTestWithKeyboardAlone();
    void resultWrittenBeforeAnyTest();
    void tabOrderAcrossPanels_data();
    void tabOrderAcrossPanels();

private:
    template<typename T>
    T *control(const char *name) const
    {
        T *found = form->findChild<T *>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QString panel() const { return control<PanelStack>("panels")->currentWidget()->objectName(); }
    QString focus() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    QString label(const char *name) const { return control<QLabel>(name)->text(); }
    void startTest(const QString &name = QStringLiteral("Ann"), const QString &age = QStringLiteral("30"));
    void answerAll(bool firstOption);

    FakePlatform *fake = nullptr;
    QPointer<frmMain> form;
};

void tst_frmMain::init()
{
    fake = new FakePlatform;
    form = new frmMain;
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form));
}

void tst_frmMain::cleanup()
{
    delete form;
    delete fake;
    QVERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_frmMain::startTest(const QString &name, const QString &age)
{
    control<QLineEdit>("txtName")->setText(name);
    control<QLineEdit>("txtAge")->setText(age);
    control<QPushButton>("cmdTest")->click();
}

void tst_frmMain::answerAll(bool firstOption)
{
    for (int question = 1; question <= 20; ++question) {
        if (!firstOption)
            QTest::mouseClick(control<QRadioButton>("optOption2"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>("cmdNext"), Qt::LeftButton);
    }
}

void tst_frmMain::window()
{
    QCOMPARE(form->windowTitle(), QStringLiteral("Vexmora v1.15"));
    QVERIFY(form->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QCOMPARE(control<QWidget>("client")->size(), QSize(561, 321));
    QCOMPARE(control<PanelStack>("panels")->geometry(), QRect(0, 37, 561, 225));
    QCOMPARE(control<QComboBox>("cboSex")->count(), 2);
    QCOMPARE(control<QComboBox>("cboSex")->itemText(0), QStringLiteral("Male"));
    QCOMPARE(control<QComboBox>("cboSex")->itemText(1), QStringLiteral("Female"));
    QVERIFY(!control<QComboBox>("cboSex")->isEditable());
    // No button is the window's default, neither now nor on the panels a started test brings up.
    QVERIFY(!control<QPushButton>("cmdTest")->isDefault());
    startTest();
    for (const char *name : {"cmdTest", "cmdNext", "cmdMain"})
        QVERIFY(!control<QPushButton>(name)->isDefault());
}

void tst_frmMain::fonts_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::newRow("name") << "txtName" << 9.0 << true;
    QTest::newRow("age") << "txtAge" << 9.0 << true;
    QTest::newRow("gender") << "cboSex" << 9.0 << false;
    QTest::newRow("start button") << "cmdTest" << 8.25 << true;
    QTest::newRow("question") << "lblQuestion" << 8.25 << true;
    QTest::newRow("option") << "optOption1" << 8.25 << true;
    QTest::newRow("next") << "cmdNext" << 9.0 << true;
    QTest::newRow("result") << "lblResult[2]" << 9.0 << true;
}

void tst_frmMain::fonts()
{
    QFETCH(QString, control);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    startTest(); // brings up every panel once
    // The text boxes take their bold once the window's first frame is on screen.
    QTRY_COMPARE(form->findChild<QWidget *>(control)->font().bold(), bold);
    QCOMPARE(form->findChild<QWidget *>(control)->font().pointSizeF(), points);
}

// The gender list drops down in the box's own font.
void tst_frmMain::genderListFont()
{
    auto *box = control<QComboBox>("cboSex");
    box->showPopup();
    QTRY_VERIFY(box->view()->isVisible());
    QCOMPARE(box->view()->font(), box->font());
    QCOMPARE(box->view()->font().pointSizeF(), 9.0);
    QVERIFY(!box->view()->font().bold());
    box->hidePopup();
}

void tst_frmMain::startsOnDetailsWithFocusInName()
{
    QCOMPARE(panel(), QStringLiteral("fraDetails"));
    QCOMPARE(control<QComboBox>("cboSex")->currentText(), QStringLiteral("Male"));
    QCOMPARE(focus(), QStringLiteral("txtName"));
    QVERIFY(fake->messages.isEmpty());
}

void tst_frmMain::startTestChecks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("age");
    QTest::addColumn<QString>("message"); // empty: the test starts
    QTest::addColumn<QString>("focus");
    QTest::newRow("both empty") << "" << "" << "Please enter name" << "txtName";
    QTest::newRow("name of spaces only") << "   " << "30" << "Please enter name" << "txtName";
    QTest::newRow("no age") << "Ann" << "" << "Please enter age" << "txtAge";
    QTest::newRow("age of spaces only") << "Ann" << "  " << "Please enter age" << "txtAge";
    QTest::newRow("name and age") << " Ann " << "30" << "" << "";
    QTest::newRow("a tab is not a space") << "\t" << "30" << "" << "";
    QTest::newRow("age beyond 16 bits") << "Ann" << "99999" << "" << "";
    QTest::newRow("pasted age that is no number") << "Ann" << "x" << "" << "";
}

void tst_frmMain::startTestChecks()
{
    QFETCH(QString, name);
    QFETCH(QString, age);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    control<QPushButton>("cmdTest")->setFocus();
    startTest(name, age);
    if (message.isEmpty()) {
        QVERIFY(fake->messages.isEmpty());
        QCOMPARE(panel(), QStringLiteral("fraQuestion"));
        return;
    }
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].text, message);
    QCOMPARE(fake->messages[0].icon, QMessageBox::Critical);
    QCOMPARE(fake->messages[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(panel(), QStringLiteral("fraDetails"));
    QCOMPARE(this->focus(), focus);
}

void tst_frmMain::ageKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("result"); // txtAge held "12" with the cursor between 1 and 2
    const Qt::KeyboardModifiers none;
    QTest::newRow("digit") << int(Qt::Key_5) << none << "5" << false << "152";
    QTest::newRow("zero") << int(Qt::Key_0) << none << "0" << false << "102";
    QTest::newRow("letter") << int(Qt::Key_A) << none << "a" << true << "12";
    QTest::newRow("space") << int(Qt::Key_Space) << none << " " << true << "12";
    QTest::newRow("minus") << int(Qt::Key_Minus) << none << "-" << true << "12";
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << true << "12";
    QTest::newRow("enter") << int(Qt::Key_Return) << none << "\r" << true << "12";
    QTest::newRow("escape") << int(Qt::Key_Escape) << none << "\x1b" << true << "12";
    QTest::newRow("ctrl+v") << int(Qt::Key_V) << Qt::KeyboardModifiers(Qt::ControlModifier) << "\x16" << true
                            << "12";
    QTest::newRow("delete still deletes") << int(Qt::Key_Delete) << none << "\x7f" << false << "1";
    QTest::newRow("alt+letter types nothing") << int(Qt::Key_Q) << Qt::KeyboardModifiers(Qt::AltModifier)
                                              << "q" << false << "12";
    QTest::newRow("left arrow moves") << int(Qt::Key_Left) << none << "" << false << "12";
    // No key: the text comes composed, from a dead key or an input method.
    QTest::newRow("dead key and letter") << 0 << none << "\u00e9" << true << "12";
    QTest::newRow("composed digit") << 0 << none << "7" << false << "172";
    QTest::newRow("composed digit and letter") << 0 << none << "3a" << true << "132";
}

void tst_frmMain::ageKeys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(bool, refused);
    QFETCH(QString, result);
    QApplication::clipboard()->setText(QStringLiteral("7"));
    auto *txtAge = control<QLineEdit>("txtAge");
    txtAge->setText(QStringLiteral("12"));
    txtAge->setCursorPosition(1);
    txtAge->setFocus();
    fake->whileMessageOpen = [this](const FakePlatform::Message &) { control<QLineEdit>("txtName")->setFocus(); };

    if (key) {
        QTest::sendKeyEvent(QTest::Press, txtAge, Qt::Key(key), text, modifiers);
        QTest::sendKeyEvent(QTest::Release, txtAge, Qt::Key(key), text, modifiers);
    } else {
        QInputMethodEvent composed;
        composed.setCommitString(text);
        QApplication::sendEvent(txtAge, &composed);
    }

    QCOMPARE(txtAge->text(), result);
    if (refused) {
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].text, QStringLiteral("Age must be number"));
        QCOMPARE(fake->messages[0].icon, QMessageBox::Critical);
        QCOMPARE(focus(), QStringLiteral("txtAge"));
    } else {
        QVERIFY(fake->messages.isEmpty());
    }
    QCOMPARE(panel(), QStringLiteral("fraDetails"));
}

void tst_frmMain::genderKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("gender"); // the box held "Female"
    QTest::newRow("letter picks by its initial") << int(Qt::Key_M) << Qt::KeyboardModifiers() << "Male";
    QTest::newRow("alt+letter picks nothing") << int(Qt::Key_M) << Qt::KeyboardModifiers(Qt::AltModifier)
                                              << "Female";
}

void tst_frmMain::genderKeys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, gender);
    auto *cboSex = control<QComboBox>("cboSex");
    cboSex->setCurrentIndex(1);
    cboSex->setFocus();
    QTest::sendKeyEvent(QTest::Press, cboSex, Qt::Key(key), QStringLiteral("m"), modifiers);
    QTest::sendKeyEvent(QTest::Release, cboSex, Qt::Key(key), QStringLiteral("m"), modifiers);
    QCOMPARE(cboSex->currentText(), gender);
}

void tst_frmMain::longPasteKeptWhole_data()
{
    QTest::addColumn<QString>("box");
    QTest::newRow("name") << "txtName";
    QTest::newRow("age") << "txtAge"; // a paste is no typed key
}

// Past Qt's default limit of 32767 characters, with a character of two UTF-16 units across it.
void tst_frmMain::longPasteKeptWhole()
{
    QFETCH(QString, box);
    const QString text = QString(32766, QLatin1Char('1')) + QString::fromUcs4(U"\U0001F600") + QString(40000, QLatin1Char('2'));
    auto *edit = control<QLineEdit>(qPrintable(box));
    edit->setFocus();
    QApplication::clipboard()->setText(text);
    edit->paste();
    QCOMPARE(edit->text(), text);
}

void tst_frmMain::firstQuestion()
{
    startTest();
    QCOMPARE(label("lblQuestioNo"), QStringLiteral("Question 1 of 20"));
    QCOMPARE(label("lblQuestion"), QStringLiteral("1. Do you like being told what to do ?"));
    QCOMPARE(control<QRadioButton>("optOption1")->text(), QStringLiteral("Yes"));
    QCOMPARE(control<QRadioButton>("optOption2")->text(), QStringLiteral("No"));
    QVERIFY(control<QRadioButton>("optOption1")->isChecked());
    // Centred labels stay whole on the panel.
    for (const char *name : {"lblQuestioNo", "lblQuestion"}) {
        const QRect box = control<QLabel>(name)->geometry();
        QVERIFY(box.left() >= 0 && box.right() < 561);
        QVERIFY(qAbs(box.center().x() - 280) <= 1);
    }
}

void tst_frmMain::nextOffersEachQuestionWithFirstOptionSelected()
{
    startTest();
    QTest::mouseClick(control<QRadioButton>("optOption2"), Qt::LeftButton);
    QVERIFY(control<QRadioButton>("optOption2")->isChecked());
    QTest::mouseClick(control<QPushButton>("cmdNext"), Qt::LeftButton);
    QCOMPARE(label("lblQuestioNo"), QStringLiteral("Question 2 of 20"));
    QCOMPARE(label("lblQuestion"),
             QStringLiteral("2. Would you prefer watching a football match or attending an opera ?"));
    QCOMPARE(control<QRadioButton>("optOption1")->text(), QStringLiteral("Football Match"));
    QCOMPARE(control<QRadioButton>("optOption2")->text(), QStringLiteral("Opera"));
    QVERIFY(control<QRadioButton>("optOption1")->isChecked());
    QCOMPARE(control<QPushButton>("cmdNext")->text(), QStringLiteral("Next"));
}

void tst_frmMain::everyQuestionFitsThePanel()
{
    startTest();
    for (int question = 1; question <= 20; ++question) {
        const QRect questionBox = control<QLabel>("lblQuestion")->geometry();
        QVERIFY2(questionBox.left() >= 0 && questionBox.right() < 561, qPrintable(label("lblQuestion")));
        for (const char *name : {"optOption1", "optOption2"}) {
            const QRadioButton *option = control<QRadioButton>(name);
            QVERIFY2(option->sizeHint().width() <= option->width(), qPrintable(option->text()));
        }
        QTest::mouseClick(control<QPushButton>("cmdNext"), Qt::LeftButton);
    }
}

void tst_frmMain::nextTwentyTimesShowsResult_data()
{
    QTest::addColumn<bool>("firstOption");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("title");
    QTest::newRow("first option throughout") << true << Feminine40 << "You have Feminine Thinking";
    QTest::newRow("second option throughout") << false << Masculine60 << "You have Masculine Thinking";
}

void tst_frmMain::nextTwentyTimesShowsResult()
{
    QFETCH(bool, firstOption);
    QFETCH(QString, line);
    QFETCH(QString, title);
    startTest();
    answerAll(firstOption);
    QCOMPARE(panel(), QStringLiteral("fraResult"));
    QCOMPARE(label("lblResult[0]"), line);
    QCOMPARE(label("lblResult[1]"), title);
    QCOMPARE(focus(), QStringLiteral("cmdMain"));
    QCOMPARE(label("lblQuestioNo"), QStringLiteral("Question 20 of 20"));
    QVERIFY(label("lblResult[3]").startsWith(QStringLiteral("After having taken this test")));
    const QRect box = control<QLabel>("lblResult[0]")->geometry();
    QVERIFY(box.left() >= 0 && box.right() < 561);
}

void tst_frmMain::resultTextsFitThePanel_data()
{
    QTest::addColumn<QList<int>>("secondOptionOn"); // the questions answered with the second option
    QTest::addColumn<QString>("title");
    QTest::newRow("balanced") << QList<int>{1, 3} << "You have a Balanced Masculine and Feminine Thinking";
    QTest::newRow("masculine") << QList<int>{1, 3, 5, 6, 7, 9, 11, 12, 15, 16, 18, 19}
                               << "You have Masculine Thinking";
    QTest::newRow("feminine") << QList<int>{} << "You have Feminine Thinking";
}

// Every line and paragraph is shown whole, inside the panel and clear of the button.
void tst_frmMain::resultTextsFitThePanel()
{
    QFETCH(QList<int>, secondOptionOn);
    QFETCH(QString, title);
    startTest();
    for (int question = 1; question <= 20; ++question) {
        if (secondOptionOn.contains(question))
            QTest::mouseClick(control<QRadioButton>("optOption2"), Qt::LeftButton);
        QTest::mouseClick(control<QPushButton>("cmdNext"), Qt::LeftButton);
    }
    QCOMPARE(label("lblResult[1]"), title);
    const QRect panelBox(0, 0, 561, 225);
    for (const char *name : {"lblResult[0]", "lblResult[1]", "lblResult[2]", "lblResult[3]"}) {
        const QLabel *text = control<QLabel>(name);
        QVERIFY2(panelBox.contains(text->geometry()), name);
        const int needed = text->wordWrap() ? text->heightForWidth(text->width()) : text->sizeHint().height();
        QVERIFY2(text->height() >= needed, name);
    }
    QVERIFY(control<QLabel>("lblResult[2]")->geometry().bottom() < control<QPushButton>("cmdMain")->y());
}

void tst_frmMain::backToDetails()
{
    control<QComboBox>("cboSex")->setCurrentIndex(1);
    startTest();
    answerAll(true);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_M, Qt::AltModifier);
    QTRY_COMPARE(panel(), QStringLiteral("fraDetails"));
    QCOMPARE(control<QLineEdit>("txtName")->text(), QString());
    QCOMPARE(control<QLineEdit>("txtAge")->text(), QString());
    QCOMPARE(control<QComboBox>("cboSex")->currentText(), QStringLiteral("Male"));
    QCOMPARE(focus(), QStringLiteral("txtName"));
    QVERIFY(fake->messages.isEmpty());
}

void tst_frmMain::secondTestStartsOver()
{
    startTest();
    answerAll(false);
    QCOMPARE(label("lblResult[0]"), Masculine60);
    QVERIFY(label("lblResult[2]").startsWith(QStringLiteral("People with a masculine way")));
    control<QPushButton>("cmdMain")->click();
    startTest(QStringLiteral("Bea"), QStringLiteral("41"));
    QCOMPARE(label("lblQuestioNo"), QStringLiteral("Question 1 of 20"));
    QCOMPARE(label("lblQuestion"), QStringLiteral("1. Do you like being told what to do ?"));
    answerAll(true);
    QCOMPARE(label("lblResult[0]"), Feminine40); // the score started again at 0
    // The new paragraph replaces the old one whole.
    QVERIFY(label("lblResult[2]").startsWith(QStringLiteral("People with a feminine way")));
    QVERIFY(!label("lblResult[2]").contains(QStringLiteral("masculine")));
}

// Only the panel in front takes focus and access keys. An access key presses its button at once
// and clicks it a moment later, so a button that is not down was not pressed.
void tst_frmMain::coveredPanelsTakeNoKeys()
{
    // Before the first test the result panel may not even be built: Alt+M must do nothing.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_M, Qt::AltModifier);
    const auto *cmdMain = form->findChild<QPushButton *>(QStringLiteral("cmdMain"));
    QVERIFY(!cmdMain || !cmdMain->isDown());
    QCOMPARE(panel(), QStringLiteral("fraDetails"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
    QTRY_COMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->messages[0].text, QStringLiteral("Please enter name"));

    startTest();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_M, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
    QVERIFY(!control<QPushButton>("cmdMain")->isDown());
    QVERIFY(!control<QPushButton>("cmdTest")->isDown());
    answerAll(true);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
    QVERIFY(!control<QPushButton>("cmdTest")->isDown());
    QCOMPARE(panel(), QStringLiteral("fraResult"));

    QWidget *front = control<PanelStack>("panels")->currentWidget();
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY2(front->isAncestorOf(QApplication::focusWidget()), qPrintable(focus()));
    }
    QCOMPARE(fake->messages.size(), 1);
}

void tst_frmMain::strayNextAddsNoAnswer()
{
    startTest();
    answerAll(false);
    control<QPushButton>("cmdNext")->click(); // Next is behind the result panel
    QCOMPARE(label("lblResult[0]"), Masculine60);
    QCOMPARE(panel(), QStringLiteral("fraResult"));
    control<QPushButton>("cmdMain")->click();
    control<QPushButton>("cmdNext")->click();
    QCOMPARE(panel(), QStringLiteral("fraDetails"));
    startTest();
    answerAll(false);
    QCOMPARE(label("lblResult[0]"), Masculine60);
}

// Name, age, gender, then the masculine option on every question: 100%.
void tst_frmMain::wholeTestWithKeyboardAlone()
{
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Ann Lee"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("42"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(focus(), QStringLiteral("cboSex"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(control<QComboBox>("cboSex")->currentText(), QStringLiteral("Female"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(focus(), QStringLiteral("cmdTest"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(panel(), QStringLiteral("fraQuestion"));
    QVERIFY(fake->messages.isEmpty());

    const QList<int> firstIsMasculine{2, 4, 8, 10, 13, 14, 17, 20};
    for (int question = 1; question <= 20; ++question) {
        QCOMPARE(label("lblQuestioNo"), QStringLiteral("Question %1 of 20").arg(question));
        if (!firstIsMasculine.contains(question)) {
            // Back from Next to the chosen option, the first one on every new question, even
            // when the second was chosen by arrow key before; then the arrow to the second.
            if (focus() == QLatin1String("cmdNext"))
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(focus(), QStringLiteral("optOption1"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            QVERIFY(control<QRadioButton>("optOption2")->isChecked());
        }
        if (focus() != QLatin1String("cmdNext"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focus(), QStringLiteral("cmdNext"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    QCOMPARE(panel(), QStringLiteral("fraResult"));
    QCOMPARE(label("lblResult[0]"), QStringLiteral("Your thinking is 100% Masculine and 0% Feminine"));
    QCOMPARE(label("lblResult[1]"), QStringLiteral("You have Masculine Thinking"));
    QCOMPARE(focus(), QStringLiteral("cmdMain"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(panel(), QStringLiteral("fraDetails"));
}

// The result can be written onto a window that has not run a test yet; showing it later shows
// those texts.
void tst_frmMain::resultWrittenBeforeAnyTest()
{
    form->ShowResult(12);
    QCOMPARE(label("lblResult[0]"), Masculine60);
    QCOMPARE(label("lblResult[1]"), QStringLiteral("You have Masculine Thinking"));
    QCOMPARE(panel(), QStringLiteral("fraDetails"));
    QCOMPARE(focus(), QStringLiteral("txtName"));
}

void tst_frmMain::tabOrderAcrossPanels_data()
{
    QTest::addColumn<int>("answered"); // -1: no test started
    QTest::addColumn<QStringList>("order"); // the focus after each Tab, from the panel's first stop
    QTest::newRow("details") << -1 << QStringList{"txtAge", "cboSex", "cmdTest", "txtName"};
    QTest::newRow("question") << 0 << QStringList{"cmdNext", "optOption1"};
    QTest::newRow("result") << 20 << QStringList{"cmdMain"};
}

// The focus goes round the controls of the front panel in the order they are laid out, and a
// panel brought up by a button starts with the focus on its first control.
void tst_frmMain::tabOrderAcrossPanels()
{
    QFETCH(int, answered);
    QFETCH(QStringList, order);
    if (answered >= 0) {
        control<QLineEdit>("txtName")->setText(QStringLiteral("Ann"));
        control<QLineEdit>("txtAge")->setText(QStringLiteral("30"));
        control<QPushButton>("cmdTest")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(focus(), QStringLiteral("optOption1"));
        for (int i = 0; i < answered; ++i)
            QTest::keyClick(control<QPushButton>("cmdNext"), Qt::Key_Space);
    }
    QStringList seen;
    for (int i = 0; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen.append(focus());
    }
    QCOMPARE(seen, order);
}

QTEST_MAIN(tst_frmMain)
#include "tst_frmmain.moc"
