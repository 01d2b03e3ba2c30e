#include "lang/TfrmLanguage.h"

#include "lang/ApplyLanguage.h"
#include "lang/LanguageTable.h"
#include "lang/Translate.h"
#include "platform/MessageBoxes.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace lang {

TfrmLanguage::TfrmLanguage(QString& language, QString langFolder, platform::MessageBoxes& messages,
                           QWidget* parent)
    : QDialog(parent), m_language(language), m_langFolder(std::move(langFolder)), m_messages(messages)
{
    setWindowTitle(QStringLiteral("Language Support"));
    setProperty("helpContext", 1190);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Choose a Language"), this));
    lstLanguage = new QListWidget(this);
    lang::ownTexts(lstLanguage); // language names are names
    layout->addWidget(lstLanguage);
    auto* buttons = new QDialogButtonBox(this);
    btnOK = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    btnCancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    auto* restart = new QLabel(QStringLiteral("Restart the Clock to change"), this);
    restart->setWordWrap(true);
    layout->addWidget(restart);
    resize(260, 300);

    connect(lstLanguage, &QListWidget::itemClicked, this, &TfrmLanguage::lstLanguageClick);
    connect(lstLanguage, &QListWidget::currentRowChanged, this, [this] {
        if (isVisible())
            lstLanguageClick(); // the keyboard chooses as a click does
    });
    connect(lstLanguage, &QListWidget::itemDoubleClicked, this, [this] {
        lstLanguageClick();
        btnOK->click();
    });
    connect(btnOK, &QPushButton::clicked, this, [this] {
        m_closingByButton = true;
        accept();
        m_closingByButton = false;
    });
    connect(btnCancel, &QPushButton::clicked, this, &TfrmLanguage::reject);

    applyLanguage(this);
}

QString TfrmLanguage::defaultEntry()
{
    return Translate(QStringLiteral("default <English>"));
}

void TfrmLanguage::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        m_oldLanguage = m_language;
        fill();
    }
}

void TfrmLanguage::fill()
{
    const QSignalBlocker quiet(lstLanguage);
    lstLanguage->clear();
    lstLanguage->addItem(defaultEntry());
    lstLanguage->addItems(languageNames(m_langFolder));
    int chosen = 0;
    for (int i = 1; i < lstLanguage->count(); ++i)
        if (lstLanguage->item(i)->text().compare(m_language, Qt::CaseInsensitive) == 0)
            chosen = i;
    lstLanguage->setCurrentRow(chosen);
    btnOK->setEnabled(false);
}

void TfrmLanguage::lstLanguageClick()
{
    const int row = lstLanguage->currentRow();
    if (row < 0)
        return;
    m_language = row == 0 ? QString() : lstLanguage->item(row)->text();
    btnOK->setEnabled(true);
}

void TfrmLanguage::reject()
{
    // Cancel and Escape put back the language of the opening, without asking.
    m_language = m_oldLanguage;
    m_closingByButton = true;
    QDialog::reject();
    m_closingByButton = false;
}

void TfrmLanguage::closeEvent(QCloseEvent* event)
{
    if (m_closingByButton || m_language == m_oldLanguage) {
        QDialog::closeEvent(event);
        return;
    }
    switch (m_messages.question(Translate(QStringLiteral("Save Changes?")), true)) {
    case platform::MessageBoxes::Answer::Yes:
        event->ignore();
        btnOK->click();
        break;
    case platform::MessageBoxes::Answer::No:
        event->ignore();
        reject();
        break;
    case platform::MessageBoxes::Answer::Cancel:
        event->ignore();
        break;
    }
}

} // namespace lang
