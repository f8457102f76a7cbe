#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>

class LinkLabel;
class PromptTextBox;
class PromptTextEdit;
class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class SpokenNotice;

// The exit screen, the last window of a run: it advertises the publisher's other programs and
// forum, holds the refer-a-friend form, and ends the process when it closes. It stays above
// every other window, so the pages its links open appear behind it.
class frmNagScreen2 : public QWidget
{
    Q_OBJECT

public:
    // The icon is the start-up object's, for the window and for the picture beside the title.
    explicit frmNagScreen2(const QIcon &icon, QWidget *parent = nullptr);

    // The support texts, 0 to 3, one of which the screen draws when it opens.
    static QString SupportText(int number);

signals:
    // Form_Unload: the screen is closing, by Exit, its close box or any other way; whoever put
    // it up ends the process.
    void unloading();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void cmdClose_Click();
    void cmdSubmit_Click();
    void Check1_Click();
    void lblGoToHome_Click();
    void txtEmail_KeyPress(int &KeyAscii);
    void txtFriendEmail_KeyPress(int &KeyAscii);

    void buildSupport(); // the title, the support text, the link to the forum and Exit
    void buildAdvert();
    void buildReferAFriend();
    void refuseSpace(int &KeyAscii, PromptTextBox *box);

    QIcon icon;

    QGroupBox *Frame6 = nullptr;
    QLabel *Label3 = nullptr;
    LinkLabel *lblGoToHome = nullptr;

    QGroupBox *Frame2 = nullptr;
    PromptTextBox *txtName = nullptr;
    PromptTextBox *txtEmail = nullptr;
    PromptTextBox *txtFriendName = nullptr;
    PromptTextBox *txtFriendEmail = nullptr;
    PromptTextEdit *txtMessage = nullptr;
    QPushButton *cmdSubmit = nullptr;

    QPushButton *cmdClose = nullptr;
    QCheckBox *Check1 = nullptr;
    QLabel *picNagscreen2Icon = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *lblNagScreen2Caption = nullptr;
    SpokenNotice *spoken = nullptr;
    bool messageSaid = false;
};
