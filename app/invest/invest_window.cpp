#include "invest/invest_window.h"

InvestWindow::InvestWindow(const QString& caption, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
}

void InvestWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    setColumnWidths();
}

void InvestWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    setColumnWidths();
}
