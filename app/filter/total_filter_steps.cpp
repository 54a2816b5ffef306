#include "filter/total_filter_steps.h"

#include "filter/filter_scheme.h"

TotalFilterSteps::TotalFilterSteps(QWidget* parent) : QListWidget(parent)
{
    setObjectName("lststeps");
    setWordWrap(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int step = row(item);
        if (step >= 0 && static_cast<std::size_t>(step) < steps_.size())
            emit stepChosen(steps_[static_cast<std::size_t>(step)]);
    });
}

void TotalFilterSteps::append(const quorlin::TotalFilterSettings& settings, std::size_t bets)
{
    steps_.push_back(settings);
    const QString text = QStringLiteral("%1. %2 → %3注")
                             .arg(steps_.size())
                             .arg(QString::fromStdString(quorlin::filterSettingsText(settings)))
                             .arg(bets);
    addItem(text);
    item(count() - 1)->setToolTip(text);
    scrollToBottom();
}

void TotalFilterSteps::clearSteps()
{
    steps_.clear();
    clear();
}

std::optional<quorlin::TotalFilterSettings> TotalFilterSteps::last() const
{
    if (steps_.empty())
        return std::nullopt;
    return steps_.back();
}
