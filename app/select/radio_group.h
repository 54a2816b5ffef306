#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

/// A framed column of radio buttons of which one is chosen, addressed by the index of its item
/// (the selection windows' 前区/后区 and mode choices).
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(const char* name, const QStringList& items, int index, QWidget* parent = nullptr);

    int itemIndex() const;
    /// Chooses an item without the clicked signal.
    void setItemIndex(int index);

signals:
    /// The user chose the item `index`.
    void clicked(int index);

private:
    QButtonGroup* buttons_;
};
