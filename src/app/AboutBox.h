#pragma once

#include <QDialog>

namespace app {

// A small modal window with the product name, version and credits.
class AboutBox final : public QDialog
{
    Q_OBJECT

public:
    explicit AboutBox(QWidget* parent = nullptr);
};

} // namespace app
