#pragma once

#include "AppInfo.h"

#include <QDialog>

#include <memory>

class LinkOpener;
class Platform;
class PointerHold;

namespace Ui {
class AboutDialog;
}

// The About window: name, version, copyright, what the program does and a thanks line,
// with links to mail the author, to the download page and to the credited page, and a
// second view that lists the author's addresses.  While the window shows, the pointer is
// held inside it until the user leaves through one of its buttons, or goes to another
// program; coming back to the main view holds it again.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(Platform& platform, LinkOpener& links, const AppInfo& info, QWidget* parent);
    ~AboutDialog() override;

signals:
    // A link could not be opened; `message` says so in the interface language.
    void linkFailed(const QString& message);

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void fillTexts();
    void onExposed();
    void showAuthor();
    void leaveAuthor();
    void mailAuthor();
    void openDownloadPage();
    void openCreditPage();
    // Hands `url` to the desktop; a failure is reported with `failure` once it is known.
    void openLink(const QString& url, const QString& failure);
    [[nodiscard]] QString mainTitle() const;

    std::unique_ptr<Ui::AboutDialog> m_ui;
    LinkOpener& m_links;
    AppInfo m_info;
    PointerHold* m_pointerHold;
};
