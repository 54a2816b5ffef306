#pragma once

#include <QStringList>

class QCategoryAxis;

/// Labels a chart's draw axis (point i at x = i) with at most `mostLabels` issues spread evenly,
/// over the range first..last.
void labelIssueAxis(QCategoryAxis& axis, const QStringList& issues, int mostLabels, qreal first, qreal last);
