#include "ui/main/frmmain.h"

#include "platform/platform.h"
#include "quiz/modmalefemaletest.h"
#include "ui/about/frmabout.h"
#include "ui/accessibility.h"
#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/icons.h"
#include "ui/keys.h"
#include "ui/links.h"
#include "ui/panelstack.h"
#include "ui/placement.h"
#include "ui/trim.h"
#include "ui/twips.h"
#include "web/modhelp.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

const QColor WindowBlue(46, 51, 152);
const QColor PanelPurple(51, 7, 141);
const QColor Yellow(255, 255, 0);
const QColor Orange(255, 180, 4);
const QColor Cyan(0, 255, 255);
const QColor LightGreen(128, 255, 128);

const int PanelWidth = twipsToPixels(8415);

// An option button whose whole box takes the click, not only its circle and its text. As on
// Windows, Tab enters the group at the chosen option: Qt moves the group's tab stop only with
// the focus, so after a new question chose the first option again, Shift+Tab from Next would
// land on the second one, unchosen, and an arrow key there would choose the first.
class OptionButton : public QRadioButton
{
public:
    explicit OptionButton(QWidget *parent)
        : QRadioButton(parent)
    {
        connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
            if (!checked)
                return;
            for (auto *option : parentWidget()->findChildren<OptionButton *>(Qt::FindDirectChildrenOnly))
                option->setFocusPolicy(option == this ? Qt::StrongFocus : Qt::ClickFocus);
        });
    }

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};

QFrame *makePanel(PanelStack *stack, const QString &name, const QFont &font = verdana(9, true))
{
    auto *panel = new QFrame(stack);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::NoFrame);
    setBackground(panel, PanelPurple);
    panel->setFont(font);
    stack->addWidget(panel);
    return panel;
}

// A banner: bold underlined light green, centred and wrapped inside its box.
LinkLabel *bannerLabel(QWidget *parent, const QString &name, const QString &text, const QRect &box)
{
    LinkLabel *label = makeLink(parent, name, text, LightGreen, verdana(8.25, true));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(box);
    return label;
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Vexmora v1.15"));
    setWindowIcon(applicationIcon());
    setUpFixedWindow(this, Qt::Window | Qt::WindowMinimizeButtonHint);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    // Painted in every first frame, whichever panel is in front.
    client->installEventFilter(this);
    client->setFixedSize(twipsToPixels(8415), twipsToPixels(4815));
    setBackground(client, WindowBlue);
    // A plain window with the menu bar over the client area: QMainWindow would add nothing here
    // but its tool bar and dock layout, some 200 KiB of code paged in at start.
    auto *frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->setSpacing(0);
    frame->setSizeConstraint(QLayout::SetFixedSize);
    frame->addWidget(client);

    panels = new PanelStack(client);
    panels->setObjectName(QStringLiteral("panels"));
    panels->setGeometry(twipsRect(0, 550, 8415, 3375));
    spoken = new SpokenNotice(client);
    // Only the details panel is on screen at start; the question and result panels wait for
    // the first test (buildTestPanels), which keeps their widgets out of the start-up time.
    buildDetails();
    buildBanners(client);
    buildMenu();

    setTabOrder(txtName, txtAge);
    setTabOrder(txtAge, cboSex);
    setTabOrder(cboSex, cmdTest);

    connect(cmdTest, &QPushButton::clicked, this, &frmMain::cmdTest_Click);
    for (QWidget *control : std::initializer_list<QWidget *>{txtName, txtAge, cboSex})
        control->installEventFilter(this);

    Form_Load();
    txtName->setFocus();
}

void frmMain::buildDetails()
{
    // The gender box takes its font from the panel: a font set on the box itself makes Qt build
    // the box's drop-down list at once (some 400 KiB), not when it first drops down. The text
    // boxes get the bold of the other panels on their own.
    fraDetails = makePanel(panels, QStringLiteral("fraDetails"), verdana(9));
    const QFont font = verdana(8.25, true);
    lblLabel[4] = boxLabel(fraDetails, QStringLiteral("lblLabel[4]"),
                           QStringLiteral("Vexmora helps understand the masculinity and feminity of a person's "
                                          "brain patterns. There are no right or wrong answers to this test. "
                                          "Take this test as a source of entertainment only."),
                           Yellow, font, twipsRect(120, 120, 8175, 675));
    lblLabel[3] = textLabel(fraDetails, QStringLiteral("lblLabel[3]"),
                            QStringLiteral("PS: This test should be taken as a source of entertainment only."),
                            Yellow, font, 1080, 795);
    lblLabel[0] = textLabel(fraDetails, QStringLiteral("lblLabel[0]"), QStringLiteral("Enter Name"), Orange,
                            font, 1680, 1515);
    lblLabel[1] = textLabel(fraDetails, QStringLiteral("lblLabel[1]"), QStringLiteral("Enter Age"), Orange,
                            font, 1680, 1935);
    lblLabel[2] = textLabel(fraDetails, QStringLiteral("lblLabel[2]"), QStringLiteral("Select Gender"),
                            Orange, font, 1680, 2355);

    withApplicationFont(fraDetails->font(), [this] {
        txtName = new QLineEdit(fraDetails);
        txtAge = new QLineEdit(fraDetails);
    });
    txtName->setObjectName(QStringLiteral("txtName"));
    txtName->setGeometry(twipsRect(3600, 1440, 3000, 350));
    txtAge->setObjectName(QStringLiteral("txtAge"));
    txtAge->setGeometry(twipsRect(3600, 1860, 350, 350));
    for (QLineEdit *box : {txtName, txtAge})
        box->setMaxLength(NoLengthLimit);

    cboSex = new QComboBox(fraDetails);
    cboSex->setObjectName(QStringLiteral("cboSex"));
    cboSex->setGeometry(twipsToPixels(3600), twipsToPixels(2280), twipsToPixels(1335),
                        cboSex->sizeHint().height());
    // What a screen reader says for each box. Their texts carry no access letter, so the
    // buddies add no keys.
    lblLabel[0]->setBuddy(txtName);
    lblLabel[1]->setBuddy(txtAge);
    lblLabel[2]->setBuddy(cboSex);

    cmdTest = makeButton(fraDetails, QStringLiteral("cmdTest"),
                         QStringLiteral("&Take The Masculine Feminine Test"), twipsRect(1800, 2880, 4815, 400));
    cmdTest->setFont(font);
}

void frmMain::buildTestPanels()
{
    if (fraQuestion)
        return;
    buildQuestion();
    buildResult();
    // The same order as if every panel had been there from the start: a started test takes the
    // focus from the button to the first option, a finished one from Next to Back To Main.
    setTabOrder(cmdTest, optOption1);
    setTabOrder(optOption1, optOption2);
    setTabOrder(optOption2, cmdNext);
    setTabOrder(cmdNext, cmdMain);
    connect(cmdNext, &QPushButton::clicked, this, &frmMain::cmdNext_Click);
    connect(cmdMain, &QPushButton::clicked, this, &frmMain::cmdMain_Click);
}

void frmMain::buildQuestion()
{
    fraQuestion = makePanel(panels, QStringLiteral("fraQuestion"));
    const QFont font = verdana(8.25, true);
    lblQuestioNo = textLabel(fraQuestion, QStringLiteral("lblQuestioNo"), QString(), Yellow, font, 3615, 480);
    lblQuestion = textLabel(fraQuestion, QStringLiteral("lblQuestion"), QString(), Orange, font, 525, 840);

    optOption1 = new OptionButton(fraQuestion);
    optOption1->setObjectName(QStringLiteral("optOption1"));
    optOption1->setGeometry(twipsRect(3157, 1440, 2100, 250));
    optOption2 = new OptionButton(fraQuestion);
    optOption2->setObjectName(QStringLiteral("optOption2"));
    optOption2->setGeometry(twipsRect(3157, 1800, 2100, 250));
    for (QRadioButton *option : {optOption1, optOption2}) {
        option->setFont(font);
        setTextColor(option, Qt::white);
    }
    optOption1->setChecked(true);

    cmdNext = makeButton(fraQuestion, QStringLiteral("cmdNext"), QStringLiteral("Next"),
                         twipsRect(7080, 2640, 975, 375));
}

void frmMain::buildResult()
{
    fraResult = makePanel(panels, QStringLiteral("fraResult"));
    const QFont font = fraResult->font();
    // Its text comes with the first result (ShowResult): a screen reader that meets a new text
    // on a hidden panel takes the line for hidden for good, and its review would skip it.
    lblResult[3] = boxLabel(fraResult, QStringLiteral("lblResult[3]"), QString(), Cyan, font,
                            twipsRect(270, 240, 7875, 435));
    lblResult[0] = textLabel(fraResult, QStringLiteral("lblResult[0]"), QString(), Yellow, font, 3930, 920);
    lblResult[1] = textLabel(fraResult, QStringLiteral("lblResult[1]"), QString(), Orange, font, 3930, 1360);
    lblResult[2] = boxLabel(fraResult, QStringLiteral("lblResult[2]"), QString(), Cyan, font,
                            twipsRect(270, 1800, 7875, 555));
    cmdMain = makeButton(fraResult, QStringLiteral("cmdMain"), QStringLiteral("Back To &Main"),
                         twipsRect(3480, 2760, 1700, 400));
}

void frmMain::buildMenu()
{
    bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    const auto item = [this](QMenu *menu, const char *name, const QString &caption, void (frmMain::*handler)()) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
    };

    QMenu *nuFile = bar->addMenu(QStringLiteral("&File"));
    nuFile->setObjectName(QStringLiteral("nuFile"));
    item(nuFile, "mnuExit", QStringLiteral("E&xit"), &frmMain::mnuExit_Click);

    QMenu *mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    item(mnuHelp, "mnuOnline", QStringLiteral("&Online Help"), &frmMain::mnuOnline_Click);
    item(mnuHelp, "mnuVisit", QStringLiteral("&Visit Us Online"), &frmMain::mnuVisit_Click);
    mnuHelp->addSeparator()->setObjectName(QStringLiteral("mnuFileSep1"));
    item(mnuHelp, "mnuUpdate", QStringLiteral("&Check for Software Update"), &frmMain::mnuUpdate_Click);
    mnuHelp->addSeparator()->setObjectName(QStringLiteral("mnuFileSep2"));
    item(mnuHelp, "mnuAbout", QStringLiteral("&About Software"), &frmMain::mnuAbout_Click);

    // A top-level entry that is itself the command, without a menu under it.
    QAction *mnuDonate = bar->addAction(QStringLiteral("&Donate"));
    mnuDonate->setObjectName(QStringLiteral("mnuDonate"));
    connect(mnuDonate, &QAction::triggered, this, &frmMain::mnuDonate_Click);
}

void frmMain::buildBanners(QWidget *client)
{
    auto *Label61 = bannerLabel(client, QStringLiteral("Label61"),
                                QStringLiteral("The Quillmoor Forum is the most popular online discussion board on "
                                               "psychology and the best psychology resource. Visit %1 now!")
                                    .arg(modHelp::SiteAddress()),
                                twipsRect(360, 90, 7695, 450));
    connect(Label61, &LinkLabel::clicked, this, &frmMain::Label61_Click);

    auto *fraFullBrand = new QFrame(client);
    fraFullBrand->setObjectName(QStringLiteral("fraFullBrand"));
    fraFullBrand->setFrameShape(QFrame::Box);
    fraFullBrand->setGeometry(twipsRect(0, 3960, 8415, 855));
    setBackground(fraFullBrand, WindowBlue);

    // Both fill the same box on an opaque background, so the one in front hides the other and
    // takes every click. The full-branding offer starts in front.
    lblCobrand = bannerLabel(fraFullBrand, QStringLiteral("lblCobrand"),
                             QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic "
                                            "to your site. Put your site's name &  link here. See \"Help\" for "
                                            "details.    Click Here for more info on co-branding."),
                             twipsRect(555, 165, 7305, 615));
    lblFullBrand = bannerLabel(fraFullBrand, QStringLiteral("lblFullBrand"),
                               QStringLiteral("Home Business Opportunity. Start your own Internet business and "
                                              "make money online. Get this software fully branded for your "
                                              "website. Click here for more details."),
                               twipsRect(555, 165, 7305, 615));
    for (LinkLabel *banner : {lblCobrand, lblFullBrand})
        setBackground(banner, WindowBlue);
    // Only the offer in front is shown: the covered one would still reach a screen reader.
    for (LinkLabel *banner : {lblCobrand, lblFullBrand})
        banner->installEventFilter(this);
    showFrontBanner();
    connect(lblFullBrand, &LinkLabel::clicked, this, &frmMain::lblFullBrand_Click);
    connect(lblCobrand, &LinkLabel::clicked, this, &frmMain::lblCobrand_Click);
}

void frmMain::Form_Load()
{
    cboSex->addItem(QStringLiteral("Male"));
    cboSex->addItem(QStringLiteral("Female"));
    cboSex->setCurrentIndex(0);
    showPanel(fraDetails);
}

void frmMain::cmdTest_Click()
{
    if (trimSpaces(txtName->text()).isEmpty()) {
        stopMessage(QStringLiteral("Please enter name"));
        txtName->setFocus();
        return;
    }
    const QString age = trimSpaces(txtAge->text());
    if (age.isEmpty()) {
        stopMessage(QStringLiteral("Please enter age"));
        txtAge->setFocus();
        return;
    }
    strName = trimSpaces(txtName->text());
    bool ageFits = false;
    const qint16 typedAge = age.toShort(&ageFits);
    if (ageFits) // an age beyond 32767 keeps the former one; the test starts all the same
        intAge = typedAge;
    strSex = cboSex->currentText();

    buildTestPanels();
    modMaleFemaleTest::LoadQuestions();
    intQuestionNo = 0;
    intScore = 0;
    showQuestion(intQuestionNo);
    showPanel(fraQuestion);
    sayQuestion();
}

void frmMain::cmdNext_Click()
{
    // Only a question on screen can be answered: a stray press cannot add a 21st answer.
    if (panels->currentWidget() != fraQuestion)
        return;
    modMaleFemaleTest::LoadQuestions();
    intScore = modMaleFemaleTest::addAnswer(intScore, intQuestionNo, optOption1->isChecked());
    optOption1->setChecked(true);
    if (++intQuestionNo == modMaleFemaleTest::QuestionCount) {
        intQuestionNo = modMaleFemaleTest::QuestionCount - 1;
        ShowResult(intScore);
        showPanel(fraResult);
        // The focus comes to the button with the result: a screen reader says the result with it.
        spoken->sayWithFocus(cmdMain, QStringList{lblResult[0]->text(), lblResult[1]->text(), lblResult[2]->text()}
                                          .join(QStringLiteral(". ")));
    }
    showQuestion(intQuestionNo);
    if (panels->currentWidget() == fraQuestion)
        sayQuestion();
}

void frmMain::cmdMain_Click()
{
    txtName->clear();
    txtAge->clear();
    cboSex->setCurrentIndex(0);
    showPanel(fraDetails);
    txtName->setFocus();
}

void frmMain::txtAge_KeyPress(int &KeyAscii)
{
    if (KeyAscii < '0' || KeyAscii > '9') {
        stopMessage(QStringLiteral("Age must be number"));
        KeyAscii = 0;
        txtAge->setFocus();
    }
}

// Text that a dead key or an input method composed arrives whole, not as key presses. Each of
// its characters meets the age filter as a typed key would, and only the accepted ones go in.
bool frmMain::txtAge_Composed(const QInputMethodEvent &event)
{
    const QString composed = event.commitString();
    QString accepted;
    for (const char32_t character : composed.toUcs4()) {
        int KeyAscii = int(character);
        txtAge_KeyPress(KeyAscii);
        if (KeyAscii != 0)
            accepted += QString::fromUcs4(&character, 1);
    }
    if (accepted == composed)
        return false;
    QInputMethodEvent filtered(event.preeditString(), event.attributes());
    filtered.setCommitString(accepted, event.replacementStart(), event.replacementLength());
    QCoreApplication::sendEvent(txtAge, &filtered);
    return true;
}

// Right after the window's first frame (see eventFilter): empty, the text boxes draw only the
// cursor, as high in the panel's font as in its bold, and the bold would cost a font load before
// the window is on screen.
void frmMain::giveTextBoxesTheirFont()
{
    for (QLineEdit *box : {txtName, txtAge})
        box->setFont(verdana(9, true));
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String("client")) {
        watched->removeEventFilter(this);
        QMetaObject::invokeMethod(this, &frmMain::giveTextBoxesTheirFont, Qt::QueuedConnection);
    }
    if (event->type() == QEvent::ZOrderChange && (watched == lblFullBrand || watched == lblCobrand))
        showFrontBanner();
    if (watched == txtAge && event->type() == QEvent::InputMethod)
        return txtAge_Composed(*static_cast<QInputMethodEvent *>(event));
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto &key = *static_cast<QKeyEvent *>(event);
    // An access key that no control on the front panel answers types nothing either, nor picks
    // a gender by its letter; Alt+Down still opens the gender list, as on Windows.
    if (isAltCombination(key) && (watched != cboSex || !key.text().isEmpty()))
        return true;
    if (watched == txtAge)
        return cancelledByKeyPress(key, [this](int &KeyAscii) { txtAge_KeyPress(KeyAscii); });
    return false;
}

void frmMain::mnuExit_Click()
{
    close(); // the same way out as the close box
}

void frmMain::mnuOnline_Click()
{
    modHelp::OpenWebPage(QStringLiteral("help-web-page"));
}

void frmMain::mnuVisit_Click()
{
    modHelp::OpenWebPage(QStringLiteral("home-page"));
}

void frmMain::mnuUpdate_Click()
{
    modHelp::OpenWebPage(QStringLiteral("download-web-page"));
}

void frmMain::mnuAbout_Click()
{
    // Modal to the whole program, with no owner; it destroys itself when closed. Without an
    // owner it would open on the primary monitor, wherever the user has put this window.
    auto *about = new frmAbout;
    moveToScreen(about, screenOf(this));
    about->exec();
}

void frmMain::mnuDonate_Click()
{
    modHelp::OpenWebPage(QStringLiteral("donate"));
}

void frmMain::Label61_Click()
{
    modHelp::OpenWebPage(QStringLiteral("home-page"));
}

void frmMain::lblFullBrand_Click()
{
    modHelp::OpenWebPage(QStringLiteral("fully-branded"));
}

void frmMain::lblCobrand_Click()
{
    modHelp::OpenWebPage(QStringLiteral("co-brand"));
}

void frmMain::ShowResult(const qint16 &score)
{
    buildTestPanels();
    lblResult[3]->setText(QStringLiteral("After having taken this test, you will understand how your brain things. "
                                         "Here are the results of your test:"));
    if (const auto percent = modMaleFemaleTest::percentFor(score))
        intPercent = *percent;
    setCentredText(lblResult[0], modMaleFemaleTest::percentagesLine(intPercent));
    const modMaleFemaleTest::Verdict verdict = modMaleFemaleTest::verdictFor(intPercent);
    setCentredText(lblResult[1], verdict.title);
    // The longest paragraph takes four lines: the label grows down towards the button rather
    // than cut it off.
    QLabel *paragraph = lblResult[2];
    paragraph->setText(verdict.paragraph);
    paragraph->resize(paragraph->width(),
                      std::max(twipsToPixels(555), paragraph->heightForWidth(paragraph->width())));
}

void frmMain::bringToFront(Offer offer)
{
    (offer == Offer::FullBranding ? lblFullBrand : lblCobrand)->raise();
}

// The offer raised last lies in front and covers the other, which is hidden: the picture and
// the clicks are the same, and the covered offer is out of a screen reader's way.
void frmMain::showFrontBanner()
{
    const QObjectList &order = lblFullBrand->parentWidget()->children();
    const bool fullBrandInFront = order.indexOf(lblFullBrand) > order.indexOf(lblCobrand);
    lblFullBrand->setVisible(fullBrandInFront);
    lblCobrand->setVisible(!fullBrandInFront);
}

void frmMain::showPanel(QFrame *panel)
{
    panels->setCurrentWidget(panel);
}

void frmMain::showQuestion(int position)
{
    setCentredText(lblQuestioNo, QStringLiteral("Question %1 of 20").arg(position + 1));
    setCentredText(lblQuestion, modMaleFemaleTest::strQuestion[position]);
    optOption1->setText(modMaleFemaleTest::strOption1[position]);
    optOption2->setText(modMaleFemaleTest::strOption2[position]);
}

// The focus stays on Next, or goes to the first option, while the question changes beside it:
// a screen reader hears the new question only when it is told.
void frmMain::sayQuestion()
{
    spoken->say(QStringLiteral("%1. %2 %3 or %4.")
                    .arg(lblQuestioNo->text(), lblQuestion->text(), optOption1->text(), optOption2->text()));
}

// The centred labels take the size of their text and stay centred on the panel, so that a long
// line never runs off its right edge.
void frmMain::setCentredText(QLabel *label, const QString &text)
{
    label->setText(text);
    sizeToText(label);
    label->move((PanelWidth - label->width()) / 2, label->y());
}

// Whatever panel is in front, the window closes without a question and the test is dropped.
void frmMain::closeEvent(QCloseEvent *event)
{
    emit unloading();
    event->accept();
}
