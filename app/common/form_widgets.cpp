#include "common/form_widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace FormWidgets {

QLabel* label(QWidget* parent, const QString& caption, const QRect& geometry)
{
    auto* label = new QLabel(caption, parent);
    label->setGeometry(geometry);
    return label;
}

QLineEdit* lineEdit(QWidget* parent, const char* name, const QRect& geometry, const QString& text)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    return edit;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    return button;
}

} // namespace FormWidgets
