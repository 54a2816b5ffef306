#include "analysis/recent_count_box.h"

#include "common/message_box.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace {

const QString kAllDraws = QStringLiteral("全部期");
constexpr int kStartRecent = 3;

} // namespace

RecentCountBox::RecentCountBox(QWidget* parent) : QComboBox(parent)
{
    setObjectName("comzuijingqishu");
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(20);
    setMinimumContentsLength(6);
    connect(this, &QComboBox::currentIndexChanged, this, &RecentCountBox::comzuijingqishuChange);
    // Picking the item already current after a refused text brings that item's number back.
    connect(this, &QComboBox::activated, this, &RecentCountBox::comzuijingqishuChange);
    connect(lineEdit(), &QLineEdit::editingFinished, this, &RecentCountBox::comzuijingqishuChange);
}

void RecentCountBox::fill(int draws)
{
    const QSignalBlocker blocker(this);
    draws_ = draws;
    QStringList items{kAllDraws};
    for (int k = 1; k <= draws; ++k)
        items.append(QString::number(k));
    clear();
    addItems(items);
    // With fewer draws than the start value the box shows the last choice; N is kept within the
    // history where it is used.
    setCurrentIndex(std::min(kStartRecent, draws));
    recent_ = kStartRecent;
    taken_ = currentText();
}

void RecentCountBox::comzuijingqishuChange()
{
    const QString text = currentText();
    if (text == taken_)
        return;
    taken_ = text;
    if (text == kAllDraws) {
        recent_ = draws_;
    } else {
        bool ok = false;
        const int value = text.trimmed().toInt(&ok);
        if (!ok) {
            refuse(this, "“" + text + "”不是有效的整数");
            return;
        }
        recent_ = value;
    }
    emit recentChanged(recent_);
}
