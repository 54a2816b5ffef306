// Tfrmjuzheng: 旋转矩阵组号缩水, bets from the shipped wheels or from a wheel made to order.
#include "betset/u_juzheng.h"

#include "betset/wheel_maker_page.h"
#include "common/bet_cost_line.h"
#include "common/file_dialog.h"
#include "common/form_widgets.h"
#include "common/message_box.h"
#include "common/table_export_menu.h"
#include "common/text_file.h"
#include "store/combinations.h"
#include "store/lottery_state.h"
#include "wheel/wheel_bets.h"
#include "wheel/wheel_check.h"
#include "wheel/wheel_file.h"
#include "wheel/wheel_names.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include <filesystem>

namespace {

QComboBox* choice(QWidget* parent, const char* name, const QStringList& items, int index, const QRect& geometry)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(items);
    box->setCurrentIndex(index);
    box->setGeometry(geometry);
    return box;
}

QStringList counting(int from, int to)
{
    QStringList items;
    for (int i = from; i <= to; ++i)
        items << QString::number(i);
    return items;
}

QString twoDigits(int n)
{
    return QString::asprintf("%.2d", n);
}

} // namespace

Tfrmjuzheng::Tfrmjuzheng(const std::string& apppath, QWidget* parent)
    : InvestWindow(QStringLiteral("旋转矩阵组号缩水"), parent), apppath_(apppath)
{
    // The shipped wheels on the first page, the wheels made to order on the second; each page is
    // 737 × 563 and the window grows by the tab bar.
    auto* pages = new QTabWidget(this);
    pages->setObjectName("pgcjuzheng");
    pages->setDocumentMode(true);
    files_ = new QWidget;
    files_->setObjectName("tshwenjian");
    pages->addTab(files_, QStringLiteral("矩阵文件"));
    maker_ = new WheelMakerPage(apppath, nullptr);
    maker_->setObjectName("tshanxu");
    pages->addTab(maker_, QStringLiteral("按需生成"));
    const QSize pageSize(737, 563);
    const int bar = pages->tabBar()->sizeHint().height();
    pages->setGeometry(0, 0, pageSize.width(), pageSize.height() + bar);
    setFixedSize(pages->size());
    label1_ = FormWidgets::label(files_, QStringLiteral("投注号码："), QRect(8, 8, 352, 18));
    label1_->setObjectName("Label1");
    lblcost_ = new BetCostLine(files_);
    lblcost_->setGeometry(8, 537, 352, 18);
    lblcost_->setToolTip(QStringLiteral("每行按前区复式计注：多于5个号码的一行含其中每5个号码的组合"));
    tabcode_ = new QTableWidget(files_);
    TableExportMenu::install(tabcode_);
    tabcode_->setObjectName("tabcode");
    tabcode_->setGeometry(8, 28, 352, 505);
    tabcode_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabcode_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabcode_->verticalHeader()->hide();
    tabcode_->verticalHeader()->setDefaultSectionSize(20);
    buildChoices();
    buildNumberBoxes();
    auto* btngen = FormWidgets::button(files_, "btngen", QStringLiteral("开始缩水"), QRect(372, 520, 82, 28));
    btngen->setDefault(true);
    auto* btncheck = FormWidgets::button(files_, "btncheck", QStringLiteral("验证"), QRect(460, 520, 82, 28));
    auto* btnsave = FormWidgets::button(files_, "btnsave", QStringLiteral("保存"), QRect(548, 520, 82, 28));
    auto* btnclose = FormWidgets::button(files_, "btnclose", QStringLiteral("关闭"), QRect(636, 520, 82, 28));
    connect(btngen, &QPushButton::clicked, this, &Tfrmjuzheng::btngenClick);
    connect(btncheck, &QPushButton::clicked, this, &Tfrmjuzheng::btncheckClick);
    connect(btnsave, &QPushButton::clicked, this, &Tfrmjuzheng::btnsaveClick);
    connect(btnclose, &QPushButton::clicked, this, &QWidget::hide);
    colourBoxes();
}

void Tfrmjuzheng::buildChoices()
{
    const int labelX = 380, boxX = 490, w = 120, h = 24;
    const quorlin::WheelSettings defaults;
    FormWidgets::label(files_, QStringLiteral("基本号码个数："), QRect(labelX, 14, 110, h));
    commainnum_ = choice(files_, "commainnum", counting(1, quorlin::kWheelWindowMaxBasic), defaults.basic - 1,
                         QRect(boxX, 14, w, h));
    FormWidgets::label(files_, QStringLiteral("胆号码个数："), QRect(labelX, 46, 110, h));
    comdannum_ = choice(files_, "comdannum", counting(0, quorlin::kWheelWindowMaxBankers), 0, QRect(boxX, 46, w, h));
    comdannum_->setEnabled(false);

    auto* optjutype = new QGroupBox(QStringLiteral("矩阵类型："), files_);
    optjutype->setObjectName("optjutype");
    optjutype->setGeometry(labelX, 76, 340, 48);
    optbalanced_ = new QRadioButton(QStringLiteral("平衡式"), optjutype);
    optbalanced_->setObjectName("optbalanced");
    optbalanced_->setGeometry(12, 20, 80, 22);
    optbalanced_->setChecked(true);
    optdrag_ = new QRadioButton(QStringLiteral("胆拖式"), optjutype);
    optdrag_->setObjectName("optdrag");
    optdrag_->setGeometry(180, 20, 80, 22);
    connect(optbalanced_, &QRadioButton::clicked, this, [this] { optjutypeClick(false); });
    connect(optdrag_, &QRadioButton::clicked, this, [this] { optjutypeClick(true); });

    FormWidgets::label(files_, QStringLiteral("选对号码数："), QRect(labelX, 134, 110, h));
    comoknum_ = choice(files_, "comoknum", counting(1, 8), defaults.ok - 1, QRect(boxX, 134, w, h));
    FormWidgets::label(files_, QStringLiteral("保中号码数："), QRect(labelX, 166, 110, h));
    combaonum_ = choice(files_, "combaonum", counting(1, 8), defaults.guarantee - 1, QRect(boxX, 166, w, h));
    QStringList kinds;
    for (int i = 1; i <= 7; ++i)
        kinds << QStringLiteral("选") + QString::number(i) + QStringLiteral("型");
    FormWidgets::label(files_, QStringLiteral("彩票类型："), QRect(labelX, 198, 110, h));
    comcainum_ = choice(files_, "comcainum", kinds, defaults.selection - 1, QRect(boxX, 198, w, h));
    FormWidgets::label(files_, QStringLiteral("矩阵注数："), QRect(labelX, 230, 110, h));
    edtjushu_ = FormWidgets::lineEdit(files_, "edtjushu", QRect(boxX, 230, w, h));
    edtjushu_->setReadOnly(true);
    connect(commainnum_, &QComboBox::currentIndexChanged, this, &Tfrmjuzheng::colourBoxes);
    connect(comdannum_, &QComboBox::currentIndexChanged, this, &Tfrmjuzheng::colourBoxes);
}

void Tfrmjuzheng::buildNumberBoxes()
{
    FormWidgets::label(files_, QStringLiteral("白色代表基本号码，红色代表胆码"), QRect(380, 266, 340, 18));
    groupBox1_ = new QGroupBox(QStringLiteral("请在下面框中输入你要包的号码："), files_);
    groupBox1_->setObjectName("GroupBox1");
    groupBox1_->setGeometry(380, 288, 340, 150);
    const int gw = groupBox1_->width(), gh = groupBox1_->height();
    for (int b = 0; b < 21; ++b) {
        const int row = b / 7, c = b % 7;
        auto* box = new QLineEdit(groupBox1_);
        box->setObjectName(QStringLiteral("box%1").arg(b));
        box->setAlignment(Qt::AlignCenter);
        box->setGeometry((gw - 12) * c / 7 + 7, row * (gh - 15) / 3 + 15, (gw - 12) / 7 - 5, (gh - 15) / 3 - 5);
        box->installEventFilter(this);
        boxes_ << box;
    }
}

bool Tfrmjuzheng::eventFilter(QObject* watched, QEvent* event)
{
    // Entering or clicking a box selects its whole text, so a typed number replaces it.
    if ((event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonRelease) &&
        boxes_.contains(qobject_cast<QLineEdit*>(watched))) {
        auto* box = qobject_cast<QLineEdit*>(watched);
        QTimer::singleShot(0, box, [box] { box->selectAll(); });
    }
    return InvestWindow::eventFilter(watched, event);
}

void Tfrmjuzheng::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        maker_->stop();
    InvestWindow::hideEvent(event);
}

void Tfrmjuzheng::optjutypeClick(bool bankerAndDrag)
{
    commainnum_->setCurrentText(bankerAndDrag ? QStringLiteral("9") : QString::number(quorlin::WheelSettings{}.basic));
    comdannum_->setCurrentText(bankerAndDrag ? "1" : "0");
    comdannum_->setEnabled(bankerAndDrag);
    colourBoxes();
}

void Tfrmjuzheng::colourBoxes()
{
    const int basic = commainnum_->currentText().toInt();
    const int bankers = comdannum_->currentText().toInt();
    for (int b = 0; b < boxes_.size(); ++b) {
        boxes_[b]->setStyleSheet(b < basic ? QStringLiteral("QLineEdit { background: white; }")
                                           : QStringLiteral("QLineEdit { background: red; color: white; }"));
        boxes_[b]->setVisible(b < basic + bankers);
    }
}

quorlin::WheelSettings Tfrmjuzheng::settings() const
{
    quorlin::WheelSettings s;
    s.selection = comcainum_->currentIndex() + 1;
    s.basic = commainnum_->currentText().toInt();
    s.bankerAndDrag = optdrag_->isChecked();
    s.bankers = s.bankerAndDrag ? comdannum_->currentText().toInt() : 0;
    s.ok = comoknum_->currentText().toInt();
    s.guarantee = combaonum_->currentText().toInt();
    return s;
}

std::string Tfrmjuzheng::wheelFolder() const
{
    return (std::filesystem::path(apppath_) / quorlin::kWheelFolder).string();
}

std::optional<quorlin::LoadedWheel> Tfrmjuzheng::loadWheel(const quorlin::WheelSettings& s)
{
    const auto name = quorlin::wheelFileName(s);
    if (!name) {
        refuse(this, QString::fromUtf8(quorlin::kTooManyBankers));
        return std::nullopt;
    }
    const std::filesystem::path path = std::filesystem::path(wheelFolder()) / *name;
    if (!std::filesystem::exists(path)) {
        refuse(this, QStringLiteral("没有该类型的矩阵！"));
        return std::nullopt;
    }
    return quorlin::readWheel(path.string(), s.selection - s.bankers, s.basic);
}

void Tfrmjuzheng::btngenClick()
{
    const quorlin::WheelSettings s = settings();
    auto loaded = loadWheel(s);
    if (!loaded)
        return;
    std::vector<std::string> texts;
    for (int b = 0; b < s.basic + s.bankers; ++b)
        texts.push_back(boxes_[b]->text().toStdString());
    std::vector<int> numbers;
    if (const std::string problem = quorlin::checkWheelNumbers(texts, numbers); !problem.empty()) {
        refuse(this, QString::fromStdString(problem));
        return;
    }
    // A file whose lines cannot be the bets is refused before the grid changes.
    if (!loaded->ok) {
        refuse(this, QString::fromStdString(loaded->error));
        return;
    }
    const std::vector<int> basic(numbers.begin(), numbers.begin() + s.basic);
    const std::vector<int> bankers(numbers.begin() + s.basic, numbers.end());
    const auto bets = quorlin::wheelBets(loaded->wheel, basic, bankers);
    columns_ = s.selection;
    tabcode_->clear();
    tabcode_->setColumnCount(columns_ + 1);
    QStringList titles{QStringLiteral("序号")};
    for (int c = 1; c <= columns_; ++c)
        titles << QStringLiteral("号码") + QString::number(c);
    tabcode_->setHorizontalHeaderLabels(titles);
    tabcode_->setRowCount(static_cast<int>(bets.size()));
    for (int r = 0; r < static_cast<int>(bets.size()); ++r) {
        tabcode_->setItem(r, 0, new QTableWidgetItem(QString::number(r + 1)));
        for (int c = 0; c < columns_; ++c)
            tabcode_->setItem(
                r, c + 1,
                new QTableWidgetItem(twoDigits(bets[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)])));
    }
    setColumnWidths();
    edtjushu_->setText(QString::number(bets.size()));
    label1_->setText(QStringLiteral("投注号码：共") + QString::number(bets.size()) + QStringLiteral(" 注"));
    // A line of more front numbers than a bet holds is played as a compound of every bet within it.
    const auto betsPerLine = quorlin::choose(columns_, quorlin::LotteryState{}.caisel);
    lblcost_->showFronts(bets.size() * static_cast<std::uint64_t>(betsPerLine));
}

void Tfrmjuzheng::btncheckClick()
{
    const quorlin::WheelSettings s = settings();
    auto loaded = loadWheel(s);
    if (!loaded)
        return;
    if (!loaded->ok) {
        refuse(this, QString::fromStdString(loaded->error));
        return;
    }
    // The wheel covers the drag part; the bankers are on every bet and need no check.
    const int ok = s.ok - s.bankers, guarantee = s.guarantee - s.bankers;
    const quorlin::WheelCheck check = quorlin::checkWheel(loaded->wheel, s.basic, ok, guarantee, 5);
    const QString name = QString::fromStdString(*quorlin::wheelFileName(s));
    if (!check.error.empty()) {
        refuse(this, QString::fromStdString(check.error));
        return;
    }
    if (check.holds()) {
        MessageBox::information(this, QStringLiteral("提示"),
                                QStringLiteral("%1共%2注，已对全部%3种开奖逐一验证：%4成立。")
                                    .arg(name)
                                    .arg(loaded->wheel.lines())
                                    .arg(check.draws)
                                    .arg(QString::fromStdString(quorlin::guaranteeText(ok, guarantee))));
        return;
    }
    QStringList examples;
    for (const auto& hole : check.holes) {
        QStringList positions;
        for (const int p : hole)
            positions << QString::number(p);
        examples << positions.join(' ');
    }
    MessageBox::warning(this, QStringLiteral("警告"),
                        QStringLiteral("%1不成立%2：全部%3种开奖中有%4种没有一注中%5个号码，例如（位置）：\n%6")
                            .arg(name)
                            .arg(QString::fromStdString(quorlin::guaranteeText(ok, guarantee)))
                            .arg(check.draws)
                            .arg(check.holeCount)
                            .arg(guarantee)
                            .arg(examples.join('\n')));
}

void Tfrmjuzheng::btnsaveClick()
{
    if (tabcode_->rowCount() == 0 || !tabcode_->item(0, 0) || tabcode_->item(0, 0)->text().isEmpty()) {
        refuse(this, QStringLiteral("号码表格为空，无法保存！"));
        return;
    }
    const QString proposed = QString::fromStdString(apppath_) + QStringLiteral("附属/") +
                             QString::fromStdString(quorlin::betFileName(settings()));
    const QString path = FileDialog::getSaveFileName(this, QStringLiteral("保存"), proposed, FileDialog::textFiles());
    if (path.isEmpty())
        return;
    std::vector<std::string> lines;
    for (int r = 0; r < tabcode_->rowCount(); ++r) {
        std::string line;
        for (int c = 1; c < tabcode_->columnCount(); ++c)
            line += tabcode_->item(r, c)->text().toStdString() + " ";
        lines.push_back(line);
    }
    std::string error;
    if (!quorlin::writeTextLines(path.toStdString(), lines, error)) {
        refuse(this, QString::fromStdString(error));
        return;
    }
    MessageBox::information(this, QStringLiteral("提示"), QStringLiteral("成功保存！"));
}

void Tfrmjuzheng::setColumnWidths()
{
    const int columns = tabcode_->columnCount();
    if (columns == 0)
        return;
    for (int c = 0; c < columns; ++c)
        tabcode_->setColumnWidth(c, (tabcode_->width() - 40) / columns);
}
