#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace platform {
class Shell;
}

namespace app {

// A small modal window with the product's name, version and credits, and two buttons that
// write to us or visit our web page through the desktop.
class AboutBox final : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(platform::Shell& shell, QWidget* parent = nullptr);

    static QString version();
    static const QString MailAddress;
    static const QString WebPage;

    QPushButton* btnMail = nullptr;
    QPushButton* btnWeb = nullptr;
    QPushButton* btnOK = nullptr;
    QLabel* lblTranslator = nullptr;
    QLabel* lblVersion = nullptr;

private:
    platform::Shell& m_shell;
};

} // namespace app
