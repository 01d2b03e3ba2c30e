#include "platform/CommonDialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>

namespace platform {

std::optional<QString> QtCommonDialogs::openFile(QWidget* parent, const QString& title, const QString& folder,
                                                 const QString& preset, const QString& filter)
{
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!preset.isEmpty())
        dialog.selectFile(preset);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QString> QtCommonDialogs::openFileFiltered(QWidget* parent, const QString& title,
                                                         const QString& folder, const QString& filter,
                                                         const QString& selectedFilter)
{
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!selectedFilter.isEmpty())
        dialog.selectNameFilter(selectedFilter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

std::optional<QColor> QtCommonDialogs::chooseColor(QWidget* parent, const QColor& initial)
{
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid())
        return std::nullopt;
    return chosen;
}

} // namespace platform
