#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace platform {
class MessageBoxes;
}

namespace lang {

// The language chooser. It changes only the chosen language's name; the program keeps its texts
// until it is started again.
class TfrmLanguage final : public QDialog
{
    Q_OBJECT

public:
    TfrmLanguage(QString& language, QString langFolder, platform::MessageBoxes& messages,
                 QWidget* parent = nullptr);

    QListWidget* lstLanguage = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

    // The name the list shows for English.
    static QString defaultEntry();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void fill();
    void lstLanguageClick();

    QString& m_language;
    QString m_oldLanguage;
    QString m_langFolder;
    platform::MessageBoxes& m_messages;
    bool m_closingByButton = false;
};

} // namespace lang
