#include "app/AboutBox.h"

#include "app/TrayIconFace.h"
#include "lang/ApplyLanguage.h"
#include "lang/Translate.h"
#include "platform/Shell.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

const QString AboutBox::MailAddress = QStringLiteral("veskel@palvaro.example");
const QString AboutBox::WebPage = QStringLiteral("https://www.palvaro.example/veskel/");

QString AboutBox::version()
{
    return QStringLiteral(VESKEL_VERSION);
}

AboutBox::AboutBox(platform::Shell& shell, QWidget* parent) : QDialog(parent), m_shell(shell)
{
    setWindowTitle(QStringLiteral("About Veskel"));
    setModal(true);

    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap::fromImage(drawTrayIcon(QTime(10, 8), Qt::red, Qt::blue)).scaled(64, 64));
    auto* name = new QLabel(QStringLiteral("Veskel"), this);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 2);
    big.setBold(true);
    name->setFont(big);
    lang::ownTexts(name);
    lblVersion = new QLabel(lang::fillIn(Translate(QStringLiteral("Version %s")), version()), this);
    lang::ownTexts(lblVersion); // translated above, with the number in it
    auto* credits = new QLabel(QStringLiteral("A desktop clock by Palvaro Ltd"), this);
    lblTranslator = new QLabel(QStringLiteral("English texts by the Veskel team"), this);
    lblTranslator->setToolTip(QStringLiteral("The people who wrote the texts in your language"));

    btnMail = new QPushButton(QStringLiteral("Write to Us"), this);
    btnMail->setToolTip(QStringLiteral("Send an e-mail to the makers of the clock"));
    btnWeb = new QPushButton(QStringLiteral("Web Page"), this);
    btnWeb->setToolTip(QStringLiteral("Visit the clock's web page"));
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setDefault(true);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(lblVersion);
    text->addSpacing(8);
    text->addWidget(credits);
    text->addWidget(lblTranslator);
    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnMail);
    buttons->addWidget(btnWeb);
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnMail, &QPushButton::clicked, this,
            [this] { m_shell.openUrl(QUrl(QStringLiteral("mailto:") + MailAddress)); });
    connect(btnWeb, &QPushButton::clicked, this, [this] { m_shell.openUrl(QUrl(WebPage)); });
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace app
