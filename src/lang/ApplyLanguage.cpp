#include "lang/ApplyLanguage.h"

#include "lang/LanguageTable.h"
#include "lang/Translate.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSet>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>

namespace lang {

namespace {

bool languageActive()
{
    const LanguageTable* table = activeLanguage();
    return table && !table->isEmpty();
}

QString translated(const QString& text)
{
    return text.isEmpty() ? text : Translate(text);
}

bool keepsItsTexts(const QObject* object)
{
    return object->property("untranslated").toBool();
}

// Each action and menu once, even when it is reached along several ways.
void translateActions(QWidget* owner, QSet<QObject*>& done)
{
    for (QAction* action : owner->actions()) {
        if (action->isSeparator() || keepsItsTexts(action) || done.contains(action))
            continue;
        done.insert(action);
        // An action without a hint of its own shows its text as hint; that follows the text.
        QString ownHint = action->toolTip();
        QString implicitHint = action->text();
        implicitHint.remove(u'&');
        if (implicitHint.endsWith(QStringLiteral("...")))
            implicitHint.chop(3);
        if (ownHint == implicitHint)
            ownHint.clear();
        action->setText(translated(action->text()));
        if (!ownHint.isEmpty())
            action->setToolTip(translated(ownHint));
        if (QMenu* sub = action->menu(); sub && !done.contains(sub)) {
            done.insert(sub); // its title is the text of the action just translated
            translateActions(sub, done);
        }
    }
}

void translateWidget(QWidget* w, QSet<QObject*>& done)
{
    if (keepsItsTexts(w) || done.contains(w))
        return;
    done.insert(w);
    w->setToolTip(translated(w->toolTip()));
    if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(translated(label->text()));
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(translated(button->text()));
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
        group->setTitle(translated(group->title()));
    } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setTabText(i, translated(tabs->tabText(i)));
            tabs->setTabToolTip(i, translated(tabs->tabToolTip(i)));
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        for (int i = 0; i < combo->count(); ++i)
            combo->setItemText(i, translated(combo->itemText(i)));
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setText(translated(list->item(i)->text()));
    } else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
        QTreeWidgetItem* header = tree->headerItem();
        for (int i = 0; header && i < header->columnCount(); ++i)
            header->setText(i, translated(header->text(i)));
    } else if (auto* table = qobject_cast<QTableWidget*>(w)) {
        for (int i = 0; i < table->columnCount(); ++i)
            if (QTableWidgetItem* item = table->horizontalHeaderItem(i))
                item->setText(translated(item->text()));
    } else if (auto* menu = qobject_cast<QMenu*>(w)) {
        menu->setTitle(translated(menu->title()));
    }
    translateActions(w, done);
}

} // namespace

void applyLanguage(QWidget* window)
{
    if (!window || !languageActive())
        return;
    QSet<QObject*> done;
    window->setWindowTitle(translated(window->windowTitle()));
    translateWidget(window, done);
    for (QWidget* child : window->findChildren<QWidget*>())
        translateWidget(child, done);
}

void applyLanguage(QMenu* menu)
{
    if (!menu || !languageActive())
        return;
    QSet<QObject*> done;
    translateWidget(menu, done);
    for (QMenu* child : menu->findChildren<QMenu*>())
        translateWidget(child, done);
}

} // namespace lang
