#include "select/radio_group.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(const char* name, const QStringList& items, int index, QWidget* parent)
    : QGroupBox(parent), buttons_(new QButtonGroup(this))
{
    setObjectName(name);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setObjectName(QString::fromLatin1(name) + QString::number(i));
        buttons_->addButton(button, i);
        layout->addWidget(button);
    }
    setItemIndex(index);
    connect(buttons_, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

int RadioGroup::itemIndex() const
{
    return buttons_->checkedId();
}

void RadioGroup::setItemIndex(int index)
{
    if (QAbstractButton* button = buttons_->button(index))
        button->setChecked(true);
}
