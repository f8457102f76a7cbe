#pragma once

#include <QDialog>

class LinkLabel;
class QLabel;
class QPushButton;

// The About window: product, version, what the test is, and two links. It holds no state;
// closing it destroys it, and the next showing builds it afresh. It opens in the middle of
// the screen.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void cmdOK_Click();
    void lblHomePage_Click();
    void lblCoBrand_Click();

    QPushButton *cmdOK = nullptr;
    LinkLabel *lblHomePage = nullptr;
    QLabel *Label3 = nullptr;
    LinkLabel *lblCoBrand = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Picture1 = nullptr;
};
