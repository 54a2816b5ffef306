// The draw-entry window 彩票数据: selecting a lottery, adding and refusing draws in the grid, the
// add mode's hold on closing, export and import.
#include "gui_test_base.h"

#include "common/file_dialog.h"
#include "common/message_box.h"
#include "data/draw_table_model.h"
#include "data/u_data.h"
#include "shell/lottery_document.h"
#include "shell/u_main.h"
#include "store/database.h"
#include "store/schema.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

const QString kLottery = QString::fromUtf8(quorlin::kShippedLottery);
const QStringList kNewDraw = {"2020006", "05", "16", "23", "30", "34", "2", "09", "2020-01-13"};

// The draw table as another connection reads it: committed rows only, oldest issue first.
QStringList storedIssues(const std::string& databasePath)
{
    quorlin::Database db;
    db.open(databasePath);
    quorlin::Statement st(db, "select 记录期号 from " +
                                  quorlin::quoteIdentifier(quorlin::drawTableName(quorlin::kShippedLottery)) +
                                  " order by 记录期号");
    QStringList issues;
    while (st.step())
        issues.append(QString::fromStdString(st.text(0)));
    return issues;
}

} // namespace

class TestDataWindow : public GuiTestBase {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void menuAndToolbarCloseTheLotteryAndReopenItAfter();
    void selectingShowsTheNewestDrawAsCurrent();
    void drawTypedIntoTheGridIsPostedByFinishing();
    void typingAfterAClickOnTheNewRowFillsThatRow();
    void badDrawIsRefusedWithItsMessageAndNotWritten();
    void closeIsRefusedInAddMode();
    void exportWritesTheHistoryByteForByte();
    void importAddsTheDrawsAndReportsTheCounts();
    void untouchedNewRowAndDeletedDrawLeaveTheGridInStep();

private:
    template <typename T> T* child(const char* name) const { return requireChild<T>(dialog_.get(), name); }
    void click(const char* button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    void selectLottery();
    /// Types into one cell as the user does: open its editor, type, press Enter.
    void typeCell(int row, int column, const QString& text);
    void typeRow(int row, const QStringList& cells);
    /// Presses the keys of `text` on whichever widget has the focus, as the keyboard does.
    static void typeKeys(const QString& text);
    QTableView* grid() const { return child<QTableView>("grdcaipiao"); }
    DrawTableModel* model() const { return qobject_cast<DrawTableModel*>(grid()->model()); }
    QString cell(int row, int column) const { return model()->index(row, column).data().toString(); }
    QString folder() const { return QString::fromStdString(program_->apppath()) + "附属/"; }

    std::unique_ptr<Tfrmdata> dialog_;
};

void TestDataWindow::init()
{
    setUpProgram();
    std::filesystem::create_directories(program_->path() / "附属");
    dialog_ = std::make_unique<Tfrmdata>(document_->state(), mainWindow_.get());
    new QAbstractItemModelTester(model(), QAbstractItemModelTester::FailureReportingMode::QtTest, dialog_.get());
    dialog_->show();
}

void TestDataWindow::cleanup()
{
    dialog_.reset();
    tearDownProgram();
}

void TestDataWindow::selectLottery()
{
    auto* list = child<QListWidget>("lstcaipiao");
    const QList<QListWidgetItem*> items = list->findItems(kLottery, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    list->setCurrentItem(items.first());
}

void TestDataWindow::typeCell(int row, int column, const QString& text)
{
    const QModelIndex index = model()->index(row, column);
    grid()->setCurrentIndex(index);
    grid()->edit(index);
    QLineEdit* editor = nullptr;
    for (QLineEdit* candidate : grid()->viewport()->findChildren<QLineEdit*>()) {
        if (candidate->isVisible())
            editor = candidate;
    }
    QVERIFY2(editor, "the cell did not open for typing");
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The grid takes the text once the editor has closed.
    QTRY_COMPARE(cell(row, column), text);
}

void TestDataWindow::typeRow(int row, const QStringList& cells)
{
    for (int column = 0; column < cells.size(); ++column)
        typeCell(row, column, cells[column]);
}

void TestDataWindow::typeKeys(const QString& text)
{
    for (const QChar c : text) {
        QWidget* focused = QApplication::focusWidget();
        QVERIFY2(focused, "no widget has the focus");
        if (c == '\t')
            QTest::keyClick(focused, Qt::Key_Tab);
        else
            QTest::keyClick(focused, c.toLatin1());
    }
}

void TestDataWindow::menuAndToolbarCloseTheLotteryAndReopenItAfter()
{
    dialog_.reset();
    const QString added = folder() + "新号码.txt";
    std::ofstream(std::filesystem::u8path(added.toStdString())) << "2020006,2020-01-13,5,16,23,30,34,2,9\n";
    int draws = 5;
    for (const char* command : {"mnumoddata", "tlbdata"}) {
        openShippedLottery();
        triggerAction("mnuhei");
        bool shown = false;
        whenModalShown([&](QDialog* window) {
            shown = true;
            QCOMPARE(window->windowTitle(), QString("彩票数据"));
            QCOMPARE(window->size(), QSize(551, 465));
            QVERIFY(window->windowFlags() & Qt::WindowStaysOnTopHint);
            QVERIFY2(!document_->state().caiopen, "the lottery is closed before the window shows");
            // The first time a draw is imported; the lottery opens again on it.
            if (draws == 5) {
                auto* list = window->findChild<QListWidget*>("lstcaipiao");
                list->setCurrentItem(list->findItems(kLottery, Qt::MatchExactly).value(0));
                FileDialog::setNextFileName(added);
                QTest::mouseClick(window->findChild<QPushButton*>("btnimport"), Qt::LeftButton);
                ++draws;
            }
            QTest::mouseClick(window->findChild<QPushButton*>("btnext"), Qt::LeftButton);
            QVERIFY(!window->isVisible());
        });
        triggerAction(command);
        QVERIFY2(shown, command);
        QVERIFY2(document_->state().caiopen, command);
        QCOMPARE(document_->state().recnum, draws);
        QCOMPARE(mainWindow_->findChild<QTabBar*>("tabmain")->currentIndex(), 3);
        QVERIFY(mainWindow_->currentView());
    }
    QCOMPARE(draws, 6);
}

void TestDataWindow::selectingShowsTheNewestDrawAsCurrent()
{
    QVERIFY(!child<QPushButton>("btnedit")->isEnabled());
    selectLottery();
    QCOMPARE(model()->rowCount(), 5);
    QCOMPARE(grid()->currentIndex().row(), 4);
    QCOMPARE(cell(4, 0), QString("2020005"));
    QCOMPARE(model()->headerData(1, Qt::Horizontal).toString(), QString("1"));
    QCOMPARE(model()->headerData(8, Qt::Horizontal).toString(), QString("开奖日期"));
    QCOMPARE(grid()->columnWidth(0), 70);
    // Browse mode: read-only grid, navigator and "+" off, 开始添加 on.
    QVERIFY(child<QPushButton>("btnedit")->isEnabled());
    QCOMPARE(child<QPushButton>("btnedit")->text(), QString("开始添加"));
    QVERIFY(!(model()->flags(model()->index(4, 1)) & Qt::ItemIsEditable));
    QVERIFY(!child<QWidget>("dbv_caipiao")->isEnabled());
    QVERIFY(!child<QPushButton>("btnadd")->isEnabled());

    // "+" keeps covering the navigator's fifth button when the window is resized.
    dialog_->resize(700, 520);
    auto* insert = child<QPushButton>("dbv_insert");
    const QRect fifth(insert->mapTo(dialog_.get(), QPoint(0, 0)), insert->size());
    QVERIFY2(qAbs(child<QPushButton>("btnadd")->geometry().left() - fifth.left()) <= 1, "+ left");
    QVERIFY2(qAbs(child<QPushButton>("btnadd")->geometry().width() - fifth.width()) <= 1, "+ width");
    QCOMPARE(child<QPushButton>("btnadd")->geometry().top(), fifth.top());
}

void TestDataWindow::drawTypedIntoTheGridIsPostedByFinishing()
{
    selectLottery();
    click("btnedit");
    QCOMPARE(child<QPushButton>("btnedit")->text(), QString("完成添加"));
    QVERIFY(!child<QPushButton>("btnext")->isEnabled());
    QVERIFY(child<QWidget>("dbv_caipiao")->isEnabled());
    click("btnadd");
    QCOMPARE(model()->rowCount(), 6);
    QCOMPARE(grid()->currentIndex().row(), 5);
    typeRow(5, kNewDraw);
    QCOMPARE(storedIssues(program_->databasePath()).size(), 5);

    click("btnedit");
    QVERIFY2(messageTexts().isEmpty(), qPrintable(messageTexts().join('\n')));
    QCOMPARE(child<QPushButton>("btnedit")->text(), QString("开始添加"));
    QVERIFY(child<QPushButton>("btnext")->isEnabled());
    QCOMPARE(storedIssues(program_->databasePath()).last(), QString("2020006"));
    // Shown as stored.
    QCOMPARE(cell(5, 1), QString("5"));
    QCOMPARE(cell(5, 8), QString("2020-01-13"));
}

void TestDataWindow::typingAfterAClickOnTheNewRowFillsThatRow()
{
    // As a new user does: 开始添加, "+", a click on the new empty row, then the draw typed at once,
    // a Tab between the cells.
    selectLottery();
    QApplication::setActiveWindow(dialog_.get());
    click("btnedit");
    click("btnadd");
    QCOMPARE(model()->rowCount(), 6);
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(model()->index(5, 0)).center());
    typeKeys(kNewDraw.join('\t'));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // The cell editor hands its text over in an event it posts on Return.
    QCoreApplication::sendPostedEvents();
    QCOMPARE(cell(5, 8), kNewDraw[8]);
    QCOMPARE(cell(5, 0), kNewDraw[0]);
    QCOMPARE(cell(0, 0), QString("2020001"));

    click("btnedit");
    QVERIFY2(messageTexts().isEmpty(), qPrintable(messageTexts().join('\n')));
    QCOMPARE(storedIssues(program_->databasePath()),
             (QStringList{"2020001", "2020002", "2020003", "2020004", "2020005", "2020006"}));
}

void TestDataWindow::badDrawIsRefusedWithItsMessageAndNotWritten()
{
    selectLottery();
    click("btnedit");
    click("btnadd");
    QStringList bad = kNewDraw;
    bad[3] = "36";
    typeRow(5, bad);

    click("btnedit");
    QCOMPARE(messageTexts(), QStringList{"前区号码 36 不在 1-35 之内"});
    QCOMPARE(MessageBox::recorded().last().kind, MessageBox::Kind::Critical);
    QCOMPARE(child<QPushButton>("btnedit")->text(), QString("完成添加"));

    // Leaving the row for another is refused too; the bad row stays current.
    grid()->setCurrentIndex(model()->index(1, 0));
    QTRY_COMPARE(messageTexts().size(), 2);
    QTRY_COMPARE(grid()->currentIndex().row(), 5);
    QCOMPARE(storedIssues(program_->databasePath()).size(), 5);

    click("dbv_cancel");
    QCOMPARE(model()->rowCount(), 5);
    click("btnedit");
    QCOMPARE(child<QPushButton>("btnedit")->text(), QString("开始添加"));
    QCOMPARE(storedIssues(program_->databasePath()).size(), 5);
}

void TestDataWindow::closeIsRefusedInAddMode()
{
    selectLottery();
    click("btnedit");
    dialog_->close();
    QVERIFY(dialog_->isVisible());
    QTest::keyClick(dialog_.get(), Qt::Key_Escape);
    QVERIFY(dialog_->isVisible());
    QCOMPARE(messageTexts(), QStringList(2, "请单击《完成添加》按钮保存添加"));
    QCOMPARE(MessageBox::recorded().first().kind, MessageBox::Kind::Warning);
    // Nor can another lottery be chosen, which would drop a row being typed.
    QVERIFY(!dialog_->findChild<QListWidget*>("lstcaipiao")->isEnabled());

    click("btnedit");
    QVERIFY(dialog_->findChild<QListWidget*>("lstcaipiao")->isEnabled());
    dialog_->close();
    QVERIFY(!dialog_->isVisible());
}

void TestDataWindow::exportWritesTheHistoryByteForByte()
{
    click("btnsave");
    QCOMPARE(messageTexts(), QStringList{"请选择要导出的彩票！"});
    QVERIFY(FileDialog::recorded().isEmpty());
    MessageBox::clearRecorded();

    selectLottery();
    FileDialog::setNextFileName(folder() + "历史");
    click("btnsave");
    QCOMPARE(FileDialog::recorded().size(), 1);
    const FileDialog::Record asked = FileDialog::recorded().first();
    QCOMPARE(asked.kind, FileDialog::Kind::Save);
    QCOMPARE(asked.dir, folder() + kLottery + "历史号码.txt");
    QCOMPARE(asked.filter, QString("文本文件 (*.txt)"));
    QCOMPARE(messageTexts(), QStringList{"成功保存！"});
    // The fixture draws, oldest first; the default suffix was added.
    QCOMPARE(fileBytes(folder() + "历史.txt"), QByteArray("2020001 01 02 03 04 05 01 02 \r\n"
                                                          "2020002 06 07 08 09 10 03 04 \r\n"
                                                          "2020003 03 09 17 25 33 04 11 \r\n"
                                                          "2020004 11 12 13 14 15 05 06 \r\n"
                                                          "2020005 20 21 22 23 24 07 12 \r\n"));

    // Cancelling the dialog writes nothing and says nothing.
    MessageBox::clearRecorded();
    click("btnsave");
    QVERIFY(messageTexts().isEmpty());
    QVERIFY(!std::filesystem::exists(std::filesystem::u8path((folder() + kLottery + "历史号码.txt").toStdString())));
}

void TestDataWindow::importAddsTheDrawsAndReportsTheCounts()
{
    selectLottery();
    const QString good = folder() + "新号码.txt";
    std::ofstream(std::filesystem::u8path(good.toStdString())) << "2020005,2020-01-01,20,21,22,23,24,7,12\n"
                                                                  "2020006,2020-01-13,5,16,23,30,34,2,9\n";
    FileDialog::setNextFileName(good);
    click("btnimport");
    QCOMPARE(messageTexts(), QStringList{"导入完成：新增 1 期，跳过 1 期已存在且相同的开奖号码。"});
    QCOMPARE(model()->rowCount(), 6);
    QCOMPARE(grid()->currentIndex().row(), 5);
    QCOMPARE(cell(5, 0), QString("2020006"));

    MessageBox::clearRecorded();
    const QString bad = folder() + "坏号码.txt";
    std::ofstream(std::filesystem::u8path(bad.toStdString())) << "2020007,2020-01-15,5,16,23,30,36,2,9\n";
    FileDialog::setNextFileName(bad);
    click("btnimport");
    QCOMPARE(messageTexts().size(), 1);
    QVERIFY2(messageTexts().first().contains("第 1 行"), qPrintable(messageTexts().first()));
    QCOMPARE(model()->rowCount(), 6);
    QCOMPARE(storedIssues(program_->databasePath()).size(), 6);
}

void TestDataWindow::untouchedNewRowAndDeletedDrawLeaveTheGridInStep()
{
    selectLottery();
    click("btnedit");
    click("btnadd");
    click("btnedit");
    QVERIFY2(messageTexts().isEmpty(), qPrintable(messageTexts().join('\n')));
    QCOMPARE(model()->rowCount(), 5);
    QCOMPARE(grid()->currentIndex().row(), 4);
    QCOMPARE(cell(4, 0), QString("2020005"));

    // Deleting a draw with a change typed into it deletes it, without posting the change first.
    click("btnedit");
    grid()->setCurrentIndex(model()->index(1, 0));
    typeCell(1, 1, "31");
    click("dbv_delete");
    QCOMPARE(storedIssues(program_->databasePath()), (QStringList{"2020001", "2020003", "2020004", "2020005"}));
    QCOMPARE(model()->rowCount(), 4);
    QCOMPARE(grid()->currentIndex().row(), 1);
    QCOMPARE(cell(1, 0), QString("2020003"));
    QVERIFY(messageTexts().isEmpty());
}

QTEST_MAIN(TestDataWindow)
#include "test_data_window.moc"
