#pragma once

#include "gui_test_base.h"

#include "common/number_button_grid.h"
#include "common/print_dialog.h"
#include "filter/combination_table.h"
#include "filter/total_filter.h"
#include "filter/u_totalfilt.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include <string>

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

/// Rows left after one core run over every combination.
inline std::size_t coreSurvivors(const quorlin::TotalFilterSettings& settings, const quorlin::FilterSpace& space = {})
{
    quorlin::CombinationTable table;
    table.buildAll(35, 5);
    return *quorlin::runTotalFilter(table, settings, space);
}

/// The world of a total-filter window test: the window opened from the main window over the
/// shipped lottery, its widgets found by name, and its runs waited for.
class TotalFilterWindowTest : public GuiTestBase {
    Q_OBJECT

protected slots:
    void init()
    {
        setUpProgram();
        PrintDialog::setTestMode(true);
        openShippedLottery();
        triggerAction("mnutotalfilt");
        window_ = qobject_cast<Tfrmtotalfilt*>(mainWindow_->tools().window("Tfrmtotalfilt"));
        QVERIFY(window_ && window_->isVisible());
    }
    void cleanup()
    {
        window_ = nullptr;
        tearDownProgram();
    }

protected:
    Tfrmtotalfilt* window() const { return window_; }
    template <class T> T* child(const char* name) const
    {
        T* found = window_->findChild<T*>(name);
        if (!found)
            qWarning("no widget %s", name);
        return found;
    }
    void click(const char* name)
    {
        auto* button = child<QPushButton>(name);
        QVERIFY(button);
        QVERIFY2(button->isEnabled(), name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void clickNumbers(const char* prefix, const QList<int>& numbers)
    {
        for (int n : numbers)
            QTest::mouseClick(child<QPushButton>(qPrintable(QString::asprintf("%s%.2d", prefix, n))), Qt::LeftButton);
    }
    void setCombo(const char* name, const QString& text) { child<QComboBox>(name)->setEditText(text); }
    void waitIdle() { QTRY_VERIFY(!window_->isBusy()); }
    /// Clicks 过滤 and waits for the run to end.
    void filter()
    {
        click("btnfilt");
        waitIdle();
    }
    NumberButtonGrid* grid(const char* name) const { return child<NumberButtonGrid>(name); }
    QString memoLine(int row) const
    {
        const QAbstractItemModel* model = child<QAbstractItemView>("memcode")->model();
        return model->data(model->index(row, 0)).toString();
    }
    int memoLines() const { return child<QAbstractItemView>("memcode")->model()->rowCount(); }
    QString tempPath() const { return QString::fromStdString(program_->apppath()) + "temp.txt"; }

    Tfrmtotalfilt* window_ = nullptr;
};
