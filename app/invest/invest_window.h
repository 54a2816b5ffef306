#pragma once

#include <QDialog>

/// A window of the investment menu: it stays on top, is centred on the screen when first shown and
/// comes back where the user left it, only hides when closed, and fits its tables' columns to
/// their width whenever it is shown or resized.
class InvestWindow : public QDialog {
    Q_OBJECT
protected:
    InvestWindow(const QString& caption, QWidget* parent);

    /// Sets the column widths of the window's tables from their present width.
    virtual void setColumnWidths() = 0;

    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
};
