// Tfrmtotalfilt: 总体号码缩水过滤 (总体过滤), the indicator filter over all front combinations.
#include "filter/u_totalfilt.h"

#include "common/bet_cost_line.h"
#include "common/bet_list_export_menu.h"
#include "common/bet_list_files.h"
#include "common/bet_list_model.h"
#include "common/bet_list_printer.h"
#include "common/error_handler.h"
#include "common/form_widgets.h"
#include "common/integer_fields.h"
#include "common/message_box.h"
#include "common/number_button_grid.h"
#include "common/print_job.h"
#include "common/random_source.h"
#include "common/task_runner.h"
#include "common/uniform_list_view.h"
#include "filter/bet_list.h"
#include "filter/extra_conditions_page.h"
#include "filter/filter_scheme.h"
#include "filter/filter_scheme_bar.h"
#include "filter/total_filter_conditions.h"
#include "filter/total_filter_job.h"
#include "filter/total_filter_steps.h"
#include "shell/lottery_document.h"
#include "store/filter_space.h"
#include "store/schema.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
#include <stdexcept>

namespace {

constexpr int kLeftWidth = 415;
// The pages of the left column: the first holds the conditions and number choices where the
// window has always had them, 4 px in from the tab frame.
constexpr int kTabsLeft = 2;
constexpr int kTabsWidth = kLeftWidth + 12;
constexpr int kPageHeight = 536;
constexpr int kRightLeft = 431;
constexpr int kRightWidth = 321;
constexpr int kRightBottom = 564;
// The column of schemes and steps beside the bet list.
constexpr int kSideLeft = 760;
constexpr int kSideWidth = 228;
constexpr int kClientWidth = kSideLeft + kSideWidth + 8;
const QColor kFrontColour(255, 50, 50);
const QColor kBackColour(50, 50, 255);
// The progress bar counts in thousandths, whatever the number of rows or lines.
constexpr int kProgressSteps = 1000;

QString resultCaption(std::size_t bets)
{
    return QStringLiteral("过滤结果：%1注").arg(bets);
}

// After a run: the bets and what produced them.
QString runCaption(std::size_t bets, const quorlin::TotalFilterSettings& settings)
{
    return resultCaption(bets) +
           QStringLiteral("（%1个条件，容错%2）").arg(settings.activeCount()).arg(settings.tolerance);
}

} // namespace

Tfrmtotalfilt::Tfrmtotalfilt(LotteryDocument& document, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      document_(document), random_(std::make_unique<quorlin::ClockRandomSource>()), runner_(new TaskRunner(this))
{
    setObjectName("frmtotalfilt");
    setWindowTitle(QStringLiteral("总体过滤"));

    const quorlin::LotteryState& state = document_.state();
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("tabconditions");
    auto* first = new QWidget;
    first->setObjectName("tabbasic");
    conditions_ = new TotalFilterConditions(state.caisum, state.caisel, first);
    conditions_->setGeometry(4, 0, kLeftWidth, 198);
    buildNumberChoice(first);
    tabs_->addTab(first, QStringLiteral("基本条件"));
    extras_ = new ExtraConditionsPage;
    tabs_->addTab(extras_, QStringLiteral("更多条件"));
    const int tabsHeight = kPageHeight + tabs_->tabBar()->sizeHint().height() + 4;
    tabs_->setGeometry(kTabsLeft, 4, kTabsWidth, tabsHeight);
    const int bottom = std::max(4 + tabsHeight, kRightBottom);
    buildResultArea();
    pb_->move(8, bottom + 6);
    btnstop_->move(345, bottom + 4);
    buildSideColumn();
    setFixedSize(kClientWidth, bottom + 36);

    connect(runner_, &TaskRunner::progress, this, [this](qint64 done, qint64 total) {
        pb_->setValue(total > 0 ? static_cast<int>(std::min(done, total) * kProgressSteps / total) : 0);
    });
    connect(runner_, &TaskRunner::finished, this, [this] {
        unsetCursor();
        updateCommandStates();
    });
    // The red-ball choice is offered only while the real numbers are shown.
    connect(&document_, &LotteryDocument::mappingChanged, this, &Tfrmtotalfilt::followMapping);
    followMapping();
    // The window opens on the scheme used last.
    schemes_->chooseLast();
}

Tfrmtotalfilt::~Tfrmtotalfilt() = default;

void Tfrmtotalfilt::buildNumberChoice(QWidget* page)
{
    const quorlin::LotteryState& state = document_.state();
    const QString width = QString::number(state.caisel);

    chkhongqiu_ = new QCheckBox(QStringLiteral("选择红球："), page);
    chkhongqiu_->setObjectName("chkhongqiu");
    chkhongqiu_->setGeometry(4, 204, 90, 22);
    FormWidgets::label(page, QStringLiteral("中"), {96, 204, 16, 22});
    edtzhong1_ = FormWidgets::lineEdit(page, "edtzhong1", {112, 204, 36, 22});
    FormWidgets::label(page, QStringLiteral("到"), {152, 204, 16, 22});
    edtzhong2_ = FormWidgets::lineEdit(page, "edtzhong2", {170, 204, 36, 22});
    edtsuiji1_ = FormWidgets::lineEdit(page, "edtsuiji1", {246, 204, 36, 22});
    btnsuiji1_ = FormWidgets::button(page, "btnsuiji1", QStringLiteral("随机选择红球"), {286, 202, 133, 26});
    front_ = new NumberButtonGrid(50, state.caisum, kFrontColour, QStringLiteral("btnhong"), page);
    front_->setObjectName("GroupBox2");
    front_->setGeometry(4, 230, kLeftWidth, 165);

    chklanqiu_ = new QCheckBox(QStringLiteral("选择蓝球："), page);
    chklanqiu_->setObjectName("chklanqiu");
    chklanqiu_->setGeometry(4, 401, 90, 22);
    chklanqiu_->setChecked(true);
    chklanqiu_->setEnabled(false);
    edtsuiji2_ = FormWidgets::lineEdit(page, "edtsuiji2", {246, 401, 36, 22});
    btnsuiji2_ = FormWidgets::button(page, "btnsuiji2", QStringLiteral("随机选择蓝球"), {286, 399, 133, 26});
    back_ = new NumberButtonGrid(30, state.housum, kBackColour, QStringLiteral("btnlan"), page);
    back_->setObjectName("GroupBox3");
    back_->setGeometry(4, 427, kLeftWidth, 105);

    edtzhong1_->setText(width);
    edtzhong2_->setText(width);
    edtsuiji1_->setText(width);
    edtsuiji2_->setText(QString::number(state.housel));

    connect(chkhongqiu_, &QCheckBox::toggled, this, &Tfrmtotalfilt::updateCommandStates);
    connect(front_, &NumberButtonGrid::numberClicked, this, [this](int n) {
        numberClicked(front_, chkhongqiu_, edtsuiji1_, QStringLiteral("请先在《选择红球》框上打勾！"), n);
    });
    connect(back_, &NumberButtonGrid::numberClicked, this, [this](int n) {
        numberClicked(back_, chklanqiu_, edtsuiji2_, QStringLiteral("请先在《选择蓝球》框上打勾！"), n);
    });
    connect(btnsuiji1_, &QPushButton::clicked, this,
            [this] { randomSelect(front_, edtsuiji1_, QStringLiteral("随机选择红球的个数")); });
    connect(btnsuiji2_, &QPushButton::clicked, this,
            [this] { randomSelect(back_, edtsuiji2_, QStringLiteral("随机选择蓝球的个数")); });
}

void Tfrmtotalfilt::buildResultArea()
{
    model_ = new BetListModel(this);
    memcode_ = new UniformListView(this);
    memcode_->setObjectName("memcode");
    memcode_->setModel(model_);
    BetListExportMenu::install(memcode_, [this](BetListExportMenu::Work work, std::function<void(bool)> done) {
        if (!isBusy())
            startTask(std::move(work), [this, done = std::move(done)](bool written) {
                unsaved_ = unsaved_ && !written;
                done(written);
            });
    });
    memcode_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    memcode_->setGeometry(kRightLeft, 8, kRightWidth, 446);
    lblcode_ = new QLabel(QStringLiteral("过滤结果："), this);
    lblcode_->setObjectName("lblcode");
    lblcode_->setGeometry(kRightLeft, 456, kRightWidth - 110, 18);
    auto* cost = new BetCostLine(this);
    cost->setGeometry(kRightLeft, 476, kRightWidth - 110, 18);
    cost->follow(model_);

    pb_ = new QProgressBar(this);
    pb_->setObjectName("pb");
    pb_->setGeometry(8, 545, 330, 22);
    pb_->setRange(0, kProgressSteps);
    pb_->setTextVisible(false);
    btnstop_ = FormWidgets::button(this, "btnstop", QStringLiteral("停止"), {345, 543, 78, 26});
    connect(btnstop_, &QPushButton::clicked, this, &Tfrmtotalfilt::btnstopClick);

    const int columns[3] = {kRightLeft, kRightLeft + 110, kRightLeft + 220};
    QPushButton* btnfilt = FormWidgets::button(this, "btnfilt", QStringLiteral("过滤"), {columns[0], 502, 101, 28});
    btnfilt->setDefault(true);
    commands_ = {btnfilt,
                 FormWidgets::button(this, "btnclear", QStringLiteral("清空"), {columns[1], 502, 101, 28}),
                 FormWidgets::button(this, "btnsave", QStringLiteral("保存"), {columns[2], 502, 101, 28}),
                 FormWidgets::button(this, "btnload", QStringLiteral("载入"), {columns[0], 536, 101, 28}),
                 FormWidgets::button(this, "btnprint", QStringLiteral("打印"), {columns[1], 536, 101, 28}),
                 FormWidgets::button(this, "btnclose", QStringLiteral("关闭"), {columns[2], 536, 101, 28})};
    connect(commands_[0], &QPushButton::clicked, this, &Tfrmtotalfilt::btnfiltClick);
    connect(commands_[1], &QPushButton::clicked, this, &Tfrmtotalfilt::btnclearClick);
    connect(commands_[2], &QPushButton::clicked, this, &Tfrmtotalfilt::btnsaveClick);
    connect(commands_[3], &QPushButton::clicked, this, &Tfrmtotalfilt::btnloadClick);
    connect(commands_[4], &QPushButton::clicked, this, &Tfrmtotalfilt::btnprintClick);
    connect(commands_[5], &QPushButton::clicked, this, &QWidget::hide);
    commands_.append(FormWidgets::button(this, "btnhuice", QStringLiteral("回测"), {columns[2], 472, 50, 26}));
    connect(commands_[6], &QPushButton::clicked, this, &Tfrmtotalfilt::backtestRequested);
    commands_.append(FormWidgets::button(this, "btnhuifang", QStringLiteral("回放"), {columns[2] + 51, 472, 50, 26}));
    connect(commands_[7], &QPushButton::clicked, this, &Tfrmtotalfilt::replayRequested);
}

void Tfrmtotalfilt::buildSideColumn()
{
    const quorlin::LotteryState& state = document_.state();
    schemes_ = new FilterSchemeBar(
        QString::fromStdString(state.apppath) + QString::fromUtf8(quorlin::kSchemeFolder),
        [this](QString& message) { return settings(message); },
        [this] { return quorlin::filterspace(document_.state()); }, this);
    schemes_->setGeometry(kSideLeft, 8, kSideWidth, 76);
    connect(schemes_, &FilterSchemeBar::schemeChosen, this, &Tfrmtotalfilt::schemeChosen);

    FormWidgets::label(this, QStringLiteral("过滤步骤（点击一步重新勾选其条件）："), {kSideLeft, 92, kSideWidth, 18});
    steps_ = new TotalFilterSteps(this);
    steps_->setGeometry(kSideLeft, 112, kSideWidth, kRightBottom - 112);
    connect(steps_, &TotalFilterSteps::stepChosen, this, &Tfrmtotalfilt::setSettings);
}

std::optional<quorlin::TotalFilterSettings> Tfrmtotalfilt::settings(QString& message) const
{
    const std::optional<quorlin::TotalFilterSettings> last = steps_->last();
    if (!last || conditions_->anyChecked() || extras_->anyChecked())
        return controlSettings(message);
    // The steps were checked when they ran; the game may have changed since.
    if (const auto refusal = quorlin::validateTotalFilter(*last, quorlin::filterspace(document_.state()))) {
        message = QString::fromStdString(*refusal);
        return std::nullopt;
    }
    return last;
}

std::optional<quorlin::TotalFilterSettings> Tfrmtotalfilt::controlSettings(QString& message) const
{
    if (!conditions_->anyChecked() && !extras_->anyChecked() && !chkhongqiu_->isChecked()) {
        message = QStringLiteral("请选择过滤条件！");
        return std::nullopt;
    }
    message = conditions_->emptyFieldMessage();
    if (message.isEmpty() && extras_->emptyField())
        message = QStringLiteral("请选择组合框中的数值！");
    if (!message.isEmpty())
        return std::nullopt;

    // Every number is read before anything runs, so a bad field never leaves a run half done.
    quorlin::TotalFilterSettings s;
    IntegerFields fields;
    conditions_->read(s, fields);
    extras_->read(s, fields);
    s.frontOn = chkhongqiu_->isChecked();
    s.front = front_->selectedNumbers();
    if (s.frontOn)
        s.frontHits = {fields.read(edtzhong1_->text(), QStringLiteral("红球最少中奖个数")),
                       fields.read(edtzhong2_->text(), QStringLiteral("红球最多中奖个数"))};
    s.back = back_->selectedNumbers();
    if (!fields.ok()) {
        message = fields.error();
        return std::nullopt;
    }
    if (conditions_->uncheckedOrderWrong()) {
        message = QStringLiteral("请前面组合框中的数值应该小于等于后面组合框中的数值！");
        return std::nullopt;
    }
    if (const auto refusal = quorlin::validateTotalFilter(s, quorlin::filterspace(document_.state()))) {
        message = QString::fromStdString(*refusal);
        return std::nullopt;
    }
    return s;
}

void Tfrmtotalfilt::setSettings(const quorlin::TotalFilterSettings& settings)
{
    conditions_->show(settings);
    extras_->show(settings);
    chkhongqiu_->setChecked(settings.frontOn);
    edtzhong1_->setText(QString::number(settings.frontHits.lo));
    edtzhong2_->setText(QString::number(settings.frontHits.hi));
    front_->clearSelection();
    for (int n : settings.front)
        front_->setSelected(n, true);
    back_->clearSelection();
    for (int n : settings.back)
        back_->setSelected(n, true);
}

bool Tfrmtotalfilt::isBusy() const
{
    return runner_->isRunning();
}

void Tfrmtotalfilt::setRandomSource(std::unique_ptr<quorlin::RandomSource> source)
{
    random_ = std::move(source);
}

QString Tfrmtotalfilt::unsavedResult() const
{
    return unsaved_ ? QStringLiteral("总体过滤的过滤结果") : QString();
}

std::string Tfrmtotalfilt::tempPath() const
{
    return document_.state().apppath + "temp.txt";
}

QString Tfrmtotalfilt::proposedName(const QString& extension) const
{
    const quorlin::LotteryState& state = document_.state();
    const int latest = state.hisfull.empty() ? 0 : state.hisfull.at(state.hisfull.rows() - 1, 0);
    return QString::fromStdString(quorlin::lotteryFileName(
        state.cainame, std::to_string(latest + 1) + "期总体过滤投注号码" + extension.toStdString()));
}

template <class Work, class Done> void Tfrmtotalfilt::startTask(Work work, Done done)
{
    runner_->run(this, std::move(work), std::move(done));
    pb_->setValue(0);
    setCursor(Qt::BusyCursor);
    updateCommandStates();
}

void Tfrmtotalfilt::btnfiltClick()
{
    if (isBusy())
        return;
    QString message;
    const std::optional<quorlin::TotalFilterSettings> settings = controlSettings(message);
    if (!settings) {
        refuse(this, message);
        return;
    }
    quorlin::TotalFilterRun run{*settings, quorlin::filterspace(document_.state()), rebuildall_, tempPath()};
    startTask(
        [lease = document_.lease(), run = std::move(run)](quorlin::Progress& progress) {
            // The tables the run reads stay as they are until it ends; the new working table is
            // handed to the document afterwards, on this thread.
            return quorlin::runTotalFilterJob(lease->allcode, run, &progress);
        },
        [this, ran = *settings](quorlin::TotalFilterOutcome outcome) { filtered(ran, std::move(outcome)); });
}

void Tfrmtotalfilt::filtered(const quorlin::TotalFilterSettings& settings, quorlin::TotalFilterOutcome outcome)
{
    if (!outcome.completed)
        return;
    document_.setAllcode(std::move(*outcome.table));
    if (outcome.survivors == 0) {
        refuse(this, QString::fromUtf8(quorlin::kNothingKeptMessage));
        model_->setBets(nullptr);
        lblcode_->setText(QStringLiteral("过滤结果："));
        unsaved_ = false;
        return;
    }
    steps_->append(settings, outcome.bets->size());
    unsaved_ = true;
    showList(outcome.bets, runCaption(outcome.bets->size(), settings));
    conditions_->uncheck(true);
    extras_->uncheck();
    rebuildall_ = false;
}

void Tfrmtotalfilt::showList(std::shared_ptr<const quorlin::BetList> bets, const QString& caption)
{
    lblcode_->setText(caption);
    model_->setBets(std::move(bets));
}

void Tfrmtotalfilt::btnclearClick()
{
    if (isBusy() || !mayDiscard(this, {unsavedResult()}))
        return;
    unsaved_ = false;
    const QString width = QString::number(document_.state().caisel);
    conditions_->uncheck(true);
    extras_->uncheck();
    chkhongqiu_->setChecked(false);
    conditions_->clearRanges();
    extras_->clear();
    conditions_->resetBankers();
    steps_->clearSteps();
    front_->clearSelection();
    back_->clearSelection();
    model_->setBets(nullptr);
    lblcode_->setText(QStringLiteral("过滤结果："));
    edtsuiji1_->setText(width);
    edtzhong1_->setText(width);
    edtzhong2_->setText(width);
    edtsuiji2_->setText(QString::number(document_.state().housel));
    rebuildall_ = true;
    // Back to the real numbers; the trend grid follows the document.
    runGuarded(this, [this] { document_.setStandard(); });
    followMapping();
}

void Tfrmtotalfilt::btnsaveClick()
{
    if (isBusy())
        return;
    const QString name = BetListFiles::askSaveName(this, proposedName(QStringLiteral(".txt")));
    if (name.isEmpty())
        return;
    startTask(
        [bets = model_->bets(), path = name.toStdString()](quorlin::Progress& progress) {
            std::string error;
            if (bets->writeSaved(path, &progress, error))
                return true;
            if (progress.cancelled())
                return false;
            throw std::runtime_error(error);
        },
        [this](bool saved) {
            if (!saved)
                return;
            unsaved_ = false;
            MessageBox::information(this, QStringLiteral("提示"), QStringLiteral("成功保存！"));
        });
}

void Tfrmtotalfilt::btnloadClick()
{
    if (isBusy())
        return;
    const QString name = BetListFiles::askOpenName(this);
    if (name.isEmpty())
        return;
    startTask(
        [lease = document_.lease(), path = name.toStdString(), space = quorlin::filterspace(document_.state()),
         temp = tempPath()](quorlin::Progress& progress) {
            (void)lease; // no new lottery or mapping under the load
            return quorlin::loadTotalFilterJob(path, space, temp, &progress);
        },
        [this](quorlin::TotalFilterOutcome outcome) { loaded(std::move(outcome)); });
}

void Tfrmtotalfilt::loaded(quorlin::TotalFilterOutcome outcome)
{
    if (!outcome.completed)
        return;
    if (!outcome.table) {
        refuse(this, QString::fromStdString(outcome.refusal));
        return;
    }
    document_.setAllcode(std::move(*outcome.table));
    unsaved_ = false;
    // The file's numbers become the choice; its back pairs are not kept, the next run pairs anew.
    chkhongqiu_->setChecked(true);
    front_->clearSelection();
    back_->clearSelection();
    for (int n : outcome.frontNumbers)
        front_->setSelected(n, true);
    for (int n : outcome.backNumbers)
        back_->setSelected(n, true);
    showList(outcome.bets, resultCaption(outcome.bets->size()));
    conditions_->uncheck(false);
    conditions_->clearRanges();
    extras_->uncheck();
    extras_->clear();
    steps_->clearSteps();
    edtsuiji1_->setText(QString::number(document_.state().caisel));
    edtsuiji2_->setText(QString::number(document_.state().housel));
    rebuildall_ = false;
}

void Tfrmtotalfilt::btnprintClick()
{
    if (isBusy())
        return;
    const std::shared_ptr<const quorlin::BetList> bets = model_->bets();
    if (bets->empty()) {
        refuse(this, QStringLiteral("没有可以打印的投注号码！"));
        return;
    }
    const BetListPrinter pages(*bets,
                               QString::fromStdString(document_.state().cainame) + QStringLiteral("总体过滤投注号码"));
    runPrintJob(this, pages.pageCount(), proposedName(QStringLiteral(".pdf")),
                PagePrinter([&pages](QPrinter& printer, int from, int to) { return pages.print(printer, from, to); }));
}

void Tfrmtotalfilt::btnstopClick()
{
    runner_->cancel();
}

void Tfrmtotalfilt::numberClicked(NumberButtonGrid* grid, QCheckBox* box, QLineEdit* count, const QString& refusal,
                                  int n)
{
    if (!box->isChecked()) {
        refuse(this, refusal);
        return;
    }
    grid->toggle(n);
    count->setText(QString::number(grid->selectedCount()));
}

void Tfrmtotalfilt::randomSelect(NumberButtonGrid* grid, QLineEdit* count, const QString& field)
{
    IntegerFields fields;
    const int wanted = fields.read(count->text(), field);
    if (!fields.ok()) {
        refuse(this, fields.error());
        return;
    }
    const int pool = grid->usable();
    if (wanted < 0 || wanted > pool) {
        refuse(this, QStringLiteral("%1应在 0 到 %2 之间！").arg(field).arg(pool));
        return;
    }
    grid->clearSelection();
    random_->reseed();
    std::vector<int> drawn;
    while (static_cast<int>(drawn.size()) < wanted) {
        const int r = random_->random(pool);
        if (std::find(drawn.begin(), drawn.end(), r) == drawn.end())
            drawn.push_back(r);
    }
    for (int r : drawn)
        grid->setSelected(r + 1, true);
}

void Tfrmtotalfilt::followMapping()
{
    frontChoice_ = !document_.state().bianhuan;
    if (!frontChoice_)
        chkhongqiu_->setChecked(false);
    extras_->setRealNumbers(frontChoice_);
    updateCommandStates();
}

void Tfrmtotalfilt::updateCommandStates()
{
    const bool idle = !runner_->isRunning();
    conditions_->setEnabled(idle);
    extras_->setEnabled(idle);
    schemes_->setEnabled(idle);
    steps_->setEnabled(idle);
    chkhongqiu_->setEnabled(idle && frontChoice_);
    btnsuiji1_->setEnabled(idle && chkhongqiu_->isChecked());
    front_->setEnabled(idle && frontChoice_);
    back_->setEnabled(idle);
    for (QWidget* w :
         {static_cast<QWidget*>(edtzhong1_), static_cast<QWidget*>(edtzhong2_), static_cast<QWidget*>(edtsuiji1_),
          static_cast<QWidget*>(edtsuiji2_), static_cast<QWidget*>(btnsuiji2_)})
        w->setEnabled(idle);
    for (QPushButton* command : commands_)
        command->setEnabled(idle);
    pb_->setVisible(!idle);
    btnstop_->setVisible(!idle);
}

void Tfrmtotalfilt::schemeChosen(const quorlin::TotalFilterSettings& settings)
{
    const bool realNumbers =
        settings.frontOn || std::any_of(settings.extra.begin(), settings.extra.end(), [](const auto& r) { return r; });
    if (realNumbers && !frontChoice_) {
        refuse(this, QStringLiteral("这个方案要选择红球或使用更多条件，变幻走势时不能使用，请先清空回到标准走势！"));
        return;
    }
    setSettings(settings);
}
