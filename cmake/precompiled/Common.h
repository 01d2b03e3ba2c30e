// Headers nearly every file of ours reads, parsed once per target instead of once per file.
// Each comes only where the target can see it, so a Qt Core library gets no widgets.
#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QByteArray>
#include <QDateTime>
#include <QFileInfo>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#if __has_include(<QPainter>)
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#endif

#if __has_include(<QWidget>)
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QWidget>
#endif
