#include "common/placed_widgets.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

QLabel* addLabel(QWidget* parent, const char* name, const char* caption, const QRect& geometry)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QPushButton* addButton(QWidget* parent, const char* name, const char* caption, const QRect& geometry)
{
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

void centreOnScreen(QWidget& window)
{
    if (const QScreen* screen = window.screen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}
