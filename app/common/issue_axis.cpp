#include "common/issue_axis.h"

#include <QCategoryAxis>

#include <algorithm>

void labelIssueAxis(QCategoryAxis& axis, const QStringList& issues, int mostLabels, qreal first, qreal last)
{
    for (const QString& label : axis.categoriesLabels())
        axis.remove(label);
    const qsizetype step = std::max<qsizetype>(1, (issues.size() + mostLabels - 1) / mostLabels);
    axis.setStartValue(first);
    for (qsizetype i = 0; i < issues.size(); i += step)
        axis.append(issues[i], static_cast<qreal>(i));
    axis.setRange(first, last);
}
