#pragma once

#include "common/bar_chart.h"

#include <QStringList>
#include <QTableView>

/// What an analysis window shows: the texts of its grid, and of its bar chart the titles of the
/// visible series, the values of one, the labels under the bars and whether the values stand on them.
namespace view_probe {

inline QStringList headerTexts(const QTableView& grid)
{
    QStringList texts;
    for (int column = 0; column < grid.model()->columnCount(); ++column)
        texts.append(grid.model()->headerData(column, Qt::Horizontal).toString());
    return texts;
}

inline QStringList rowTexts(const QTableView& grid, int row)
{
    QStringList texts;
    for (int column = 0; column < grid.model()->columnCount(); ++column)
        texts.append(grid.model()->index(row, column).data().toString());
    return texts;
}

inline QStringList columnTexts(const QTableView& grid, int column)
{
    QStringList texts;
    for (int row = 0; row < grid.model()->rowCount(); ++row)
        texts.append(grid.model()->index(row, column).data().toString());
    return texts;
}

inline QStringList shownTitles(const BarChart& chart)
{
    return chart.picture().titles;
}

inline QList<double> shownValues(const BarChart& chart, int set)
{
    return chart.picture().values.at(set);
}

inline QColor shownColour(const BarChart& chart, int set)
{
    return chart.picture().colours.at(set);
}

inline QStringList shownLabels(const BarChart& chart)
{
    return chart.picture().labels;
}

inline bool valuesShown(const BarChart& chart)
{
    return chart.picture().valuesShown;
}

} // namespace view_probe
