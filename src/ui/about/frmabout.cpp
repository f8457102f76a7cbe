#include "ui/about/frmabout.h"

#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/icons.h"
#include "ui/links.h"
#include "ui/placement.h"
#include "ui/twips.h"
#include "web/modhelp.h"

#include <QPainter>
#include <QPushButton>

namespace {

const QColor WindowBlue(0x2E, 0x33, 0x98);
const QColor LinkGreen(0x00, 0xFF, 0x00);
const QColor Orange(255, 180, 4);
const QColor LineYellow(0xFF, 0xFF, 0x00);
const int LineY = twipsToPixels(2430);
const int RightEdge = twipsToPixels(6915); // where the texts and the button end

LinkLabel *link(QWidget *parent, const QString &name, const QString &text, int left, int top)
{
    LinkLabel *label = makeLink(parent, name, text, LinkGreen, verdana(8.25));
    label->move(twipsToPixels(left), twipsToPixels(top));
    sizeToText(label);
    // A longer site address than the window was drawn for would run past the right edge:
    // such a link keeps its right end in line with the texts above and below it instead.
    if (label->geometry().right() >= RightEdge)
        label->move(RightEdge - label->width(), label->y());
    return label;
}

} // namespace

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Vexmora"));
    setWindowIcon(applicationIcon());
    setUpFixedWindow(this, Qt::Dialog);
    setFixedSize(twipsToPixels(7065), twipsToPixels(2910));
    setBackground(this, WindowBlue);
    centreOnScreen(this);

    // Created in tab order: the button first, so that it has the focus when the window opens.
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(twipsRect(5655, 2520, 1260, 345));
    cmdOK->setDefault(true); // Enter; Escape closes the dialog as its cancel button would

    lblHomePage = link(this, QStringLiteral("lblHomePage"),
                       QStringLiteral("Click here to visit ") + modHelp::SiteAddress(), 2865, 1335);

    Label3 = boxLabel(this, QStringLiteral("Label3"),
                      QStringLiteral("Home Business Opportunity. Start your own Internet business and make "
                                     "money online. Get this software fully branded for your website."),
                      Qt::white, verdana(8.25, true), twipsRect(120, 1650, 6795, 435));

    lblCoBrand = link(this, QStringLiteral("lblCoBrand"), QStringLiteral("Click here for more details"), 4620,
                      2085);

    Label2 = textLabel(this, QStringLiteral("Label2"), QStringLiteral("Vexmora v1.15"), Qt::white,
                       verdana(9.75, true), 810, 150);

    // Under the title, between the icon's column and the right edge, above the home-page link.
    const int below = Label2->geometry().bottom() + 5;
    Label1 = boxLabel(this, QStringLiteral("Label1"),
                      QStringLiteral("Twenty questions with two answers each show how much of your thinking "
                                     "is masculine and how much is feminine. Take it for fun: it is no "
                                     "scientific test. %1 has more free programs for you.")
                          .arg(modHelp::SiteName()),
                      Orange, verdana(8.25),
                      QRect(Label2->x(), below, RightEdge - Label2->x(), lblHomePage->y() - 3 - below));

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(120, 150, 480, 480));
    showIcon(Picture1, applicationIcon(), Picture1->size());
    Picture1->setScaledContents(true);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(lblHomePage, &LinkLabel::clicked, this, &frmAbout::lblHomePage_Click);
    connect(lblCoBrand, &LinkLabel::clicked, this, &frmAbout::lblCoBrand_Click);
}

void frmAbout::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // The yellow line runs across the full width, dividing the texts from the button.
    QPainter painter(this);
    painter.fillRect(0, LineY - 1, width(), 2, LineYellow);
}

void frmAbout::cmdOK_Click()
{
    close();
}

void frmAbout::lblHomePage_Click()
{
    modHelp::OpenWebPage(QStringLiteral("home-page"));
}

void frmAbout::lblCoBrand_Click()
{
    modHelp::OpenWebPage(QStringLiteral("fully-branded"));
}
