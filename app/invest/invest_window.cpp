#include "invest/invest_window.h"

#include <QScreen>

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
    if (!placed_) {
        placed_ = true;
        if (const QScreen* s = screen())
            move(s->availableGeometry().center() - rect().center());
    }
    setColumnWidths();
}

void InvestWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    setColumnWidths();
}
