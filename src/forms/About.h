#pragma once

#include "core/Language.h"
#include "platform/PlatformServices.h"

#include <QDialog>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;
class QToolButton;
class TMainForm;

// The About window: name, version, copyright, what the program does and a thanks line,
// with links to mail the author, to the download page and to the credited page, and a
// second view that lists the author's addresses.  While the main view shows, the pointer
// is held inside the window until the user leaves through one of its buttons.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    TAboutForm(PlatformServices& platform, TMainForm& mainForm);
    ~TAboutForm() override;
    TAboutForm(const TAboutForm&) = delete;
    TAboutForm& operator=(const TAboutForm&) = delete;

    // Controls, by the names the layout gives them.
    QTextEdit* AuthorMemo;
    QPushButton* OKBtn1;
    QFrame* MainPanel;
    QLabel* NameLabel;
    QLabel* VersionLabel;
    QFrame* Bevel1;
    QLabel* Label3;
    QToolButton* SpeedButton1;
    QFrame* Bevel3;
    QLabel* CopyrightLabel;
    QPushButton* AuthorBtn;
    QFrame* Bevel2;
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* MailBtn;
    QPushButton* OKBtn;
    QPushButton* HomeBtn;
    QPlainTextEdit* MailMemo;

    void FormCreate();
    void FormPaint();
    void OKBtnClick();
    void AuthorBtnClick();
    void OKBtn1Click();
    void MailBtnClick();
    void HomeBtnClick();
    void SpeedButton1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void reject() override;

private:
    void createControls();
    void connectHandlers();
    void confine();
    void liftConfinement();
    // Hands `target` to the shell; a failure is reported with `failure` once it is known.
    void openLink(const QString& target, const BiText& failure);

    PlatformServices& m_platform;
    TMainForm& m_mainForm;
    // Whether this window holds the pointer now, so a move can carry the limit along.
    bool m_confining = false;
};

// The program's one About window.
extern TAboutForm* AboutForm;
