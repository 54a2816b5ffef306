#pragma once

#include "gui_test_base.h"

#include "select/selection_window.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

/// The world of a selection-window test: the window opened from the main window over the open
/// lottery, its widgets found by name, and the cells of its history table as the grid shows them.
class SelectionWindowTest : public GuiTestBase {
    Q_OBJECT

protected:
    /// Opens the shipped lottery (already filled), runs `command` and waits for the opening back-test.
    void openWindow(const char* command, const char* key)
    {
        openShippedLottery();
        triggerAction(command);
        window_ = qobject_cast<SelectionWindow*>(mainWindow_->tools().window(key));
        QVERIFY(window_);
        QTRY_VERIFY(!window_->isBusy());
    }
    /// Clicks 历史统计 and waits for its result.
    void backtest()
    {
        click("btntongji");
        QTRY_VERIFY(!window_->isBusy());
    }
    template <class T> T* child(const char* name) const
    {
        T* found = window_->findChild<T*>(name);
        if (!found)
            qFatal("no %s", name);
        return found;
    }
    void click(const char* name) { QTest::mouseClick(child<QAbstractButton>(name), Qt::LeftButton); }
    QString text(const char* name) const { return child<QLineEdit>(name)->text(); }
    QString cell(int row, int column) const
    {
        const QAbstractItemModel* model = child<QTableView>("tabhistory")->model();
        return model->data(model->index(row, column)).toString();
    }
    int rows() const { return child<QTableView>("tabhistory")->model()->rowCount(); }

    SelectionWindow* window_ = nullptr;

protected slots:
    void cleanup()
    {
        window_ = nullptr;
        tearDownProgram();
    }
};
