#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace platform {

// The desktop's standard dialogs for choosing a file and a colour.
class CommonDialogs
{
public:
    virtual ~CommonDialogs() = default;
    // The chosen file, or nothing when the user cancelled. `filter` is in Qt's form
    // ("Pictures (*.bmp *.jpg);;All Files (*)").
    virtual std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& folder,
                                            const QString& preset, const QString& filter) = 0;
    // As openFile, with one entry of the filter (`selectedFilter`) chosen when the dialog opens.
    virtual std::optional<QString> openFileFiltered(QWidget* parent, const QString& title,
                                                    const QString& folder, const QString& filter,
                                                    const QString& selectedFilter)
    {
        (void)selectedFilter;
        return openFile(parent, title, folder, QString(), filter);
    }
    // The chosen colour (any colour, the dialog fully expanded), or nothing when cancelled.
    virtual std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) = 0;
};

class QtCommonDialogs final : public CommonDialogs
{
public:
    std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& folder,
                                    const QString& preset, const QString& filter) override;
    std::optional<QString> openFileFiltered(QWidget* parent, const QString& title, const QString& folder,
                                            const QString& filter, const QString& selectedFilter) override;
    std::optional<QColor> chooseColor(QWidget* parent, const QColor& initial) override;
};

} // namespace platform
