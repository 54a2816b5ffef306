#pragma once

#include "common/text_table_model.h"

#include <QTableView>

/// The read-only grid of texts the analysis windows show their tables in: rows selected whole, no
/// row numbers, rows of one height.
class TextGrid : public QTableView {
    Q_OBJECT
public:
    explicit TextGrid(QWidget* parent = nullptr);

    TextTableModel& table() const { return *model_; }

private:
    TextTableModel* model_;
};
