#include "platform/MessageBoxes.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace platform {

namespace {

// Laying out a text of millions of characters takes the box minutes and stops everything else;
// no message of ours comes near this.
constexpr qsizetype kMaxShownText = 4000;

QString shown(const QString& text)
{
    if (text.size() <= kMaxShownText)
        return text;
    qsizetype cut = kMaxShownText;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QChar(0x2026);
}

// A little below and right of the box before, and back at the screen's edge where that would go
// off it, so that every box of a long row of reminders can be seen.
QPoint cascaded(const QPoint& previous, const QSize& size, const QRect& screen)
{
    QPoint next = previous + QPoint(32, 32);
    if (next.x() + size.width() > screen.right() + 1)
        next.setX(screen.left());
    if (next.y() + size.height() > screen.bottom() + 1)
        next.setY(screen.top());
    return next;
}

// A run of characters without a place to break runs off the side of a box: a zero-width space
// every few characters lets it wrap.
QString breakable(const QString& text)
{
    constexpr int kRun = 20;
    QString out;
    out.reserve(text.size() + text.size() / kRun);
    int run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kRun && !c.isLowSurrogate()) {
            out += QChar(0x200B);
            run = 1;
        }
        out += c;
    }
    return out;
}

// The window system draws the title, in a font of its own and beside its buttons: the box is
// made wide enough for the title in a bold application font with room for those buttons.
void fitTitle(QMessageBox& box, const QString& title)
{
    QFont font = QApplication::font();
    font.setBold(true);
    const int width = QFontMetrics(font).horizontalAdvance(title) + 140;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(),
                      0, 1, grid->columnCount());
}

} // namespace

QtMessageBoxes::QtMessageBoxes(QString applicationTitle) : m_title(std::move(applicationTitle)) {}

QMessageBox::StandardButton QtMessageBoxes::ask(QMessageBox::Icon icon, const QString& title,
                                                const QString& text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, title, shown(text), buttons, QApplication::activeWindow());
    captionButtons(box);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void QtMessageBoxes::captionButtons(QMessageBox& box) const
{
    const std::pair<QMessageBox::StandardButton, const char*> captions[] = {{QMessageBox::Ok, "OK"},
                                                                            {QMessageBox::Yes, "Yes"},
                                                                            {QMessageBox::No, "No"},
                                                                            {QMessageBox::Cancel, "Cancel"}};
    for (const auto& [which, caption] : captions)
        if (QAbstractButton* button = box.button(which))
            button->setText(m_caption(QString::fromLatin1(caption)));
}

void QtMessageBoxes::error(const QString& text)
{
    ask(QMessageBox::Critical, m_title, text, QMessageBox::Ok);
}

void QtMessageBoxes::warning(const QString& text)
{
    ask(QMessageBox::Warning, m_title, text, QMessageBox::Ok);
}

void QtMessageBoxes::information(const QString& title, const QString& text)
{
    ask(QMessageBox::Information, title, text, QMessageBox::Ok);
}

void QtMessageBoxes::showInformation(const QString& title, const QString& text)
{
    showReminder(title, text, {}, {});
}

void QtMessageBoxes::showWarning(const QString& text)
{
    showWithoutWaiting(QMessageBox::Warning, m_title, text, {}, {});
}

void QtMessageBoxes::showReminder(const QString& title, const QString& text, const QStringList& laterChoices,
                                  std::function<void(int)> later)
{
    showWithoutWaiting(QMessageBox::Information, title, text, laterChoices, std::move(later));
}

void QtMessageBoxes::showWithoutWaiting(QMessageBox::Icon icon, const QString& title, const QString& text,
                                        const QStringList& laterChoices, std::function<void(int)> later)
{
    auto* box = new QMessageBox(icon, title, breakable(shown(text)), QMessageBox::Ok);
    captionButtons(*box);
    if (!laterChoices.isEmpty()) {
        // One button with the first choice; the others in its menu.
        QPushButton* again = box->addButton(laterChoices.constFirst(), QMessageBox::ActionRole);
        auto* menu = new QMenu(again);
        for (int i = 0; i < laterChoices.size(); ++i)
            QObject::connect(menu->addAction(laterChoices[i]), &QAction::triggered, box, [box, later, i] {
                box->close();
                later(i);
            });
        again->setMenu(menu);
        box->setEscapeButton(QMessageBox::Ok); // closing the box is OK, not a choice of later
    }
    fitTitle(*box, title);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Nothing waits for the box, so the clock ticks on either way. Over a modal dialog (the event
    // editor's test, or an event due while a dialog is open) a modeless box would be blocked along
    // with everything else and could not be closed: there it takes the input itself.
    box->setWindowModality(QApplication::activeModalWidget() ? Qt::ApplicationModal : Qt::NonModal);
    box->show();
    m_shownBoxes.removeAll(nullptr);
    if (!m_shownBoxes.isEmpty())
        box->move(cascaded(m_shownBoxes.constLast()->pos(), box->frameGeometry().size(),
                           box->screen()->availableGeometry()));
    box->raise();
    box->activateWindow();
    m_shownBoxes << box;
}

MessageBoxes::Answer QtMessageBoxes::question(const QString& text, bool withCancel)
{
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    switch (ask(QMessageBox::Question, m_title, text, buttons)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return withCancel ? Answer::Cancel : Answer::No;
    }
}

} // namespace platform
