#pragma once

#include <QWidget>
#include <QString>

#include <array>

class LinkLabel;
class PanelStack;
class QAction;
class QComboBox;
class QFrame;
class QInputMethodEvent;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QRadioButton;
class SpokenNotice;

// The main window: the details panel, the twenty questions one at a time, and the result,
// with the publisher's menu and banners around them.
class frmMain : public QWidget
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);

    // File, Help and Donate, over the client area.
    QMenuBar *menuBar() const { return bar; }

    // Writes the percentages and the verdict for a finished test's score onto the result panel.
    void ShowResult(const qint16 &score);

    // The two offers at the bottom share one place; the start-up draw brings one to the front.
    enum class Offer { FullBranding, CoBranding };
    void bringToFront(Offer offer);

signals:
    // The window is closing, by its close box or by File, Exit; it never refuses.
    void unloading();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override; // Form_Unload

private:
    void Form_Load();
    void cmdTest_Click();
    void cmdNext_Click();
    void cmdMain_Click();
    void txtAge_KeyPress(int &KeyAscii);
    bool txtAge_Composed(const QInputMethodEvent &event);
    void mnuExit_Click();
    void mnuOnline_Click();
    void mnuVisit_Click();
    void mnuUpdate_Click();
    void mnuAbout_Click();
    void mnuDonate_Click();
    void Label61_Click();
    void lblFullBrand_Click();
    void lblCobrand_Click();

    void buildDetails();
    void giveTextBoxesTheirFont();
    void buildTestPanels(); // the question and result panels, once
    void buildQuestion();
    void buildResult();
    void buildMenu();
    void buildBanners(QWidget *client);
    void showFrontBanner();
    void showPanel(QFrame *panel);
    void showQuestion(int position);
    void sayQuestion();
    void setCentredText(QLabel *label, const QString &text);

    QMenuBar *bar = nullptr;
    LinkLabel *lblFullBrand = nullptr;
    LinkLabel *lblCobrand = nullptr;
    PanelStack *panels = nullptr; // only the panel in front takes focus and keys
    SpokenNotice *spoken = nullptr;
    QFrame *fraDetails = nullptr;
    QFrame *fraQuestion = nullptr;
    QFrame *fraResult = nullptr;

    std::array<QLabel *, 5> lblLabel{};
    QLineEdit *txtName = nullptr;
    QLineEdit *txtAge = nullptr;
    QComboBox *cboSex = nullptr;
    QPushButton *cmdTest = nullptr;

    QLabel *lblQuestioNo = nullptr;
    QLabel *lblQuestion = nullptr;
    QRadioButton *optOption1 = nullptr;
    QRadioButton *optOption2 = nullptr;
    QPushButton *cmdNext = nullptr;

    std::array<QLabel *, 4> lblResult{};
    QPushButton *cmdMain = nullptr;

    qint16 intQuestionNo = 0; // position of the question on screen, 0 is question 1
    qint16 intScore = 0;      // masculine answers so far
    qint16 intPercent = 0;    // masculine share of the last result

    // Kept when a test starts; they never influence the result.
    QString strName;
    qint16 intAge = 0;
    QString strSex;
};
