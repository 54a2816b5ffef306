// Tables, charts and bet lists out of the windows: the context menus, the clipboard, the files
// read back and compared with what the view shows.
#include "total_filter_window_test.h"

#include "common/bar_chart.h"
#include "common/chart_picture_menu.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "common/plain_text_role.h"
#include "common/text_grid.h"
#include "export/cell_value.h"
#include "filter/bet_list.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QHeaderView>
#include <QImage>
#include <QItemSelectionModel>
#include <QListView>
#include <QProcess>
#include <QTableView>

namespace {

/// The records of a CSV file as the writer promises them: a byte-order mark, CR LF, quoted fields
/// with doubled quotes. A malformed file gives a record "<malformed>".
QList<QStringList> readCsv(const QString& path)
{
    QByteArray bytes = fileBytes(path);
    if (!bytes.startsWith("\xEF\xBB\xBF"))
        return {{QStringLiteral("<no byte-order mark>")}};
    const QString text = QString::fromUtf8(bytes.mid(3));
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            record << field;
            field.clear();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            record << field;
            records << record;
            record.clear();
            field.clear();
            ++i;
        } else if (c == '\n' || c == '\r') {
            return {{QStringLiteral("<malformed>")}};
        } else {
            field += c;
        }
    }
    if (!record.isEmpty() || !field.isEmpty())
        return {{QStringLiteral("<no line end at the end>")}};
    return records;
}

/// The python3 that imports openpyxl (Debian's, if the PATH leads to another first); empty if none.
QString pythonWithOpenpyxl()
{
    for (const QString& candidate : {QStringLiteral("python3"), QStringLiteral("/usr/bin/python3")})
        if (QProcess python; (python.start(candidate, {QStringLiteral("-c"), QStringLiteral("import openpyxl")}),
                              python.waitForFinished(30000) && python.exitCode() == 0))
            return candidate;
    return {};
}

/// The first sheet of a workbook as openpyxl reads it, a row a record, each cell its type and value:
/// "s:text", "n:number", "d:YYYYMMDD" or "" for an empty cell. Its name is the first record's only field.
QList<QStringList> readXlsx(const QString& path)
{
    const QString script = QStringLiteral(R"(
import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).active
out = [ws.title, ws.freeze_panes or ""]
for row in ws.iter_rows(values_only=True):
    cells = []
    for v in row:
        t = type(v).__name__
        if v is None: cells.append("")
        elif t == "datetime": cells.append("d:" + v.strftime("%Y%m%d"))
        elif t in ("int", "float"): cells.append("n:" + repr(v))
        else: cells.append("s:" + str(v))
    out.append("\x1f".join(cells))
sys.stdout.buffer.write("\x1e".join(out).encode("utf-8"))
)");
    QProcess python;
    python.start(pythonWithOpenpyxl(), {QStringLiteral("-c"), script, path});
    python.waitForFinished(30000);
    QList<QStringList> rows;
    for (const QString& line : QString::fromUtf8(python.readAllStandardOutput()).split(QChar(0x1e)))
        rows << line.split(QChar(0x1f));
    if (python.exitCode() != 0)
        rows = {{QString::fromUtf8(python.readAllStandardError())}};
    return rows;
}

/// The header and the cells of a view as the user sees them.
QList<QStringList> shownTable(const QAbstractItemView& view)
{
    const QAbstractItemModel& model = *view.model();
    // What leaves the program: a cell's or header's plain text where the model gives one.
    const auto text = [](const QVariant& plain, const QVariant& shown) {
        return (plain.isValid() ? plain : shown).toString();
    };
    QList<QStringList> rows;
    QStringList header;
    for (int c = 0; c < model.columnCount(); ++c)
        header << text(model.headerData(c, Qt::Horizontal, kPlainTextRole), model.headerData(c, Qt::Horizontal));
    rows << header;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < model.columnCount(); ++c)
            row << text(model.index(r, c).data(kPlainTextRole), model.index(r, c).data());
        rows << row;
    }
    return rows;
}

/// Whether a workbook cell holds what the view shows in `text`: a number equal to it when the text
/// reads as one, the same date, or the very text.
bool sameCell(const QString& text, const QString& cell)
{
    if (text.isEmpty())
        return cell.isEmpty();
    const quorlin::CellValue value = quorlin::cellValue(text.toStdString());
    switch (value.kind) {
    case quorlin::CellValue::Kind::Number:
        return cell.startsWith("n:") && cell.mid(2).toDouble() == value.number;
    case quorlin::CellValue::Kind::Date:
        return cell == "d:" + QString::number(value.date);
    case quorlin::CellValue::Kind::Text:
        break;
    }
    return cell == "s:" + text;
}

QAction* menuItem(const QWidget& widget, const char* name)
{
    for (QAction* action : widget.actions())
        if (action->objectName() == QLatin1String(name))
            return action;
    return nullptr;
}

/// A small grid with a cell holding a tab, a comma and a quote, and one holding a line break.
void fillSmallGrid(TextGrid& grid)
{
    grid.table().reset({QStringLiteral("期号"), QStringLiteral("和值"), QStringLiteral("备注")}, 3,
                       [](int row, int column) -> QString {
                           static const QString cells[3][3] = {
                               {"26001", "66", "a\tb,\"c\""}, {"26002", "07", "第二\n行"}, {"26003", "-3", "末"}};
                           return cells[row][column];
                       });
}

} // namespace

class TestExportMenus : public TotalFilterWindowTest {
    Q_OBJECT
private slots:
    void everyTableViewOfTheToolWindowsHasTheMenu();
    void copyPutsTheSelectionOrTheWholeTableOnTheClipboard();
    void exportedFilesHoldTheCellsShown();
    void exportToAnUnwritablePlaceIsRefused();
    void chartPictureIsAPngAtLeastItsSizeOrAnSvg();
    void totalFilterListExportsOneBetARow();
    void betListExportWithoutAListIsRefused();
    void moneyShownInShortLeavesAsThePlainNumber();
    void trendGridLeavesWithTheDrawnNumbersUnderZoneHeaders();

private:
    QString path(const QString& name) const { return QString::fromStdString(program_->apppath()) + name; }
    /// Answers the next save dialog with `name` and triggers the item `action` of `widget`.
    void exportThrough(QWidget& widget, const char* action, const QString& name)
    {
        QAction* item = menuItem(widget, action);
        QVERIFY2(item, action);
        FileDialog::setNextFileName(name);
        item->trigger();
    }
};

void TestExportMenus::everyTableViewOfTheToolWindowsHasTheMenu()
{
    // Tool windows come and go as others open: each is looked at while it is open, and what was
    // looked at is kept by name.
    QSet<QString> tables;
    QSet<QString> lists;
    QSet<QString> charts;
    auto lookAtOpenWindows = [&](const char* tool) {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            for (QAbstractItemView* view : top->findChildren<QAbstractItemView*>()) {
                // Lists of names (files, steps, combo-box popups), headers and a calendar's days are no tables.
                if (qobject_cast<QListView*>(view) || qobject_cast<QHeaderView*>(view) ||
                    view->parentWidget()->inherits("QCalendarView"))
                    continue;
                const bool betList = view->findChild<QObject*>("betListExportMenu", Qt::FindDirectChildrenOnly);
                const QString where =
                    QStringLiteral("%1: %2 %3").arg(tool, view->metaObject()->className(), view->objectName());
                QVERIFY2(view->contextMenuPolicy() == Qt::ActionsContextMenu, qPrintable(where));
                QVERIFY2(menuItem(*view, "actcsv") && menuItem(*view, "actexcel"), qPrintable(where));
                QVERIFY2(betList || menuItem(*view, "actcopy"), qPrintable(where));
                (betList ? lists : tables).insert(where);
            }
            for (QWidget* chart : top->findChildren<QWidget*>())
                if (chart->inherits("QChartView") || qobject_cast<BarChart*>(chart)) {
                    const QString where = QStringLiteral("%1: %2").arg(tool, chart->metaObject()->className());
                    QVERIFY2(menuItem(*chart, "actpicture"), qPrintable(where));
                    charts.insert(where);
                }
        }
    };
    for (const char* tool :
         {"mnucode",         "mnuac",     "mnuqujian",    "mnuyilou",   "mnucongma",      "mnupiantai",
          "mnuqingmi",       "mnusep",    "mnuganzhi",    "mnusibu",    "mnugudingjihua", "mnujieduanjihua",
          "mnukeibianjihua", "mnutozi",   "mnuduijiang",  "mnuhuice",   "mnujisuanqi",    "mnujuzheng",
          "mnujiaoqi",       "mnuallhei", "mnuallgensui", "mnuhuifang", "mnugonggao",     "mnusuijixing"}) {
        triggerAction(tool);
        lookAtOpenWindows(tool);
    }
    // The draw table is a dialog of its own.
    whenModalShown([&lookAtOpenWindows](QDialog*) { lookAtOpenWindows("mnumoddata"); });
    triggerAction("mnumoddata");
    QVERIFY(tables.contains(QStringLiteral("mnumoddata: QTableView grdcaipiao")));
    // The windows opened hold many of each, so the checks above did look at something.
    QVERIFY2(tables.size() >= 20, qPrintable(QString::number(tables.size())));
    QVERIFY2(lists.size() >= 3, qPrintable(QString::number(lists.size())));
    QVERIFY2(charts.size() >= 3, qPrintable(QString::number(charts.size())));
}

void TestExportMenus::copyPutsTheSelectionOrTheWholeTableOnTheClipboard()
{
    TextGrid grid;
    fillSmallGrid(grid);
    QAction* copy = menuItem(grid, "actcopy");
    QVERIFY(copy);
    const QString header = QStringLiteral("期号\t和值\t备注\n");
    const QString rows[3] = {QStringLiteral("26001\t66\ta b,\"c\"\n"), QStringLiteral("26002\t07\t第二 行\n"),
                             QStringLiteral("26003\t-3\t末\n")};

    copy->trigger();
    QCOMPARE(QApplication::clipboard()->text(), header + rows[0] + rows[1] + rows[2]);

    grid.selectRow(0);
    grid.selectionModel()->select(grid.model()->index(2, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    copy->trigger();
    QCOMPARE(QApplication::clipboard()->text(), header + rows[0] + rows[2]);

    // Single cells: only their rows and columns; a hidden column never leaves.
    grid.setSelectionBehavior(QAbstractItemView::SelectItems);
    grid.setSelectionMode(QAbstractItemView::MultiSelection);
    grid.clearSelection();
    grid.selectionModel()->select(grid.model()->index(1, 0), QItemSelectionModel::Select);
    grid.selectionModel()->select(grid.model()->index(1, 2), QItemSelectionModel::Select);
    copy->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("期号\t备注\n26002\t第二 行\n"));
    grid.setColumnHidden(0, true);
    copy->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("备注\n第二 行\n"));
}

void TestExportMenus::exportedFilesHoldTheCellsShown()
{
    if (pythonWithOpenpyxl().isEmpty())
        QSKIP("python3 cannot import openpyxl; the workbook cannot be read back");
    TextGrid small;
    fillSmallGrid(small);
    small.setWindowTitle(QStringLiteral("小表"));
    triggerAction("mnucode");
    auto* trend = mainWindow_->findChild<QTableView*>("grdcode");
    triggerAction("mnutozi");
    auto* invest = mainWindow_->tools().window("Tfrmtozi")->findChild<QTableView*>("grdtozi");
    QVERIFY(trend && invest);
    // Each view with the name its sheet gets: its window's title, or the table's own caption.
    const QList<std::pair<QAbstractItemView*, QString>> cases{
        {&small, QStringLiteral("小表")}, {trend, QStringLiteral("号码走势")}, {invest, QStringLiteral("投资和赢亏")}};
    for (const auto& [view, sheetName] : cases) {
        const QList<QStringList> shown = shownTable(*view);
        QVERIFY(shown.size() > 1 || view == invest);

        exportThrough(*view, "actcsv", path("table.csv"));
        QCOMPARE(readCsv(path("table.csv")), shown);

        exportThrough(*view, "actexcel", path("table")); // the suffix comes from the filter
        const QList<QStringList> sheet = readXlsx(path("table.xlsx"));
        QVERIFY2(sheet.size() == shown.size() + 2, qPrintable(sheet.value(0).join('|')));
        QCOMPARE(sheet[0].value(0), sheetName.left(31));
        QCOMPARE(sheet[1].value(0), QStringLiteral("A2")); // the header row stays in sight
        for (int r = 0; r < shown.size(); ++r)
            for (int c = 0; c < shown[r].size(); ++c) {
                const QString cell = sheet[r + 2].value(c);
                // Headers are text, even "01"; a blank one is an empty cell.
                const QString header = shown[r][c].isEmpty() ? QString() : "s:" + shown[r][c];
                QVERIFY2(r == 0 ? cell == header : sameCell(shown[r][c], cell),
                         qPrintable(QStringLiteral("%1,%2: %3 / %4").arg(r).arg(c).arg(shown[r][c], cell)));
            }
    }
    QCOMPARE(messageTexts().count(QStringLiteral("成功导出！")), 6);
}

void TestExportMenus::moneyShownInShortLeavesAsThePlainNumber()
{
    // A column of money shown as the windows show it, its plain number kept for the files.
    TextGrid grid;
    grid.setWindowTitle(QStringLiteral("奖金"));
    const QStringList shown{"12.35万元", "-5,000元", "3.15亿元+浮动"};
    const QStringList plain{"123456", "-5000", "315370000+浮动"};
    grid.table().reset({QStringLiteral("期号"), QStringLiteral("奖金")}, 3, [shown](int row, int column) {
        return column == 0 ? QString::number(26001 + row) : shown[row];
    });
    grid.table().setPlainCell([plain](int row, int column) { return column == 1 ? plain[row] : QString(); });
    QCOMPARE(grid.model()->index(0, 1).data().toString(), shown[0]);

    menuItem(grid, "actcopy")->trigger();
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("期号\t奖金\n26001\t123456\n26002\t-5000\n26003\t315370000+浮动\n"));
    exportThrough(grid, "actcsv", path("money.csv"));
    QCOMPARE(
        readCsv(path("money.csv")),
        (QList<QStringList>{{"期号", "奖金"}, {"26001", "123456"}, {"26002", "-5000"}, {"26003", "315370000+浮动"}}));
    // A reset forgets the plain texts with the cells they stood for.
    grid.table().reset({QStringLiteral("奖金")}, 1, [](int, int) { return QStringLiteral("1.00万元"); });
    menuItem(grid, "actcopy")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("奖金\n1.00万元\n"));
}

void TestExportMenus::trendGridLeavesWithTheDrawnNumbersUnderZoneHeaders()
{
    triggerAction("mnucode");
    auto* trend = mainWindow_->findChild<QTableView*>("grdcode");
    QVERIFY(trend);
    // Row 2 is 03 09 17 25 33 + 04 11: front 09 stands in column 11, back 11 in column 49.
    exportThrough(*trend, "actcsv", path("trend.csv"));
    const QList<QStringList> csv = readCsv(path("trend.csv"));
    QCOMPARE(csv.size(), 6);
    QCOMPARE(csv[0].mid(0, 4), (QStringList{"记录期号", "开奖号码", "", "前区01"}));
    QCOMPARE(csv[0].value(37), QStringLiteral("前区35"));
    QCOMPARE(csv[0].value(39), QStringLiteral("后区01"));
    QCOMPARE(csv[0].value(50), QStringLiteral("后区12"));
    QCOMPARE(csv[3].value(11), QStringLiteral("09"));
    QCOMPARE(csv[3].value(49), QStringLiteral("11"));
    for (const QStringList& row : csv)
        QVERIFY2(!row.join(',').contains(QStringLiteral("●")), qPrintable(row.join(',')));

    if (pythonWithOpenpyxl().isEmpty())
        QSKIP("python3 cannot import openpyxl; the workbook cannot be read back");
    exportThrough(*trend, "actexcel", path("trend.xlsx"));
    const QList<QStringList> sheet = readXlsx(path("trend.xlsx"));
    QCOMPARE(sheet.size(), 8);
    QCOMPARE(sheet[2].value(3), QStringLiteral("s:前区01"));
    QCOMPARE(sheet[2].value(50), QStringLiteral("s:后区12"));
    QCOMPARE(sheet[5].value(11), QStringLiteral("n:9"));
    QCOMPARE(sheet[5].value(49), QStringLiteral("n:11"));
}

void TestExportMenus::exportToAnUnwritablePlaceIsRefused()
{
    TextGrid grid;
    fillSmallGrid(grid);
    for (const char* action : {"actcsv", "actexcel"}) {
        MessageBox::clearRecorded();
        exportThrough(grid, action, path("no such folder/table"));
        QCOMPARE(MessageBox::recorded().size(), 1);
        QCOMPARE(MessageBox::recorded()[0].kind, MessageBox::Kind::Critical);
        QVERIFY(!QFile::exists(path("no such folder")));
    }
    // Cancelled: nothing asked further, nothing written.
    MessageBox::clearRecorded();
    exportThrough(grid, "actcsv", {});
    QVERIFY(MessageBox::recorded().isEmpty());
}

void TestExportMenus::chartPictureIsAPngAtLeastItsSizeOrAnSvg()
{
    BarChart chart(QStringLiteral("和值分布"));
    chart.addSeries(QStringLiteral("出现次数"), Qt::red);
    chart.setBars(0, {{QStringLiteral("60"), 3}, {QStringLiteral("61"), 5}, {QStringLiteral("62"), 1}});
    chart.draw();
    chart.resize(320, 200);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));

    exportThrough(chart, "actpicture", path("chart")); // no suffix: PNG, the filter's first
    QImage png(path("chart.png"), "PNG");
    QVERIFY(png.width() >= chart.width() && png.height() >= chart.height());
    // Painted, not blank: the red bars are in it.
    bool red = false;
    for (int y = 0; y < png.height() && !red; y += 2)
        for (int x = 0; x < png.width() && !red; x += 2)
            red = png.pixelColor(x, y) == QColor(Qt::red);
    QVERIFY(red);

    exportThrough(chart, "actpicture", path("chart.svg"));
    const QByteArray svg = fileBytes(path("chart.svg"));
    // A drawing: the title as text, the bars as shapes in their colour.
    QVERIFY(svg.contains("<svg") && svg.contains(">和值分布</text>") && svg.contains("fill=\"#ff0000\""));

    QString error;
    QVERIFY(!ChartPictureMenu::save(chart, path("no such folder/chart.png"), error));
    QVERIFY(error.contains("no such folder"));
}

void TestExportMenus::totalFilterListExportsOneBetARow()
{
    child<QCheckBox>("chkhongqiu")->setChecked(true);
    clickNumbers("btnhong", {1, 2, 3, 4, 5, 6});
    clickNumbers("btnlan", {6, 7});
    filter();
    QCOMPARE(memoLines(), 6);
    auto* memo = child<QAbstractItemView>("memcode");
    exportThrough(*memo, "actcsv", path("bets.csv"));
    waitIdle();
    QList<QStringList> expected{{"前区1", "前区2", "前区3", "前区4", "前区5", "后区1", "后区2"}};
    // The memo's lines "0000001    01 02 03 04 05+06 07", read as the player reads them.
    for (int row = 0; row < memoLines(); ++row)
        expected << memoLine(row).section(' ', 1).simplified().replace('+', ' ').split(' ');
    const QList<QStringList> written = readCsv(path("bets.csv"));
    // Numbers are plain integers in the file ("6"), two digits on screen ("06").
    for (qsizetype r = 1; r < expected.size(); ++r)
        for (QString& n : expected[r])
            n = QString::number(n.toInt());
    QCOMPARE(written, expected);
    QVERIFY(messageTexts().contains(QStringLiteral("成功导出！")));

    if (pythonWithOpenpyxl().isEmpty())
        return;
    exportThrough(*memo, "actexcel", path("bets.xlsx"));
    waitIdle();
    const QList<QStringList> sheet = readXlsx(path("bets.xlsx"));
    QCOMPARE(sheet.size(), expected.size() + 2);
    for (qsizetype r = 1; r < expected.size(); ++r)
        for (qsizetype c = 0; c < expected[r].size(); ++c)
            QCOMPARE(sheet[r + 2].value(c), "n:" + expected[r][c]);
}

void TestExportMenus::betListExportWithoutAListIsRefused()
{
    exportThrough(*child<QAbstractItemView>("memcode"), "actcsv", path("bets.csv"));
    QVERIFY(!window()->isBusy());
    QCOMPARE(messageTexts(), QStringList{QStringLiteral("没有可导出的投注号码！")});
    QVERIFY(!QFile::exists(path("bets.csv")));
    QVERIFY(FileDialog::recorded().isEmpty()); // refused before asking where
}

QTEST_MAIN(TestExportMenus)
#include "test_export_menus.moc"
