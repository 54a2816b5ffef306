#include "filter/exclusion_window.h"

#include "common/bar_chart.h"
#include "common/bet_cost_line.h"
#include "common/bet_list_export_menu.h"
#include "common/bet_list_files.h"
#include "common/bet_list_model.h"
#include "common/integer_fields.h"
#include "common/message_box.h"
#include "common/progress.h"
#include "common/random_source.h"
#include "common/task_runner.h"
#include "common/text_grid.h"
#include "common/text_table_model.h"
#include "common/uniform_list_view.h"
#include "filter/bet_list.h"
#include "filter/exclusion_list_reader.h"
#include "shell/lottery_document.h"
#include "store/lottery_state.h"
#include "store/schema.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <stdexcept>

namespace {

constexpr int kProgressSteps = 1000;

} // namespace

ExclusionWindow::ExclusionWindow(LotteryDocument& document, const Texts& texts, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          (texts.stayOnTop ? Qt::WindowStaysOnTopHint : Qt::WindowFlags())),
      document_(document), history_(quorlin::DrawHistory::of(document.state())),
      set_(std::make_shared<quorlin::ExclusionSet>(document.state().caisum, document.state().caisel)),
      random_(std::make_shared<quorlin::ClockRandomSource>()), texts_(texts), runner_(new TaskRunner(this))
{
    setWindowTitle(texts.caption);
    const quorlin::LotteryState& state = document_.state();
    auto* root = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    root->addLayout(left);

    // 目前投注期 and the stage box.
    auto* top = new QGridLayout;
    left->addLayout(top);
    top->addWidget(new QLabel(QStringLiteral("目前投注期：")), 0, 0);
    comcurqi_ = new QComboBox;
    comcurqi_->setObjectName("comcurqi");
    for (const std::int32_t issue : history_.issues)
        comcurqi_->addItem(QString::number(issue));
    comcurqi_->addItem(QString::number(history_.issues.empty() ? 1 : history_.issues.back() + 1));
    comcurqi_->setCurrentIndex(comcurqi_->count() - 1);
    top->addWidget(comcurqi_, 0, 1);
    auto* stageLabel = new QLabel(texts.stageCaption);
    stageLabel->setObjectName("lbljieduannum");
    top->addWidget(stageLabel, 1, 0);
    comjieduannum_ = new QComboBox;
    comjieduannum_->setObjectName("comjieduannum");
    comjieduannum_->addItem(QStringLiteral("全部期"));
    for (int i = 1; i <= state.recnum; ++i)
        comjieduannum_->addItem(QString::number(i));
    comjieduannum_->setEnabled(false);
    top->addWidget(comjieduannum_, 1, 1);

    auto* members = new QGroupBox;
    memberArea_ = new QGridLayout(members);
    left->addWidget(members);
    // A kept bet satisfies the settings in relabelled numbers only, so its real numbers may lie
    // outside the ranges shown; a player reading them as real numbers would think the run wrong.
    lblbianhuan_ =
        new QLabel(QStringLiteral("以上条件判断的是每次随机变换后的号码，保留的投注号码按实际号码可能超出所示范围。"));
    lblbianhuan_->setObjectName("lblbianhuan");
    lblbianhuan_->setWordWrap(true);
    left->addWidget(lblbianhuan_);

    // 过滤到 … 注 / 过滤到 … 次.
    auto* modes = new QGridLayout;
    left->addLayout(modes);
    optjushu_ = new QRadioButton(QStringLiteral("过滤到："));
    optjushu_->setObjectName("optjushu");
    optjushu_->setChecked(true);
    edtjushu_ = new QLineEdit(texts.defaultTarget);
    edtjushu_->setObjectName("edtjushu");
    optcishu_ = new QRadioButton(QStringLiteral("过滤到："));
    optcishu_->setObjectName("optcishu");
    edtcishu_ = new QLineEdit(texts.defaultIterations);
    edtcishu_->setObjectName("edtcishu");
    modes->addWidget(optjushu_, 0, 0);
    modes->addWidget(edtjushu_, 0, 1);
    modes->addWidget(new QLabel(QStringLiteral("注")), 0, 2);
    modes->addWidget(optcishu_, 1, 0);
    modes->addWidget(edtcishu_, 1, 1);
    modes->addWidget(new QLabel(QStringLiteral("次")), 1, 2);

    btngen_ = new QPushButton(texts.startCaption);
    btngen_->setObjectName("btngen");
    left->addWidget(btngen_);
    pb_ = new QProgressBar;
    pb_->setObjectName("pb");
    pb_->setRange(0, kProgressSteps);
    pb_->setTextVisible(false);
    pb_->hide();
    left->addWidget(pb_);

    auto* buttons = new QGridLayout;
    left->addLayout(buttons);
    auto button = [&](const char* name, const QString& caption, int row, int column) {
        auto* b = new QPushButton(caption);
        b->setObjectName(name);
        buttons->addWidget(b, row, column);
        return b;
    };
    QPushButton* btnsave = button("btnsave", texts.saveCaption, 0, 0);
    QPushButton* btnload = button("btnload", QStringLiteral("载入"), 0, 1);
    QPushButton* btnclear = button("btnclear", texts.clearCaption, 1, 0);
    QPushButton* btnclose = button("btnclose", QStringLiteral("关闭"), 1, 1);
    left->addStretch();

    // The result list, and for members with statistics the history grid and chart beside it.
    model_ = new BetListModel(this);
    memcode_ = new UniformListView;
    memcode_->setObjectName("memcode");
    memcode_->setModel(model_);
    BetListExportMenu::install(memcode_, [this](BetListExportMenu::Work work, std::function<void(bool)> done) {
        if (isBusy())
            return;
        showRunning();
        runner_->run(this, std::move(work), std::move(done));
        updateCommandStates();
    });
    memcode_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lblcode_ = new QLabel(QStringLiteral("过滤结果："));
    lblcode_->setObjectName("lblcode");
    resultTab_ = new QWidget;
    auto* resultLayout = new QVBoxLayout(resultTab_);
    resultLayout->addWidget(memcode_);
    auto* counts = new QHBoxLayout;
    resultLayout->addLayout(counts);
    counts->addWidget(lblcode_);
    auto* cost = new BetCostLine;
    cost->follow(model_);
    counts->addWidget(cost, 1);
    historyTab_ = new QWidget;
    auto* historyLayout = new QVBoxLayout(historyTab_);
    statisticsButtons_ = new QGridLayout;
    historyLayout->addLayout(statisticsButtons_);
    page_ = new QTabWidget;
    page_->setObjectName("page");
    if (texts.statistics) {
        tabhistory_ = new TextGrid;
        tabhistory_->setObjectName("tabhistory");
        tabhistory_->horizontalHeader()->setStretchLastSection(true);
        chthistory_ = new BarChart(QString());
        chthistory_->setObjectName("chthistory");
        chthistory_->addSeries(QString(), QColor(255, 50, 50));
        chkhistorybiao_ = new QCheckBox(QStringLiteral("显示标注"));
        chkhistorybiao_->setObjectName("chkhistorybiao");
        historyLayout->addWidget(tabhistory_, 3);
        historyLayout->addWidget(chthistory_, 2);
        historyLayout->addWidget(chkhistorybiao_);
        connect(chkhistorybiao_, &QCheckBox::toggled, this, [this] { showStatistics(shown_); });
        page_->addTab(historyTab_, QStringLiteral("历史统计"));
    } else {
        // No page shows it, but the window still owns it and frees it with itself.
        historyTab_->setParent(this);
        historyTab_->hide();
    }
    page_->addTab(resultTab_, QStringLiteral("投注号码"));
    root->addWidget(page_, 1);

    commands_ = {btnsave, btnload, btnclear};
    connect(btngen_, &QPushButton::clicked, this, &ExclusionWindow::btngenClick);
    connect(btnsave, &QPushButton::clicked, this, &ExclusionWindow::btnsaveClick);
    connect(btnload, &QPushButton::clicked, this, &ExclusionWindow::btnloadClick);
    connect(btnclear, &QPushButton::clicked, this, &ExclusionWindow::btnclearClick);
    connect(btnclose, &QPushButton::clicked, this, &QWidget::hide);
    connect(runner_, &TaskRunner::progress, this, [this](qint64 done, qint64 total) {
        pb_->setValue(total > 0 ? static_cast<int>(std::min(done, total) * kProgressSteps / total) : 0);
    });
    connect(runner_, &TaskRunner::finished, this, [this] {
        pb_->hide();
        unsetCursor();
        btngen_->setText(texts_.startCaption);
        // A stopped run has set its stage too; items are 全部期 (0) and then 1..recnum.
        if (texts_.showsRunStage && set_->stage() < comjieduannum_->count())
            comjieduannum_->setCurrentIndex(set_->stage());
        updateCommandStates();
    });

    resize(texts.statistics ? 1000 : 760, 620);
}

ExclusionWindow::~ExclusionWindow()
{
    // A run reads the history this window holds: stop it and wait before the history goes.
    delete runner_;
}

void ExclusionWindow::hideEvent(QHideEvent* event)
{
    // 关闭 or the title bar's close: a hidden window could not be stopped, so the run ends here. A
    // spontaneous hide (the desktop switched away) leaves it running.
    if (isBusy() && !event->spontaneous())
        runner_->cancel();
    QDialog::hideEvent(event);
}

void ExclusionWindow::showRelabelNote(bool shown)
{
    lblbianhuan_->setVisible(shown);
}

bool ExclusionWindow::isBusy() const
{
    return runner_->isRunning();
}

void ExclusionWindow::setRandomSource(std::shared_ptr<quorlin::RandomSource> source)
{
    random_ = std::move(source);
}

int ExclusionWindow::cur() const
{
    return comcurqi_->currentIndex();
}

std::string ExclusionWindow::tempPath() const
{
    return document_.state().apppath + "temp.txt";
}

void ExclusionWindow::updateCommandStates()
{
    // While a run or a load goes on, 停止 is the only command.
    const bool idle = !isBusy();
    for (QPushButton* b : commands_)
        b->setEnabled(idle);
    for (QPushButton* b : findChildren<QPushButton*>())
        if (b->objectName().startsWith(QStringLiteral("btntongji")))
            b->setEnabled(idle);
}

void ExclusionWindow::showRunning()
{
    btngen_->setText(QStringLiteral("停止"));
    pb_->setValue(0);
    pb_->show();
    setCursor(Qt::BusyCursor);
}

void ExclusionWindow::btngenClick()
{
    if (isBusy()) {
        runner_->cancel(); // 停止: the work looks at the request every few thousand rows
        return;
    }
    IntegerFields fields;
    quorlin::ExclusionRunSettings run;
    run.countMode = optjushu_->isChecked();
    const int target = fields.read(edtjushu_->text(), QStringLiteral("过滤到的注数"));
    const int iterations = fields.read(edtcishu_->text(), QStringLiteral("过滤次数"));
    if (!fields.ok()) {
        refuse(this, fields.error());
        return;
    }
    run.iterations = iterations;
    if (const auto why = quorlin::checkExclusionRun(run, target)) {
        refuse(this, QString::fromStdString(*why));
        return;
    }
    run.target = static_cast<std::size_t>(target);
    QString message;
    std::shared_ptr<quorlin::ExclusionMember> member = this->member(message);
    if (!member) {
        refuse(this, message);
        return;
    }
    showRunning();
    startJob([member, run, after = afterRun(), rng = random_](quorlin::ExclusionSet& set, quorlin::Progress& progress) {
        const quorlin::ExclusionRunResult result = set.run(*member, run, after, *rng, &progress);
        return Change{result.end != quorlin::RunEnd::Completed, {}};
    });
}

void ExclusionWindow::startJob(SetChange change)
{
    // What the worker hands back: how the change ended and, when it was done, the list to show.
    struct Outcome {
        Change change;
        std::shared_ptr<const quorlin::BetList> bets;
    };
    runner_->run(
        this,
        [set = set_, change = std::move(change), temp = tempPath()](quorlin::Progress& progress) {
            Outcome outcome{change(*set, progress), nullptr};
            if (outcome.change.stopped || !outcome.change.refusal.empty())
                return outcome;
            auto bets = std::make_shared<quorlin::BetList>(set->bets());
            std::string error;
            if (!bets->writeNumbered(temp, nullptr, error))
                throw std::runtime_error(error);
            outcome.bets = std::move(bets);
            return outcome;
        },
        [this](const Outcome& outcome) {
            if (outcome.change.stopped)
                return;
            if (!outcome.change.refusal.empty()) {
                refuse(this, QString::fromStdString(outcome.change.refusal));
                return;
            }
            showList(outcome.bets);
            page_->setCurrentWidget(resultTab_);
        });
    updateCommandStates();
}

void ExclusionWindow::showList(std::shared_ptr<const quorlin::BetList> bets)
{
    lblcode_->setText(QStringLiteral("过滤结果：%1注").arg(bets->size()));
    model_->setBets(std::move(bets));
}

void ExclusionWindow::btnsaveClick()
{
    if (isBusy())
        return;
    const quorlin::LotteryState& state = document_.state();
    const qint64 next = history_.issues.empty() ? 1 : history_.issues.back() + 1;
    const QString proposed = QString::fromStdString(
        quorlin::lotteryFileName(state.cainame, std::to_string(next) + texts_.suffix.toStdString()));
    const QString name = BetListFiles::askSaveName(this, proposed);
    if (name.isEmpty())
        return;
    auto bets = model_->bets() ? model_->bets() : std::make_shared<const quorlin::BetList>();
    std::string error;
    setCursor(Qt::WaitCursor);
    const bool saved = bets->writeSaved(name.toStdString(), nullptr, error);
    unsetCursor();
    if (!saved)
        throw std::runtime_error(error);
    MessageBox::information(this, QStringLiteral("提示"), QStringLiteral("成功保存！"));
}

void ExclusionWindow::btnloadClick()
{
    if (isBusy())
        return;
    const QString name = BetListFiles::askOpenName(this);
    if (name.isEmpty())
        return;
    const quorlin::LotteryState& state = document_.state();
    setCursor(Qt::WaitCursor);
    btngen_->setEnabled(false);
    const quorlin::TicketShape shape{state.caisum, state.caisel, state.housum, state.housel};
    startJob([path = name.toStdString(), shape](quorlin::ExclusionSet& set, quorlin::Progress& progress) {
        const quorlin::LoadedExclusionList list =
            quorlin::readExclusionList(path, shape, quorlin::kMaxBetListEntries, &progress);
        if (progress.cancelled())
            return Change{true, {}};
        if (!list.ok)
            return Change{false, list.error};
        set.load(list.fronts);
        return Change{};
    });
    connect(
        runner_, &TaskRunner::finished, btngen_, [this] { btngen_->setEnabled(true); }, Qt::SingleShotConnection);
}

void ExclusionWindow::btnclearClick()
{
    if (isBusy())
        return;
    model_->setBets(nullptr);
    lblcode_->setText(QStringLiteral("过滤结果："));
    set_->clear();
}

std::vector<std::uint8_t> ExclusionWindow::transformedHistory()
{
    random_->reseed();
    const quorlin::RandTransform transform(history_, quorlin::drawPermutation(*random_, history_.total), set_->stage(),
                                           quorlin::RankOrder::CountAscending);
    return transform.relabelled(0, history_.draws()).draws;
}

QString ExclusionWindow::drawText(const std::uint8_t* numbers, int width)
{
    QString text;
    for (int j = 0; j < width; ++j)
        text += QStringLiteral("%1 ").arg(numbers[j], 2, 10, QLatin1Char('0'));
    return text;
}

void ExclusionWindow::showStatistics(const Statistics& statistics)
{
    if (!tabhistory_)
        return;
    if (&statistics != &shown_)
        shown_ = statistics;
    const Statistics& s = shown_;
    tabhistory_->table().reset(
        s.headers, static_cast<int>(s.rows.size()),
        [this](int row, int column) {
            const QStringList& r = shown_.rows[static_cast<std::size_t>(row)];
            return column < r.size() ? r[column] : QString();
        },
        s.headerTips);
    tabhistory_->setColumnWidth(0, 60);
    tabhistory_->setColumnWidth(1, 120);
    QList<BarChart::Bar> bars;
    for (std::size_t i = static_cast<std::size_t>(std::max(s.firstBar, 0)); i < s.values.size(); ++i)
        bars.append({s.rows[i].value(0), s.values[i].value_or(0)});
    chthistory_->setSeriesTitle(0, s.series);
    chthistory_->setBars(0, bars);
    chthistory_->setValueLabelsVisible(chkhistorybiao_->isChecked());
    chthistory_->draw();
    page_->setCurrentWidget(historyTab_);
}
