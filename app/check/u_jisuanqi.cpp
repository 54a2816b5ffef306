// Tfrmjisuanqi: 投注计算器, the ticket calculator.
#include "check/u_jisuanqi.h"

#include "check/bet_price.h"
#include "check/ticket_expansion.h"
#include "check/ticket_file.h"
#include "check/ticket_number_pad.h"
#include "check/ticket_prize_pane.h"
#include "common/app_settings.h"
#include "common/bet_cost_line.h"
#include "common/error_handler.h"
#include "common/export_dialogs.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "common/money_text.h"
#include "common/task_progress_strip.h"
#include "common/task_runner.h"
#include "common/text_grid.h"
#include "shell/lottery_document.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

namespace {

// Beside the program, like its other working files.
constexpr const char* kKeptListFile = "投注计算器未保存.txt";

const QColor kFrontColour(255, 50, 50);
const QColor kBackColour(50, 50, 255);

std::uint64_t betsOf(const std::vector<quorlin::Ticket>& tickets)
{
    std::uint64_t bets = 0;
    for (const quorlin::Ticket& ticket : tickets)
        bets += ticket.bets();
    return bets;
}

// What a ticket costs in 元; a ticket holds far fewer bets than would leave 64 bits.
std::int64_t ticketCost(const quorlin::Ticket& ticket, bool extra)
{
    return static_cast<std::int64_t>(quorlin::betCost(ticket.bets(), extra));
}

QString desktop()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

} // namespace

Tfrmjisuanqi::Tfrmjisuanqi(LotteryDocument& document, QWidget* parent) : QWidget(parent), runner_(new TaskRunner(this))
{
    setObjectName("frmjisuanqi");
    setWindowTitle(QStringLiteral("投注计算器"));
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    resize(1060, 780);
    const quorlin::LotteryState& state = document.state();
    shape_ = quorlin::TicketShape{state.caisum, state.caisel, state.housum, state.housel};
    keptPath_ = state.apppath + kKeptListFile;

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption);
        b->setObjectName(name);
        b->setAutoDefault(false);
        commands_ << b;
        return b;
    };

    front_ = new TicketNumberPad(QStringLiteral("前区号码（01-%1）").arg(shape_.frontTotal, 2, 10, QLatin1Char('0')),
                                 (shape_.frontTotal + 9) / 10 * 10, shape_.frontTotal, kFrontColour,
                                 QStringLiteral("btnqian"));
    front_->setObjectName("grpqian");
    back_ =
        new TicketNumberPad(QStringLiteral("后区号码（01-%1）").arg(shape_.backTotal, 2, 10, QLatin1Char('0')),
                            (shape_.backTotal + 9) / 10 * 10, shape_.backTotal, kBackColour, QStringLiteral("btnhou"));
    back_->setObjectName("grphou");

    optxuanhao_ = new QRadioButton(QStringLiteral("选号"));
    optxuanhao_->setObjectName("optxuanhao");
    optxuanhao_->setChecked(true);
    optxuandan_ = new QRadioButton(QStringLiteral("选胆"));
    optxuandan_->setObjectName("optxuandan");
    auto* modeHint = new QLabel(QStringLiteral("（按住 Ctrl 点号码也是选胆；胆码带粗框）"));
    lblpiaomian_ = new QLabel;
    lblpiaomian_->setObjectName("lblpiaomian");
    lblpiaomian_->setWordWrap(true);
    lblpiaomian_->setMinimumHeight(44);
    lblpiaomian_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblzhushu_ = new BetCostLine;
    lblzhushu_->setObjectName("lblzhushu");
    chkzhuijia_ = new QCheckBox(QStringLiteral("追加投注（每注%1元）").arg(quorlin::kExtraBetPrice));
    chkzhuijia_->setObjectName("chkzhuijia");
    chkzhuijia_->setChecked(AppSettings::flag(QStringLiteral("check/zhuijia"), false));
    connect(chkzhuijia_, &QCheckBox::toggled, this,
            [](bool checked) { AppSettings::setValue(QStringLiteral("check/zhuijia"), checked); });
    QPushButton* btntianjia = button("btntianjia", QStringLiteral("添加到投注单"));
    QPushButton* btnchongxuan = button("btnchongxuan", QStringLiteral("重新选号"));
    edtpiaomian_ = new QLineEdit;
    edtpiaomian_->setObjectName("edtpiaomian");
    edtpiaomian_->setPlaceholderText(QStringLiteral("如 05 18#02 09 13 21 27 30+04#01 08 11"));
    QPushButton* btnshuru = button("btnshuru", QStringLiteral("添加输入的票面"));

    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(optxuanhao_);
    modeRow->addWidget(optxuandan_);
    modeRow->addWidget(modeHint);
    modeRow->addStretch(1);
    auto* costRow = new QHBoxLayout;
    costRow->addWidget(lblzhushu_);
    costRow->addStretch(1);
    costRow->addWidget(chkzhuijia_);
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(btntianjia);
    addRow->addWidget(btnchongxuan);
    addRow->addStretch(1);
    auto* typedRow = new QHBoxLayout;
    typedRow->addWidget(edtpiaomian_, 1);
    typedRow->addWidget(btnshuru);
    auto* builder = new QVBoxLayout;
    builder->addLayout(modeRow);
    builder->addWidget(new QLabel(QStringLiteral("当前票面：")));
    builder->addWidget(lblpiaomian_);
    builder->addLayout(costRow);
    builder->addLayout(addRow);
    builder->addStretch(1);
    builder->addWidget(new QLabel(QStringLiteral("或输入一行票面（前区+后区，胆码写在“#”前）：")));
    builder->addLayout(typedRow);
    auto* pads = new QVBoxLayout;
    pads->addWidget(front_, 4);
    pads->addWidget(back_, 2);
    auto* upper = new QHBoxLayout;
    upper->addLayout(pads, 1);
    upper->addLayout(builder, 1);

    tabpiao_ = new TextGrid;
    tabpiao_->setObjectName("tabpiao");
    tabpiao_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tabpiao_->horizontalHeader()->setMinimumSectionSize(60);
    tabpiao_->setMinimumHeight(130);
    QPushButton* btnshanchu = button("btnshanchu", QStringLiteral("删除"));
    QPushButton* btnqingkong = button("btnqingkong", QStringLiteral("清空"));
    QPushButton* btnzairu = button("btnzairu", QStringLiteral("载入..."));
    QPushButton* btnbaocun = button("btnbaocun", QStringLiteral("保存..."));
    QPushButton* btnzhankai = button("btnzhankai", QStringLiteral("展开为单式..."));
    lblcost_ = new BetCostLine;
    strip_ = new TaskProgressStrip(runner_, this);
    auto* listCommands = new QVBoxLayout;
    for (QPushButton* b : {btnshanchu, btnqingkong, btnzairu, btnbaocun, btnzhankai})
        listCommands->addWidget(b);
    listCommands->addStretch(1);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(tabpiao_, 1);
    listRow->addLayout(listCommands);
    auto* totalRow = new QHBoxLayout;
    totalRow->addWidget(new QLabel(QStringLiteral("投注单合计：")));
    totalRow->addWidget(lblcost_);
    totalRow->addStretch(1);
    totalRow->addWidget(strip_);
    auto* btnclose = new QPushButton(QStringLiteral("关闭"));
    btnclose->setObjectName("btnclose");
    btnclose->setAutoDefault(false);
    totalRow->addWidget(btnclose);

    prizes_ = new TicketPrizePane(state, shape_);
    prizes_->setObjectName("grpzhongjiang");

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper);
    layout->addLayout(listRow, 2);
    layout->addLayout(totalRow);
    layout->addWidget(prizes_, 3);

    connect(optxuandan_, &QRadioButton::toggled, this, [this](bool on) {
        front_->setBankerMode(on);
        back_->setBankerMode(on);
    });
    connect(front_, &TicketNumberPad::changed, this, &Tfrmjisuanqi::showBuilt);
    connect(back_, &TicketNumberPad::changed, this, &Tfrmjisuanqi::showBuilt);
    connect(chkzhuijia_, &QCheckBox::toggled, this, [this] {
        showBuilt();
        showTickets();
    });
    connect(btntianjia, &QPushButton::clicked, this, &Tfrmjisuanqi::addBuilt);
    connect(btnchongxuan, &QPushButton::clicked, this, [this] {
        front_->clear();
        back_->clear();
    });
    connect(btnshuru, &QPushButton::clicked, this, &Tfrmjisuanqi::addTyped);
    connect(edtpiaomian_, &QLineEdit::returnPressed, this, &Tfrmjisuanqi::addTyped);
    connect(btnshanchu, &QPushButton::clicked, this, &Tfrmjisuanqi::removeSelected);
    connect(btnqingkong, &QPushButton::clicked, this, &Tfrmjisuanqi::clearList);
    connect(btnzairu, &QPushButton::clicked, this, [this] { runGuarded(this, [this] { loadList(); }); });
    connect(btnbaocun, &QPushButton::clicked, this, [this] { runGuarded(this, [this] { saveList(); }); });
    connect(btnzhankai, &QPushButton::clicked, this, [this] { runGuarded(this, [this] { expand(); }); });
    connect(strip_, &TaskProgressStrip::ended, this, &Tfrmjisuanqi::updateCommandStates);
    // Hidden with its list, as its siblings are; the list goes only with the window.
    connect(btnclose, &QPushButton::clicked, this, &QWidget::hide);
    showBuilt();
    showTickets();
    restoreKeptList();
}

Tfrmjisuanqi::~Tfrmjisuanqi()
{
    keepUnsavedList();
}

void Tfrmjisuanqi::keepUnsavedList()
{
    const QString path = QString::fromStdString(keptPath_);
    const bool unsaved = modified_ && !tickets_.empty();
    // The window is going: its boxes have no parent.
    if (keptUnreadable_) {
        if (unsaved)
            MessageBox::warning(
                nullptr, QStringLiteral("提示"),
                QStringLiteral("未保存的投注单没有保留：%1 无法读回，它保持原样，没有被覆盖。").arg(path));
        return;
    }
    std::string error;
    if (unsaved) {
        if (!quorlin::writeTicketFile(tickets_, keptPath_, error))
            MessageBox::warning(nullptr, QStringLiteral("提示"),
                                QStringLiteral("未保存的投注单无法保留：%1").arg(QString::fromStdString(error)));
        return;
    }
    std::error_code ignored;
    std::filesystem::remove(std::filesystem::path(keptPath_), ignored);
}

void Tfrmjisuanqi::restoreKeptList()
{
    std::error_code ignored;
    if (!std::filesystem::exists(std::filesystem::path(keptPath_), ignored))
        return;
    quorlin::TicketFile kept = quorlin::readTicketFile(keptPath_, shape_);
    if (!kept.ok) {
        keptUnreadable_ = true;
        MessageBox::warning(this, QStringLiteral("提示"),
                            QStringLiteral("上次未保存的投注单 %1 无法读回：%2\n该文件保持原样，请修改或移走它。")
                                .arg(QString::fromStdString(keptPath_), QString::fromStdString(kept.error)));
        return;
    }
    if (kept.tickets.empty())
        return;
    tickets_ = std::move(kept.tickets);
    modified_ = true;
    showTickets();
}

bool Tfrmjisuanqi::isBusy() const
{
    return runner_->isRunning();
}

std::optional<quorlin::Ticket> Tfrmjisuanqi::builtTicket(std::string& problem, std::string* chosen) const
{
    // The buttons' numbers are read as the line they write, so a ticket built is held to the
    // same rules as one typed.
    quorlin::Ticket built;
    built.shape = shape_;
    built.front = front_->part();
    built.back = back_->part();
    const std::string line = built.text();
    if (chosen)
        *chosen = line.ends_with('+') ? line.substr(0, line.size() - 1) : line;
    return quorlin::parseTicket(line, shape_, problem);
}

void Tfrmjisuanqi::showBuilt()
{
    std::string problem;
    std::string chosen;
    const auto ticket = builtTicket(problem, &chosen);
    if (ticket) {
        lblpiaomian_->setText(
            QStringLiteral("%1（%2）").arg(QString::fromStdString(ticket->text()), QString::fromUtf8(ticket->kind())));
        lblzhushu_->showBets(ticket->bets(), chkzhuijia_->isChecked());
    } else {
        // The numbers chosen so far, then what they still lack.
        const QString so = chosen.empty() ? QString() : QString::fromStdString(chosen) + QStringLiteral("　");
        lblpiaomian_->setText(so + QStringLiteral("还不成一注：%1").arg(QString::fromStdString(problem)));
        lblzhushu_->showBets(0);
    }
}

void Tfrmjisuanqi::addBuilt()
{
    std::string problem;
    const auto ticket = builtTicket(problem);
    if (!ticket) {
        refuse(this, QStringLiteral("所选号码还不成一注：%1").arg(QString::fromStdString(problem)));
        return;
    }
    if (!add(*ticket))
        return;
    front_->clear();
    back_->clear();
}

void Tfrmjisuanqi::addTyped()
{
    const QString line = edtpiaomian_->text().trimmed();
    std::string problem;
    const auto ticket = quorlin::parseTicket(line.toStdString(), shape_, problem);
    if (!ticket) {
        refuse(this, QStringLiteral("票面“%1”有误：%2").arg(line, QString::fromStdString(problem)));
        return;
    }
    if (add(*ticket))
        edtpiaomian_->clear();
}

bool Tfrmjisuanqi::add(const quorlin::Ticket& ticket)
{
    // A list as long as a file may hold, so that a saved list loads again.
    if (tickets_.size() >= quorlin::kMaxTicketLines) {
        refuse(this, QStringLiteral("投注单最多%1张票面！").arg(quorlin::kMaxTicketLines));
        return false;
    }
    // An expansion running meanwhile writes the copy it was given.
    tickets_.push_back(ticket);
    modified_ = true;
    showTickets();
    tabpiao_->scrollToBottom();
    return true;
}

void Tfrmjisuanqi::removeSelected()
{
    if (isBusy())
        return;
    QList<int> rows;
    for (const QModelIndex& index : tabpiao_->selectionModel()->selectedRows())
        rows << index.row();
    if (rows.isEmpty()) {
        refuse(this, QStringLiteral("请先在投注单中选择要删除的票面！"));
        return;
    }
    std::sort(rows.begin(), rows.end(), std::greater<>());
    for (const int row : rows)
        if (row >= 0 && static_cast<std::size_t>(row) < tickets_.size())
            tickets_.erase(tickets_.begin() + row);
    modified_ = true;
    showTickets();
}

void Tfrmjisuanqi::clearList()
{
    if (isBusy() || tickets_.empty())
        return;
    if (MessageBox::question(this, QStringLiteral("提示"),
                             QStringLiteral("清空投注单中的全部%1张票面？").arg(tickets_.size())) != QMessageBox::Yes)
        return;
    tickets_.clear();
    modified_ = false;
    showTickets();
}

void Tfrmjisuanqi::saveList()
{
    if (tickets_.empty()) {
        refuse(this, QStringLiteral("投注单中还没有票面！"));
        return;
    }
    const QString path =
        FileDialog::getSaveFileName(this, QStringLiteral("保存投注单"), desktop(), FileDialog::textFiles());
    if (path.isEmpty())
        return;
    std::string error;
    if (!quorlin::writeTicketFile(tickets_, QDir::toNativeSeparators(path).toStdString(), error)) {
        refuse(this, QString::fromStdString(error));
        return;
    }
    modified_ = false;
    MessageBox::information(this, QStringLiteral("提示"), QStringLiteral("成功保存！"));
}

void Tfrmjisuanqi::loadList()
{
    if (isBusy())
        return;
    if (modified_ && !tickets_.empty() &&
        MessageBox::question(this, QStringLiteral("提示"),
                             QStringLiteral("投注单还没有保存，载入会替换它。是否继续？")) != QMessageBox::Yes)
        return;
    const QString path =
        FileDialog::getOpenFileName(this, QStringLiteral("载入投注单"), desktop(), FileDialog::textFiles());
    if (path.isEmpty())
        return;
    quorlin::TicketFile file = quorlin::readTicketFile(QDir::toNativeSeparators(path).toStdString(), shape_);
    if (!file.ok) {
        refuse(this, QStringLiteral("%1：%2").arg(QFileInfo(path).fileName(), QString::fromStdString(file.error)));
        return;
    }
    tickets_ = std::move(file.tickets);
    modified_ = false;
    showTickets();
}

void Tfrmjisuanqi::expand()
{
    if (isBusy())
        return;
    if (tickets_.empty()) {
        refuse(this, QStringLiteral("投注单中还没有票面！"));
        return;
    }
    // A name ending in .csv gets the bets one a row with the numbers in columns, for spreadsheets.
    const QString path = FileDialog::getSaveFileName(this, QStringLiteral("展开为单式"), desktop(),
                                                     FileDialog::textFiles() + '|' + ExportDialogs::csvFiles());
    if (path.isEmpty())
        return;
    const bool csv = QFileInfo(path).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
    const std::uint64_t bets = betsOf(tickets_);
    struct Written {
        bool ok = false;
        std::string error;
    };
    runner_->run(
        this,
        [tickets = tickets_, file = QDir::toNativeSeparators(path).toStdString(), csv](quorlin::Progress& progress) {
            Written written;
            written.ok = csv ? quorlin::writeTicketBetsCsv(tickets, file, &progress, written.error)
                             : quorlin::writeTicketBets(tickets, file, &progress, written.error);
            return written;
        },
        [this, bets, name = QFileInfo(path).fileName()](const Written& written) {
            if (written.ok)
                MessageBox::information(this, QStringLiteral("展开为单式"),
                                        QStringLiteral("已把投注单展开为%1注单式，写入 %2。").arg(bets).arg(name));
            else if (runner_->wasCancelled())
                MessageBox::information(this, QStringLiteral("展开为单式"),
                                        QStringLiteral("已停止展开，%1 未改变。").arg(name));
            else
                refuse(this, QString::fromStdString(written.error));
        });
    strip_->started();
    updateCommandStates();
}

void Tfrmjisuanqi::showTickets()
{
    auto shown = std::make_shared<const std::vector<quorlin::Ticket>>(tickets_);
    const bool extra = chkzhuijia_->isChecked();
    tabpiao_->table().reset(
        {QStringLiteral("票面"), QStringLiteral("类型"), QStringLiteral("注数"), QStringLiteral("金额")},
        static_cast<int>(shown->size()), [shown, extra](int row, int column) -> QString {
            const quorlin::Ticket& t = (*shown)[static_cast<std::size_t>(row)];
            switch (column) {
            case 0:
                return QString::fromStdString(t.text());
            case 1:
                return QString::fromUtf8(t.kind());
            case 2:
                return QString::number(t.bets());
            default:
                return QString::fromStdString(quorlin::yuanShortText(ticketCost(t, extra)));
            }
        });
    // Copies and exports write the money as the command line does.
    tabpiao_->table().setPlainCell([shown, extra](int row, int column) {
        return column == 3 ? QString::number(ticketCost((*shown)[static_cast<std::size_t>(row)], extra)) : QString();
    });
    // The line takes the room left; a 复式 of many numbers is long.
    tabpiao_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    lblcost_->showBets(betsOf(tickets_), extra);
    prizes_->setTickets(std::move(shown), extra);
}

void Tfrmjisuanqi::updateCommandStates()
{
    const bool idle = !isBusy();
    for (QPushButton* command : commands_)
        command->setEnabled(idle);
}
