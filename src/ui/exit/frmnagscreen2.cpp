#include "ui/exit/frmnagscreen2.h"

#include "platform/platform.h"
#include "ui/accessibility.h"
#include "ui/controls.h"
#include "ui/exit/modtellafriend.h"
#include "ui/exit/prompttextbox.h"
#include "ui/fonts.h"
#include "ui/icons.h"
#include "ui/keys.h"
#include "ui/links.h"
#include "ui/placement.h"
#include "ui/trim.h"
#include "ui/twips.h"
#include "web/modhelp.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

const QColor Navy(0, 0, 128);
const QColor Yellow(255, 255, 0);
const QColor LinkBlue(0, 0, 192);

QFont underlined(QFont font)
{
    font.setUnderline(true);
    return font;
}

// A frame with its caption on the border, in white on navy.
QGroupBox *makeFrame(QWidget *parent, const QString &name, const QString &caption, const QRect &box)
{
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    frame->setGeometry(box);
    frame->setFont(verdana(9.75, true));
    setBackground(frame, Navy);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::WindowText, Qt::white);
    frame->setPalette(palette);
    return frame;
}

// The font goes down in steps until the text fits the control's width: the site's name in a
// caption comes from the build, and a long one must not be cut off.
void shrinkToWidth(QWidget *control)
{
    QFont font = control->font();
    while (control->sizeHint().width() > control->width() && font.pointSizeF() > 6) {
        font.setPointSizeF(font.pointSizeF() - 0.75);
        control->setFont(font);
    }
}

bool isProperAddress(const QString &address)
{
    return address.contains(QLatin1Char('@')) && address.contains(QLatin1Char('.'));
}

} // namespace

frmNagScreen2::frmNagScreen2(const QIcon &icon, QWidget *parent)
    : QWidget(parent)
    , icon(icon)
{
    setObjectName(QStringLiteral("frmNagScreen2"));
    setUpFixedWindow(this, Qt::Window);
    setFixedSize(twipsToPixels(11115), twipsToPixels(4725));
    setBackground(this, Qt::white);

    buildSupport();
    buildReferAFriend();
    buildAdvert();

    setTabOrder(cmdClose, Check1);
    setTabOrder(Check1, txtName);
    setTabOrder(txtName, cmdSubmit);
    setTabOrder(cmdSubmit, txtEmail);
    setTabOrder(txtEmail, txtFriendEmail);
    setTabOrder(txtFriendEmail, txtFriendName);

    connect(cmdClose, &QPushButton::clicked, this, &frmNagScreen2::cmdClose_Click);
    connect(cmdSubmit, &QPushButton::clicked, this, &frmNagScreen2::cmdSubmit_Click);
    connect(Check1, &QCheckBox::clicked, this, &frmNagScreen2::Check1_Click);
    connect(lblGoToHome, &LinkLabel::clicked, this, &frmNagScreen2::lblGoToHome_Click);
    for (QWidget *box : std::initializer_list<QWidget *>{txtName, txtEmail, txtFriendName, txtFriendEmail,
                                                        txtMessage})
        box->installEventFilter(this);

    Form_Load();
    centreOnScreen(this);
    cmdClose->setFocus();
}

void frmNagScreen2::buildSupport()
{
    picNagscreen2Icon = new QLabel(this);
    picNagscreen2Icon->setObjectName(QStringLiteral("picNagscreen2Icon"));
    picNagscreen2Icon->setGeometry(twipsRect(360, 120, 540, 540));
    picNagscreen2Icon->setAlignment(Qt::AlignCenter);

    QFont titleFont;
    titleFont.setFamilies(installedFamilies(
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"), QStringLiteral("DejaVu Sans")}));
    titleFont.setPointSizeF(18);
    lblNagScreen2Caption = makeLabel(this, QStringLiteral("lblNagScreen2Caption"), QString(), Qt::black,
                                     titleFont);
    lblNagScreen2Caption->move(twipsToPixels(1080), twipsToPixels(240));

    Label2 = boxLabel(this, QStringLiteral("Label2"), SupportText(1), palette().color(QPalette::WindowText),
                      verdana(9.75, true), twipsRect(120, 840, 6975, 1095));

    Check1 = new LinkCheckBox(this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(twipsRect(30, 2040, 7185, 555));
    Check1->setText(QStringLiteral("Visit %1 Now").arg(modHelp::SiteName()));
    Check1->setFont(underlined(verdana(14.25)));
    setTextColor(Check1, LinkBlue);
    Check1->setCursor(Qt::PointingHandCursor);
    shrinkToWidth(Check1);

    cmdClose = makeButton(this, QStringLiteral("cmdClose"), QStringLiteral("E&xit"),
                          twipsRect(6000, 2760, 1245, 375));
    spoken = new SpokenNotice(this);
}

void frmNagScreen2::buildReferAFriend()
{
    using namespace modTellAFriend;
    Frame2 = makeFrame(this, QStringLiteral("Frame2"), QStringLiteral("Refer A Friend"),
                       twipsRect(120, 3240, 7065, 1455));

    const auto makeBox = [this](const QString &name, QStringView prompt, const QRect &box) {
        PromptTextBox *text = nullptr;
        withApplicationFont(font(), [&] { text = new PromptTextBox(prompt.toString(), Frame2); });
        text->setObjectName(name);
        text->setGeometry(box);
        text->setFont(font());
        return text;
    };
    txtName = makeBox(QStringLiteral("txtName"), PromptName, twipsRect(85, 360, 3375, 285));
    txtEmail = makeBox(QStringLiteral("txtEmail"), PromptEmail, twipsRect(3600, 360, 3375, 285));
    txtFriendName = makeBox(QStringLiteral("txtFriendName"), PromptFriendName, twipsRect(85, 720, 3375, 285));
    txtFriendEmail = makeBox(QStringLiteral("txtFriendEmail"), PromptFriendEmail,
                             twipsRect(3600, 720, 3375, 285));

    cmdSubmit = makeButton(Frame2, QStringLiteral("cmdSubmit"), QStringLiteral("Refer A Friend &Now"),
                           twipsRect(1920, 1080, 3375, 285));
    cmdSubmit->setFont(verdana(8.25, true));

    // Below the frame's lower edge, so the frame hides it; the request sends its opening text.
    // Tab passes it by: typing into a box nobody can see would change the message unseen.
    withApplicationFont(font(), [this] { txtMessage = new PromptTextEdit(PromptMessage.toString(), Frame2); });
    txtMessage->setObjectName(QStringLiteral("txtMessage"));
    txtMessage->setGeometry(twipsRect(4800, 3600, 1815, 495));
    txtMessage->setFont(font());
    txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtMessage->setFocusPolicy(Qt::NoFocus);
    txtMessage->setText(PromptMessage.toString() + QStringLiteral("\r\n"));
    // Hidden as well, so that a screen reader does not offer what nobody can see either.
    txtMessage->hide();
}

void frmNagScreen2::buildAdvert()
{
    Frame6 = makeFrame(this, QStringLiteral("Frame6"), QStringLiteral("Download Quillmoor Softwares"),
                       twipsRect(7320, 120, 3735, 4575));
    Label3 = boxLabel(Frame6, QStringLiteral("Label3"),
                      QStringLiteral("If you enjoyed Vexmora, you will enjoy our other programs too: astrology, "
                                     "psychic, tarot, numerology and occult software, each of them simple, "
                                     "fun and informative. Try them, and share the experience with your "
                                     "friends and family!"),
                      Qt::white, verdana(9), twipsRect(120, 360, 3495, 3855));
    lblGoToHome = makeLink(Frame6, QStringLiteral("lblGoToHome"),
                           QStringLiteral("Click Here To Visit Quillmoor Softwares"), Yellow, verdana(9, true));
    // Wider than the frame on one line in these fonts: it wraps within its width instead, and
    // grows upwards from its lower edge, with the paragraph above ending where it starts.
    lblGoToHome->setWordWrap(true);
    const int width = twipsToPixels(3585);
    const int height = lblGoToHome->heightForWidth(width);
    lblGoToHome->setGeometry(twipsToPixels(75), twipsToPixels(4250 + 210) - height, width, height);
    Label3->resize(Label3->width(), std::min(Label3->height(), lblGoToHome->y() - Label3->y()));
}

QString frmNagScreen2::SupportText(int number)
{
    const QString site = modHelp::SiteName();
    switch (number) {
    case 0:
        return QStringLiteral("Programs like this one can only be made and kept up with your support. The "
                              "best way to support us is to visit %1 regularly and take part in the "
                              "discussions and other activities on the board.")
            .arg(site);
    case 2:
        return QStringLiteral("%1 is a free online discussion forum. Help it develop and maintain this "
                              "program: visit it regularly.")
            .arg(site);
    case 3:
        return QStringLiteral("%1 needs your help! Visiting it regularly and taking part in its discussions "
                              "and activities helps us maintain it and develop more programs for you.")
            .arg(site);
    default:
        return QStringLiteral("Please visit %1 regularly and support it by taking part in its discussions "
                              "and other activities. Without your regular visits we cannot support and "
                              "maintain these programs.")
            .arg(site);
    }
}

void frmNagScreen2::Form_Load()
{
    setWindowTitle(QStringLiteral("Vexmora"));
    lblNagScreen2Caption->setText(QStringLiteral("Vexmora v1.15"));
    sizeToText(lblNagScreen2Caption);

    setWindowIcon(icon);
    showIcon(picNagscreen2Icon, icon, QSize(32, 32));

    platform().seedRandom();
    const int drawn = static_cast<int>(platform().nextRandom() * 4);
    Label2->setText(SupportText(std::clamp(drawn, 0, 3)));

    // Above every other window. It comes up active all the same: when it appears the main window
    // has just gone, so no other window of the program is in use, and the keyboard belongs here,
    // where Enter or Space presses "E&xit".
    setWindowFlag(Qt::WindowStaysOnTopHint);
}

void frmNagScreen2::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Without a window manager nothing would give it the keyboard; with one, this asks for it.
    activateWindow();
}

// The message is said once, as the screen first comes up active: one event later, once the
// screen reader has been told of the window and of the focus on "E&xit", either of which would
// cut short a message said before it.
void frmNagScreen2::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || messageSaid)
        return;
    messageSaid = true;
    QMetaObject::invokeMethod(this, [this] { spoken->say(Label2->text()); }, Qt::QueuedConnection);
}

void frmNagScreen2::closeEvent(QCloseEvent *event)
{
    emit unloading();
    event->accept();
}

void frmNagScreen2::cmdClose_Click()
{
    close(); // the same way out as the close box
}

void frmNagScreen2::cmdSubmit_Click()
{
    using namespace modTellAFriend;
    // Alt+N takes the focus to the button as a click does, so that a box the user emptied has
    // its prompt again before it is read.
    cmdSubmit->setFocus(Qt::ShortcutFocusReason);
    strTafName = trimSpaces(txtName->text());
    strTafEmail = trimSpaces(txtEmail->text());
    strTafMessage = trimSpaces(txtMessage->text());
    strTafFriendName = trimSpaces(txtFriendName->text());
    strTafFriendEmail = trimSpaces(txtFriendEmail->text());
    if (strTafEmail == strTafFriendEmail) {
        stopMessage(QStringLiteral("Please Enter Distinct Email Addresses"));
        return;
    }
    // Presence only: where the "@" and the "." stand is the site's business.
    if (!isProperAddress(strTafEmail) || !isProperAddress(strTafFriendEmail)) {
        stopMessage(QStringLiteral("Please Enter Proper Email Address"));
        return;
    }
    SendTellAFriend();
}

// A tick box that works as a link: a click ticks it, and the handler unticks it at once.
void frmNagScreen2::Check1_Click()
{
    if (Check1->isChecked()) {
        Check1->setChecked(false);
        modHelp::OpenWebPage(QStringLiteral("home-page"));
    }
}

void frmNagScreen2::lblGoToHome_Click()
{
    modHelp::OpenWebPage(QStringLiteral("quillmoorsoftwares"));
}

void frmNagScreen2::txtEmail_KeyPress(int &KeyAscii)
{
    refuseSpace(KeyAscii, txtEmail);
}

void frmNagScreen2::txtFriendEmail_KeyPress(int &KeyAscii)
{
    refuseSpace(KeyAscii, txtFriendEmail);
}

// Typed spaces only: a pasted one stays, and the site gets it as it is.
void frmNagScreen2::refuseSpace(int &KeyAscii, PromptTextBox *box)
{
    if (KeyAscii == ' ') {
        stopMessage(QStringLiteral("Email Address Cannot Contain Space"));
        KeyAscii = 0;
        box->setFocus();
    }
}

bool frmNagScreen2::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto &key = *static_cast<QKeyEvent *>(event);
    // An access key that no control answers types nothing either.
    if (isAltCombination(key))
        return true;
    if (watched == txtEmail)
        return cancelledByKeyPress(key, [this](int &KeyAscii) { txtEmail_KeyPress(KeyAscii); });
    if (watched == txtFriendEmail)
        return cancelledByKeyPress(key, [this](int &KeyAscii) { txtFriendEmail_KeyPress(KeyAscii); });
    return false;
}
