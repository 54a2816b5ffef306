// WheelMakerPage: 按需生成, a wheel searched for exactly the chosen pool.
#include "betset/wheel_maker_page.h"

#include "betset/wheel_repair_box.h"
#include "check/ticket_number_pad.h"
#include "common/app_settings.h"
#include "common/bet_cost_line.h"
#include "common/bet_list_files.h"
#include "common/form_widgets.h"
#include "common/integer_fields.h"
#include "common/message_box.h"
#include "common/number_button_grid.h"
#include "common/task_runner.h"
#include "common/text_grid.h"
#include "filter/bet_list.h"
#include "wheel/wheel_file.h"
#include "wheel/wheel_maker.h"
#include "wheel/wheel_names.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>

#include <algorithm>
#include <bit>
#include <filesystem>
#include <random>

namespace {

const QColor kPoolColour(255, 50, 50);
const QColor kBackColour(50, 50, 255);
constexpr int kBackTotal = 12;
constexpr int kMaxSeconds = 86'400;
const QString kSecondsKey = QStringLiteral("wheel/searchSeconds");

QString fromCore(const std::string& text)
{
    return QString::fromStdString(text).replace('\t', ' ');
}

/// The typed pool, or why the text is none.
std::string readTypedPool(const QString& text, quorlin::WheelGuarantee& g)
{
    std::string problem = quorlin::readWheelPool(text.toStdString(), g);
    return problem.empty() ? quorlin::wheelPoolProblem(g) : problem;
}

/// The pool as the buttons show it: bankers and the other numbers.
quorlin::TicketPart buttonsOf(const quorlin::WheelGuarantee& g)
{
    quorlin::TicketPart part;
    for (const int n : g.pool) {
        const bool banker = std::find(g.bankers.begin(), g.bankers.end(), n) != g.bankers.end();
        (banker ? part.bankers : part.drags) |= std::uint64_t{1} << n;
    }
    return part;
}

/// Offers 1..`most`, showing `current`.
void offerCounts(QComboBox* box, int most, int current)
{
    if (box->count() != most) {
        box->clear();
        for (int i = 1; i <= most; ++i)
            box->addItem(QString::number(i));
    }
    box->setCurrentIndex(current - 1);
}

} // namespace

WheelMakerPage::WheelMakerPage(const std::string& apppath, QWidget* parent)
    : QWidget(parent), apppath_(apppath), runner_(new TaskRunner(this))
{
    buildResult();
    buildPool();
    buildGuarantee();
    repair_ = new WheelRepairBox(*this, this);
    repair_->setGeometry(310, 364, 419, 191);
    connect(runner_, &TaskRunner::progress, this, &WheelMakerPage::showTimeLeft);
    connect(runner_, &TaskRunner::finished, this, [this] { setCommandsEnabled(true); });
    setCommandsEnabled(true);
    poolChanged();
}

// The runner goes first: its work posts the best sizes to this page until it has ended.
WheelMakerPage::~WheelMakerPage()
{
    delete runner_;
}

void WheelMakerPage::buildResult()
{
    lbltouzhu_ = FormWidgets::label(this, QStringLiteral("投注号码："), QRect(8, 8, 292, 18));
    lbltouzhu_->setObjectName("lbltouzhu");
    lblzhushu_ = new BetCostLine(this);
    lblzhushu_->setObjectName("lblzhushu");
    lblzhushu_->setGeometry(8, 510, 292, 18);
    lblzhushu_->setToolTip(QStringLiteral("选了两个以上后区号码时，每注配每一对后区号码；没选时只计前区组合"));
    // A model-backed grid: a wheel of a large pool may have hundreds of thousands of bets.
    tabjieguo_ = new TextGrid(this);
    tabjieguo_->setObjectName("tabjieguo");
    tabjieguo_->setGeometry(8, 28, 292, 480);
    tabjieguo_->verticalHeader()->setDefaultSectionSize(20);
    tabjieguo_->horizontalHeader()->setStretchLastSection(true);
    showRows();
    lblbaozheng_ = FormWidgets::label(this, {}, QRect(8, 532, 292, 22));
    lblbaozheng_->setObjectName("lblbaozheng");
}

void WheelMakerPage::buildPool()
{
    pool_ = new TicketNumberPad(
        QStringLiteral("号码池（按住 Ctrl 点号码为胆码，最多%1个，带粗框）").arg(quorlin::kWheelMaxBankers), 40,
        quorlin::kWheelMaxNumber, kPoolColour, QStringLiteral("btnchi"), this);
    pool_->setObjectName("grpchi");
    pool_->setGeometry(310, 4, 419, 140);
    pool_->setMaxBankers(quorlin::kWheelMaxBankers);
    connect(pool_, &TicketNumberPad::changed, this, &WheelMakerPage::poolChanged);
    connect(pool_, &TicketNumberPad::bankersFull, this,
            [this] { refuse(this, QString::fromUtf8(quorlin::kTooManyWheelBankers)); });

    FormWidgets::label(this, QStringLiteral("号码："), QRect(310, 150, 40, 24));
    edtchi_ = FormWidgets::lineEdit(this, "edtchi", QRect(350, 150, 379, 24));
    edtchi_->setPlaceholderText(QStringLiteral("如 03 12#01 05 07 20 …（#前为胆码）"));
    // Typing moves the buttons along whenever the text is a pool; Enter says what is wrong with it.
    connect(edtchi_, &QLineEdit::textEdited, this, [this](const QString& text) {
        quorlin::WheelGuarantee typed;
        if (!readTypedPool(text, typed).empty())
            return;
        typing_ = true; // the text stays as typed
        pool_->setPart(buttonsOf(typed));
        typing_ = false;
    });
    connect(edtchi_, &QLineEdit::returnPressed, this, &WheelMakerPage::applyTypedPool);

    back_ = new NumberButtonGrid(20, kBackTotal, kBackColour, QStringLiteral("btnhou"), this);
    back_->setObjectName("grphou");
    back_->setTitle(QStringLiteral("后区号码（选两个以上时每注配每一对）"));
    back_->setGeometry(310, 180, 419, 76);
    connect(back_, &NumberButtonGrid::numberClicked, this, [this](int n) {
        back_->toggle(n);
        showCost();
    });
}

void WheelMakerPage::buildGuarantee()
{
    const int h = 24, y = 264;
    FormWidgets::label(this, QStringLiteral("保证：中"), QRect(310, y, 56, h));
    comzhong_ = new QComboBox(this);
    comzhong_->setObjectName("comzhong");
    comzhong_->setGeometry(366, y, 44, h);
    FormWidgets::label(this, QStringLiteral("保"), QRect(416, y, 16, h));
    combao_ = new QComboBox(this);
    combao_->setObjectName("combao");
    combao_->setGeometry(434, y, 44, h);
    FormWidgets::label(this, QStringLiteral("限时"), QRect(500, y, 32, h));
    // The time limit last asked for, when it is one.
    const int kept = AppSettings::value(kSecondsKey, 10).toInt();
    edtmiao_ = FormWidgets::lineEdit(this, "edtmiao", QRect(534, y, 50, h),
                                     QString::number(kept >= 1 && kept <= kMaxSeconds ? kept : 10));
    connect(edtmiao_, &QLineEdit::textChanged, this, [](const QString& text) {
        bool number = false;
        const int seconds = text.trimmed().toInt(&number);
        if (number && seconds >= 1 && seconds <= kMaxSeconds)
            AppSettings::setValue(kSecondsKey, seconds);
    });
    FormWidgets::label(this, QStringLiteral("秒"), QRect(588, y, 20, h));
    connect(comzhong_, &QComboBox::currentIndexChanged, this, [this] {
        if (bounding_ || comzhong_->currentIndex() < 0)
            return;
        wantedOk_ = comzhong_->currentText().toInt();
        boundGuarantee();
    });
    connect(combao_, &QComboBox::currentIndexChanged, this, [this] {
        if (!bounding_ && combao_->currentIndex() >= 0)
            wantedHit_ = combao_->currentText().toInt();
    });

    btnkaishi_ = FormWidgets::button(this, "btnkaishi", QStringLiteral("开始"), QRect(310, 294, 82, 28));
    btntingzhi_ = FormWidgets::button(this, "btntingzhi", QStringLiteral("停止"), QRect(398, 294, 82, 28));
    lblzuijia_ = FormWidgets::label(this, {}, QRect(490, 294, 110, 28));
    lblzuijia_->setObjectName("lblzuijia");
    lblshengyu_ = FormWidgets::label(this, {}, QRect(604, 294, 125, 28));
    lblshengyu_->setObjectName("lblshengyu");
    auto* btnbaocun = FormWidgets::button(this, "btnbaocun", QStringLiteral("保存"), QRect(310, 328, 82, 28));
    auto* btnbaocunjz =
        FormWidgets::button(this, "btnbaocunjz", QStringLiteral("保存为矩阵文件"), QRect(398, 328, 130, 28));
    connect(btnkaishi_, &QPushButton::clicked, this, &WheelMakerPage::btnkaishiClick);
    connect(btntingzhi_, &QPushButton::clicked, runner_, &TaskRunner::cancel);
    connect(btnbaocun, &QPushButton::clicked, this, &WheelMakerPage::btnbaocunClick);
    connect(btnbaocunjz, &QPushButton::clicked, this, &WheelMakerPage::btnbaocunjzClick);
    commands_ = {pool_, edtchi_, back_, comzhong_, combao_, edtmiao_, btnkaishi_, btnbaocun, btnbaocunjz};
}

bool WheelMakerPage::isBusy() const
{
    return runner_->isRunning();
}

void WheelMakerPage::setCommandsEnabled(bool enabled)
{
    for (QWidget* w : commands_)
        w->setEnabled(enabled);
    repair_->setEnabled(enabled);
    btntingzhi_->setEnabled(false);
}

quorlin::WheelGuarantee WheelMakerPage::chosenPool() const
{
    quorlin::WheelGuarantee g;
    g.pool = pool_->selectedNumbers();
    for (const int n : g.pool)
        if (pool_->isBanker(n))
            g.bankers.push_back(n);
    g.ok = comzhong_->currentText().toInt();
    g.hit = combao_->currentText().toInt();
    return g;
}

void WheelMakerPage::poolChanged()
{
    if (!typing_)
        edtchi_->setText(QString::fromStdString(quorlin::wheelPoolText(chosenPool())));
    boundGuarantee();
}

bool WheelMakerPage::applyTypedPool()
{
    if (edtchi_->text().toStdString() == quorlin::wheelPoolText(chosenPool()))
        return true;
    quorlin::WheelGuarantee g;
    if (const std::string problem = readTypedPool(edtchi_->text(), g); !problem.empty()) {
        refuse(this, QString::fromStdString(problem));
        return false;
    }
    pool_->setPart(buttonsOf(g));
    return true;
}

void WheelMakerPage::boundGuarantee()
{
    const quorlin::WheelGuarantee g = chosenPool();
    const int bankers = static_cast<int>(g.bankers.size());
    const int others = static_cast<int>(g.pool.size()) - bankers;
    const int mostOk = std::clamp(std::min(g.freeWidth(), others), 1, quorlin::kWheelBetSize);
    bounding_ = true;
    offerCounts(comzhong_, mostOk, std::min(wantedOk_, mostOk));
    const int ok = comzhong_->currentText().toInt();
    offerCounts(combao_, ok, std::min(wantedHit_, ok));
    bounding_ = false;
}

std::optional<quorlin::WheelGuarantee> WheelMakerPage::askedGuarantee()
{
    if (!applyTypedPool())
        return std::nullopt;
    const quorlin::WheelGuarantee g = chosenPool();
    if (const std::string problem = quorlin::wheelGuaranteeProblem(g); !problem.empty()) {
        refuse(this, QString::fromStdString(problem));
        return std::nullopt;
    }
    return g;
}

std::optional<int> WheelMakerPage::askedSeconds()
{
    IntegerFields fields;
    const int seconds = fields.read(edtmiao_->text(), QStringLiteral("限时"));
    if (!fields.ok()) {
        refuse(this, fields.error());
        return std::nullopt;
    }
    if (seconds < 1 || seconds > kMaxSeconds) {
        refuse(this, QStringLiteral("限时应为1到%1秒！").arg(kMaxSeconds));
        return std::nullopt;
    }
    return seconds;
}

void WheelMakerPage::btnkaishiClick()
{
    const auto g = askedGuarantee();
    if (!g)
        return;
    const auto seconds = askedSeconds();
    if (!seconds)
        return;
    quorlin::WheelMakeOptions options;
    options.seconds = *seconds;
    options.seed = std::random_device{}();
    options.threads = std::max(1, QThread::idealThreadCount());
    // Called on a worker; the page shows it when its turn comes on the user-interface thread.
    options.onBest = [this](std::size_t size) {
        QMetaObject::invokeMethod(
            this, [this, size] { showBest(size); }, Qt::QueuedConnection);
    };
    setSearching();
    lblzuijia_->setText(QStringLiteral("最佳：—"));
    showTimeLeft(0, *seconds * 1000);
    runner_->run(
        this,
        [g = *g, options](quorlin::Progress& progress) mutable {
            options.progress = &progress;
            return quorlin::makeWheel(g, options);
        },
        [this, g = *g](quorlin::MadeWheel made) {
            // A covering that reaches the bound ends before its time: no wheel can be smaller.
            lblshengyu_->setText(runner_->wasCancelled()                           ? QStringLiteral("已停止")
                                 : made.bets.size() <= quorlin::wheelLowerBound(g) ? QStringLiteral("已是最少注数")
                                                                                   : QStringLiteral("已到时"));
            if (!made.error.empty()) {
                refuse(this, QString::fromStdString(made.error));
                return;
            }
            showBest(made.bets.size());
            showWheel(g, std::move(made.bets));
        });
}

void WheelMakerPage::setSearching()
{
    setCommandsEnabled(false);
    btntingzhi_->setEnabled(true);
}

void WheelMakerPage::stop()
{
    runner_->cancel();
}

void WheelMakerPage::showBest(std::size_t size)
{
    lblzuijia_->setText(QStringLiteral("最佳：%1注").arg(size));
}

void WheelMakerPage::showTimeLeft(qint64 elapsedMs, qint64 limitMs)
{
    if (limitMs <= 0)
        return;
    const qint64 left = std::max<qint64>(0, limitMs - elapsedMs);
    lblshengyu_->setText(QStringLiteral("剩余：%1秒").arg((left + 999) / 1000));
}

void WheelMakerPage::showWheel(const quorlin::WheelGuarantee& guarantee, std::vector<quorlin::WheelBet> bets)
{
    made_ = guarantee;
    bets_ = std::move(bets);
    const int rows = static_cast<int>(bets_.size());
    showRows();
    lbltouzhu_->setText(QStringLiteral("投注号码：共%1注").arg(rows));
    lblbaozheng_->setText(QStringLiteral("保证 %1 已验证").arg(fromCore(quorlin::wheelGuaranteeLabel(guarantee))));
    showCost();
}

void WheelMakerPage::showRows()
{
    QStringList titles{QStringLiteral("序号")};
    for (int c = 1; c <= quorlin::kWheelBetSize; ++c)
        titles << QStringLiteral("号码") + QString::number(c);
    tabjieguo_->table().reset(titles, static_cast<int>(bets_.size()), [this](int row, int column) {
        return column == 0 ? QString::number(row + 1)
                           : QString::asprintf("%.2d", bets_[static_cast<std::size_t>(row)][column - 1u]);
    });
    for (int c = 0; c < static_cast<int>(titles.size()); ++c)
        tabjieguo_->setColumnWidth(c, (tabjieguo_->width() - 24) / static_cast<int>(titles.size()));
}

void WheelMakerPage::showCost()
{
    const std::size_t pairs = quorlin::backPairs(back_->selectedNumbers(), kBackTotal).size() / 2;
    if (pairs == 0)
        lblzhushu_->showFronts(bets_.size());
    else
        lblzhushu_->showBets(bets_.size() * pairs);
}

void WheelMakerPage::btnbaocunClick()
{
    if (bets_.empty()) {
        refuse(this, QStringLiteral("还没有生成号码，无法保存！"));
        return;
    }
    const quorlin::MadeWheelFile file = quorlin::madeWheelFile(made_, bets_);
    const QString path = BetListFiles::askSaveName(this, QString::fromStdString(quorlin::betFileName(file.settings)));
    if (path.isEmpty())
        return;
    std::vector<std::uint8_t> fronts;
    for (const quorlin::WheelBet& bet : bets_)
        for (const int n : bet)
            fronts.push_back(static_cast<std::uint8_t>(n));
    std::vector<std::uint8_t> backs = quorlin::backPairs(back_->selectedNumbers(), kBackTotal);
    const quorlin::BetList list =
        backs.empty() ? quorlin::BetList::frontsOnly(quorlin::kWheelBetSize, std::move(fronts))
                      : quorlin::BetList::paired(quorlin::kWheelBetSize, std::move(fronts), 2, std::move(backs));
    std::string error;
    if (!list.writeSaved(path.toStdString(), nullptr, error)) {
        refuse(this, QString::fromStdString(error));
        return;
    }
    MessageBox::information(this, QStringLiteral("提示"), QStringLiteral("成功保存！"));
}

void WheelMakerPage::btnbaocunjzClick()
{
    if (bets_.empty()) {
        refuse(this, QStringLiteral("还没有生成号码，无法保存！"));
        return;
    }
    const quorlin::MadeWheelFile file = quorlin::madeWheelFile(made_, bets_);
    const std::filesystem::path folder = std::filesystem::path(apppath_) / quorlin::kWheelFolder;
    const std::filesystem::path path = folder / file.name;
    const QString name = QString::fromStdString(file.name);
    std::error_code ec;
    if (std::filesystem::exists(path, ec) &&
        MessageBox::question(this, QStringLiteral("确认"), QStringLiteral("已有矩阵文件%1，要替换它吗？").arg(name),
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    std::filesystem::create_directories(folder, ec);
    std::string error;
    if (!quorlin::writeWheel(path.string(), file.wheel, file.note, error)) {
        refuse(this, QString::fromStdString(error));
        return;
    }
    const quorlin::WheelSettings& s = file.settings;
    const QString use =
        file.readable ? QStringLiteral("在《矩阵文件》页选5型、%1、选对号码数%2、保中号码数%3即可使用。")
                            .arg(s.bankers ? QStringLiteral("胆拖式%1个胆码").arg(s.bankers) : QStringLiteral("平衡式"))
                            .arg(s.ok)
                            .arg(s.guarantee)
                      : QStringLiteral("《矩阵文件》页最多用%1个基本号码和%2个胆码，不能使用这个矩阵。")
                            .arg(quorlin::kWheelWindowMaxBasic)
                            .arg(quorlin::kWheelWindowMaxBankers);
    MessageBox::information(this, QStringLiteral("提示"),
                            QStringLiteral("成功保存矩阵文件%1（%2注）。").arg(name).arg(bets_.size()) + use);
}
