// Tfrmdata: 彩票数据 (数据添加), typing, correcting, importing and exporting draws.
#include "data/u_data.h"

#include "common/error_handler.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "common/table_export_menu.h"
#include "data/draw_table_model.h"
#include "data/history_export.h"
#include "store/draw_import.h"
#include "store/lottery_catalog.h"
#include "store/lottery_state.h"
#include "store/schema.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>
#include <functional>
#include <utility>

namespace {

constexpr int kClientWidth = 551;
constexpr int kClientHeight = 465;
constexpr int kMargin = 8;
constexpr int kListWidth = 130;
constexpr int kLabelHeight = 18;
constexpr int kNavigatorHeight = 25;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 28;
constexpr int kGap = 6;
// In add mode a cell is typed into as soon as a key is pressed on it, as in a spreadsheet. A click
// on the current row opens no editor: the view would open it only after the double-click time and
// meanwhile take the keys typed for a search of the rows, moving the typing to another draw.
constexpr QAbstractItemView::EditTriggers kTypingTriggers =
    QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed;
// The issue column holds seven digits.
constexpr int kIssueColumnWidth = 70;

struct NavigatorEntry {
    const char* name;
    const char* caption;
    const char* hint;
};

constexpr NavigatorEntry kNavigator[] = {
    {"dbv_first", "|◀", "首条记录"},  {"dbv_prior", "◀", "前面一条"},  {"dbv_next", "▶", "下面一条"},
    {"dbv_last", "▶|", "最末记录"},   {"dbv_insert", "+", "添加记录"}, {"dbv_delete", "-", "删除记录"},
    {"dbv_edit", "▲", "修改记录"},    {"dbv_post", "✔", "保存修改"},   {"dbv_cancel", "✖", "取消修改"},
    {"dbv_refresh", "↻", "刷新记录"},
};

/// The draw grid. What is typed while its cells take typing goes into the current cell; a key the
/// cell does not take is dropped, never used to look for a row whose text begins with it.
class DrawGrid : public QTableView {
public:
    using QTableView::QTableView;

    void keyboardSearch(const QString& search) override
    {
        if (editTriggers() == QAbstractItemView::NoEditTriggers)
            QTableView::keyboardSearch(search);
    }
};

// Names a control after its component: that name is how tests and screenshots find it.
template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

Tfrmdata::Tfrmdata(const quorlin::LotteryState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowStaysOnTopHint),
      apppath_(state.apppath), model_(new DrawTableModel(con_, this))
{
    setObjectName("frmdata");
    setWindowTitle("彩票数据");
    setModal(true);
    setMinimumSize(420, 300);

    label1_ = named(new QLabel("选择彩票：", this), "Label1");
    lstcaipiao_ = named(new QListWidget(this), "lstcaipiao");
    label2_ = named(new QLabel("彩票数据：", this), "Label2");

    grdcaipiao_ = named(new DrawGrid(this), "grdcaipiao");
    grdcaipiao_->setModel(model_);
    TableExportMenu::install(grdcaipiao_);
    grdcaipiao_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdcaipiao_->setSelectionMode(QAbstractItemView::SingleSelection);
    grdcaipiao_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdcaipiao_->verticalHeader()->hide();
    grdcaipiao_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    grdcaipiao_->horizontalHeader()->setStretchLastSection(true);
    grdcaipiao_->horizontalHeader()->setHighlightSections(false);

    buildNavigator();
    btnadd_ = named(new QPushButton("+", this), "btnadd");
    btnadd_->setToolTip("添加记录");
    QFont plusFont = btnadd_->font();
    plusFont.setPixelSize(24);
    btnadd_->setFont(plusFont);
    btnadd_->raise();
    btnadd_->setEnabled(false);

    btnimport_ = named(new QPushButton("导入", this), "btnimport");
    btnsave_ = named(new QPushButton("导出", this), "btnsave");
    btnedit_ = named(new QPushButton("开始添加", this), "btnedit");
    btnedit_->setEnabled(false);
    btnext_ = named(new QPushButton("关闭", this), "btnext");

    // A click selects the lottery again, also the one already selected (dropping what was not
    // posted); moving through the list with the keyboard selects each one reached.
    lstcaipiao_->viewport()->installEventFilter(this);
    connect(lstcaipiao_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* current) {
        selectedOnPress_ = true;
        if (current)
            selectLottery(current->text());
    });
    connect(lstcaipiao_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (!std::exchange(selectedOnPress_, false))
            selectLottery(item->text());
    });
    connect(grdcaipiao_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { gridCurrentChanged(current); });
    connect(btnadd_, &QPushButton::clicked, this, &Tfrmdata::btnaddClick);
    connect(btnsave_, &QPushButton::clicked, this, &Tfrmdata::btnsaveClick);
    connect(btnimport_, &QPushButton::clicked, this, &Tfrmdata::btnimportClick);
    connect(btnedit_, &QPushButton::clicked, this, &Tfrmdata::btneditClick);
    connect(btnext_, &QPushButton::clicked, this, &QDialog::reject);

    // Enter belongs to the grid's cells, not to whichever button had focus last.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);

    resize(kClientWidth, kClientHeight);
    // The connection stays open as long as the window.
    runGuarded(this, [&] {
        con_.open(state.databasePath());
        listlotteries();
    });
}

Tfrmdata::~Tfrmdata() = default;

void Tfrmdata::buildNavigator()
{
    dbv_caipiao_ = named(new QWidget(this), "dbv_caipiao");
    for (int i = 0; i < NavButtonCount; ++i) {
        const NavigatorEntry& entry = kNavigator[i];
        auto* button = named(new QPushButton(QString::fromUtf8(entry.caption), dbv_caipiao_), entry.name);
        button->setToolTip(QString::fromUtf8(entry.hint));
        connect(button, &QPushButton::clicked, this, [this, i] { navigatorClick(static_cast<NavButton>(i)); });
        navButtons_[static_cast<std::size_t>(i)] = button;
    }
    dbv_caipiao_->setEnabled(false);
}

void Tfrmdata::placeControls()
{
    const int w = width();
    const int h = height();
    const int right = kMargin + kListWidth + kMargin;
    const int gridTop = kMargin + kLabelHeight;
    const int buttonTop = h - kMargin - kButtonHeight;
    const int navigatorTop = buttonTop - kGap - kNavigatorHeight;
    const int gridWidth = w - right - kMargin;

    label1_->setGeometry(kMargin, kMargin, kListWidth, kLabelHeight);
    lstcaipiao_->setGeometry(kMargin, gridTop, kListWidth, h - gridTop - kMargin);
    label2_->setGeometry(right, kMargin, gridWidth, kLabelHeight);
    grdcaipiao_->setGeometry(right, gridTop, gridWidth, navigatorTop - 4 - gridTop);
    dbv_caipiao_->setGeometry(right, navigatorTop, gridWidth, kNavigatorHeight);
    for (int i = 0; i < NavButtonCount; ++i) {
        const int left = gridWidth * i / NavButtonCount;
        navButtons_[static_cast<std::size_t>(i)]->setGeometry(left, 0, gridWidth * (i + 1) / NavButtonCount - left,
                                                              kNavigatorHeight);
    }
    // "+" covers the navigator's fifth button.
    btnadd_->setGeometry(right + gridWidth * 4 / 10, navigatorTop, gridWidth / 10, kNavigatorHeight);

    btnimport_->setGeometry(right, buttonTop, kButtonWidth, kButtonHeight);
    btnsave_->setGeometry(right + kButtonWidth + kGap, buttonTop, kButtonWidth, kButtonHeight);
    btnext_->setGeometry(w - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
    btnedit_->setGeometry(w - kMargin - 2 * kButtonWidth - kGap, buttonTop, kButtonWidth, kButtonHeight);
}

void Tfrmdata::setColumnWidths()
{
    // Every field gets an equal share of the grid's width in whole characters of "0" and the
    // issue column the room of its seven digits; the numbers give up what the date needs to
    // stay readable, and the date column takes the rest.
    const int fields = model_->columnCount();
    // The scroll bar is counted as shown: the widths are set before the grid knows its rows.
    const int viewport = grdcaipiao_->contentsRect().width() - grdcaipiao_->verticalScrollBar()->sizeHint().width();
    const QFontMetrics cells = grdcaipiao_->fontMetrics();
    const int zero = std::max(1, cells.horizontalAdvance(QLatin1Char('0')));
    const int share = std::max(1, (viewport - 40) / zero / fields) * zero + kGap;
    const int dateWidth = std::max(cells.horizontalAdvance("0000-00-00"),
                                   grdcaipiao_->horizontalHeader()->fontMetrics().horizontalAdvance("开奖日期")) +
                          2 * kGap;
    const int fit = (viewport - kIssueColumnWidth - dateWidth) / (fields - 2);
    const int numberWidth = std::max(2 * zero + kGap, std::min(share, fit));
    grdcaipiao_->setColumnWidth(0, kIssueColumnWidth);
    for (int column = 1; column < fields - 1; ++column)
        grdcaipiao_->setColumnWidth(column, numberWidth);
    grdcaipiao_->setColumnWidth(fields - 1, dateWidth);
}

void Tfrmdata::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    placeControls();
    setColumnWidths();
}

void Tfrmdata::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    setColumnWidths();
}

bool Tfrmdata::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lstcaipiao_->viewport() && event->type() == QEvent::MouseButtonPress)
        selectedOnPress_ = false;
    return QDialog::eventFilter(watched, event);
}

void Tfrmdata::listlotteries()
{
    for (const std::string& name : quorlin::listlotteries(con_))
        lstcaipiao_->addItem(QString::fromStdString(name));
}

QString Tfrmdata::lotteryForTransfer(const QString& noSelection)
{
    const QListWidgetItem* item = lstcaipiao_->currentItem();
    if (!item) {
        refuse(this, noSelection);
        return {};
    }
    // The draw being typed belongs to the history the user sees.
    return postPending() ? item->text() : QString();
}

void Tfrmdata::selectLottery(const QString& lottery)
{
    // Opening again drops an edit that was not posted.
    runEditor([&] {
        model_->editor().open(lottery.toStdString());
        return std::string();
    });
    setColumnWidths();
    btnedit_->setEnabled(model_->editor().active() || addMode_);
}

void Tfrmdata::setAddMode(bool on)
{
    addMode_ = on;
    model_->setEditable(on);
    grdcaipiao_->setEditTriggers(on ? kTypingTriggers : QAbstractItemView::NoEditTriggers);
    btnext_->setEnabled(!on);
    // Another lottery chosen while a row is typed would drop that row unseen: the list waits
    // until 完成添加.
    lstcaipiao_->setEnabled(!on);
    dbv_caipiao_->setEnabled(on);
    btnadd_->setEnabled(on);
    btnedit_->setText(on ? "完成添加" : "开始添加");
    btnedit_->setEnabled(on || model_->editor().active());
    updateNavigator();
}

void Tfrmdata::btneditClick()
{
    if (addMode_) {
        if (postPending())
            setAddMode(false);
        return;
    }
    runEditor([this] {
        model_->editor().edit();
        return std::string();
    });
    setAddMode(true);
    // What the user types next goes into the grid.
    grdcaipiao_->setFocus();
}

void Tfrmdata::btnaddClick()
{
    if (runEditor([this] { return model_->editor().append(); }))
        startTyping();
}

void Tfrmdata::startTyping()
{
    // A new draw is typed from its issue on.
    syncing_ = true;
    grdcaipiao_->setCurrentIndex(model_->index(model_->editor().current(), 0));
    syncing_ = false;
    grdcaipiao_->setFocus();
}

void Tfrmdata::navigatorClick(NavButton button)
{
    quorlin::DrawEditor& editor = model_->editor();
    const bool done = runEditor([&]() -> std::string {
        switch (button) {
        case First:
            return editor.moveTo(0);
        case Prior:
            return editor.moveTo(std::max(0, editor.current() - 1));
        case Next:
            return editor.moveTo(editor.current() + 1);
        case Last:
            return editor.moveTo(editor.rowCount() - 1);
        case Insert:
            return editor.append();
        case Delete:
            editor.remove();
            break;
        case Edit:
            editor.edit();
            break;
        case Post:
            return editor.post();
        case Cancel:
            editor.cancel();
            break;
        case Refresh:
            return editor.refresh();
        case NavButtonCount:
            break;
        }
        return {};
    });
    if (done && button == Insert)
        startTyping();
}

bool Tfrmdata::runEditor(const std::function<std::string()>& operation)
{
    std::string refused;
    // The grid follows the rows the operation adds or removes without moving the editor itself.
    syncing_ = true;
    const bool done = runGuarded(this, [&] { refused = operation(); });
    syncing_ = false;
    showCurrent();
    return accepted(refused) && done;
}

void Tfrmdata::gridCurrentChanged(const QModelIndex& current)
{
    if (syncing_ || !current.isValid() || current.row() == model_->editor().current())
        return;
    std::string refused;
    const bool moved = runGuarded(this, [&] { refused = model_->editor().moveTo(current.row()); });
    if (moved && refused.empty()) {
        updateNavigator();
        return;
    }
    // The row being edited stays current: once the view has finished with the click, it goes
    // back there and the user is told why.
    QMetaObject::invokeMethod(
        this,
        [this, refused] {
            accepted(refused);
            showCurrent();
        },
        Qt::QueuedConnection);
}

void Tfrmdata::showCurrent()
{
    const int row = model_->editor().current();
    syncing_ = true;
    if (row >= 0) {
        const int column = std::max(0, grdcaipiao_->currentIndex().column());
        const QModelIndex index = model_->index(row, column);
        grdcaipiao_->setCurrentIndex(index);
        grdcaipiao_->scrollTo(index);
    } else {
        grdcaipiao_->setCurrentIndex({});
    }
    syncing_ = false;
    updateNavigator();
}

void Tfrmdata::updateNavigator()
{
    const quorlin::DrawEditor& editor = model_->editor();
    const bool active = editor.active();
    const int row = editor.current();
    const bool browsing = editor.state() == quorlin::DrawEditor::State::Browse;
    const auto enable = [this](NavButton button, bool on) { navButtons_[button]->setEnabled(on); };
    enable(First, row > 0);
    enable(Prior, row > 0);
    enable(Next, row >= 0 && row < editor.rowCount() - 1);
    enable(Last, row >= 0 && row < editor.rowCount() - 1);
    enable(Insert, active);
    enable(Delete, row >= 0);
    enable(Edit, active && browsing);
    enable(Post, !browsing);
    enable(Cancel, !browsing);
    enable(Refresh, active);
}

bool Tfrmdata::accepted(const std::string& refusal)
{
    if (refusal.empty())
        return true;
    refuse(this, QString::fromStdString(refusal));
    return false;
}

bool Tfrmdata::postPending()
{
    return runEditor([this] { return model_->editor().post(); });
}

void Tfrmdata::btnsaveClick()
{
    const QString lottery = lotteryForTransfer("请选择要导出的彩票！");
    if (lottery.isEmpty())
        return;
    const QString folder = QString::fromStdString(apppath_) + "附属/";
    const QString file = FileDialog::getSaveFileName(
        this, "导出历史号码",
        folder + QString::fromStdString(quorlin::lotteryFileName(lottery.toStdString(), "历史号码.txt")),
        FileDialog::textFiles());
    if (file.isEmpty())
        return;
    const quorlin::HistoryExportResult result = quorlin::exportHistory(con_, lottery.toStdString(), file.toStdString());
    if (!result.ok) {
        refuse(this, QString::fromStdString(result.error));
        return;
    }
    MessageBox::information(this, "提示", "成功保存！");
}

void Tfrmdata::btnimportClick()
{
    const QString lottery = lotteryForTransfer("请选择要导入的彩票！");
    if (lottery.isEmpty())
        return;
    const QString file = FileDialog::getOpenFileName(this, "导入开奖号码", QString::fromStdString(apppath_) + "附属/",
                                                     "文本文件(*.txt;*.csv)|*.txt;*.csv|所有文件(*.*)|*.*");
    if (file.isEmpty())
        return;
    const quorlin::ImportResult result = quorlin::importDraws(con_, lottery.toStdString(), file.toStdString());
    if (!result.ok) {
        refuse(this, QString::fromStdString(result.error));
        return;
    }
    // Shown from the newest draw, as on selection, so the new draws are in view.
    selectLottery(lottery);
    MessageBox::information(
        this, "提示",
        QString("导入完成：新增 %1 期，跳过 %2 期已存在且相同的开奖号码。").arg(result.added).arg(result.skipped));
}

void Tfrmdata::done(int result)
{
    if (addMode_) {
        MessageBox::warning(this, "警告", "请单击《完成添加》按钮保存添加");
        return;
    }
    model_->editor().close();
    QDialog::done(result);
}
