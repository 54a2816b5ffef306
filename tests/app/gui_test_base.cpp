#include "gui_test_base.h"

#include "common/desktop_opener.h"
#include "common/file_dialog.h"
#include "common/input_dialog.h"
#include "common/message_box.h"
#include "shell/lottery_document.h"
#include "shell/u_main.h"
#include "shell/window_catalog.h"
#include "store/schema.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

GuiTestBase::GuiTestBase() = default;

GuiTestBase::~GuiTestBase()
{
    tearDownProgram();
}

const std::vector<std::vector<int>>& GuiTestBase::fixtureDraws()
{
    static const std::vector<std::vector<int>> draws{
        {2020001, 1, 2, 3, 4, 5, 1, 2},      {2020002, 6, 7, 8, 9, 10, 3, 4},      {2020003, 3, 9, 17, 25, 33, 4, 11},
        {2020004, 11, 12, 13, 14, 15, 5, 6}, {2020005, 20, 21, 22, 23, 24, 7, 12},
    };
    return draws;
}

void GuiTestBase::setUpProgram(const std::vector<std::vector<int>>& draws)
{
    MessageBox::setTestMode(true);
    MessageBox::clearRecorded();
    FileDialog::setTestMode(true);
    FileDialog::clearRecorded();
    InputDialog::setTestMode(true);
    InputDialog::clearRecorded();
    DesktopOpener::setTestMode(true);
    DesktopOpener::clearRecorded();
    program_ = std::make_unique<quorlin::test::ShippedProgram>();
    quorlin::test::insertDraws(program_->databasePath(), quorlin::kShippedLottery, draws);
    document_ = std::make_unique<LotteryDocument>(program_->apppath());
    mainWindow_ = std::make_unique<Tfrmmain>(*document_);
    registerWindows(*mainWindow_);
    mainWindow_->resize(1200, 700);
    mainWindow_->show();
}

void GuiTestBase::tearDownProgram()
{
    mainWindow_.reset();
    document_.reset();
    program_.reset();
}

void GuiTestBase::triggerAction(const QString& name)
{
    auto* action = mainWindow_->findChild<QAction*>(name);
    QVERIFY2(action, qPrintable("no action " + name));
    QVERIFY2(action->isEnabled(), qPrintable("action " + name + " is disabled"));
    action->trigger();
}

void GuiTestBase::whenModalShown(std::function<void(QDialog*)> act)
{
    QTimer::singleShot(0, [act = std::move(act)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            QFAIL("no modal dialog was shown");
            return;
        }
        act(dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}

void GuiTestBase::openShippedIn(QDialog* dialog)
{
    auto* list = dialog->findChild<QListWidget*>("lstcaipiao");
    const QList<QListWidgetItem*> items = list->findItems(quorlin::kShippedLottery, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    list->setCurrentItem(items.first());
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnopen"), Qt::LeftButton);
}

void GuiTestBase::openShippedLottery()
{
    whenModalShown(&GuiTestBase::openShippedIn);
    triggerAction("mnuopen");
    QVERIFY2(document_->state().caiopen, qPrintable(messageTexts().join('\n')));
}

QStringList GuiTestBase::messageTexts()
{
    QStringList texts;
    for (const MessageBox::Record& record : MessageBox::recorded())
        texts.append(record.text);
    return texts;
}

CodeTrendModel* GuiTestBase::trendModel() const
{
    auto* grid = mainWindow_->findChild<QTableView*>("grdcode");
    return grid ? qobject_cast<CodeTrendModel*>(grid->model()) : nullptr;
}

GuiTestBase::RowMarks GuiTestBase::marksOf(const QAbstractItemModel& model, int row)
{
    RowMarks marks;
    int separatorsPassed = 0;
    for (int column = 2; column < model.columnCount(); ++column) {
        const QString header = model.headerData(column, Qt::Horizontal).toString();
        if (header.isEmpty()) {
            ++separatorsPassed;
            continue;
        }
        if (model.data(model.index(row, column)).toString() != QStringLiteral("●"))
            continue;
        (separatorsPassed == 1 ? marks.front : marks.back).append(header.toInt());
    }
    return marks;
}
