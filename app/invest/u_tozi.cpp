// Tfrmtozi: 投资模式分析, the investment-mode replay and search.
#include "invest/u_tozi.h"

#include "common/error_handler.h"
#include "common/file_dialog.h"
#include "common/message_box.h"
#include "common/money_text.h"
#include "common/print_job.h"
#include "common/random_source.h"
#include "common/table_export_menu.h"
#include "common/task_runner.h"
#include "common/text_table_model.h"
#include "invest/mode_printout.h"
#include "invest/mode_search.h"
#include "invest/mode_settings_box.h"
#include "invest/money.h"
#include "invest/plan_store.h"
#include "shell/lottery_document.h"
#include "store/schema.h"

#include <QAction>
#include <QButtonGroup>
#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace quorlin;

namespace {

const char* const kResultHeaders[] = {"投注时间", "投注倍数",   "当期投注",     "当期总投入",
                                      "当期中奖", "当期净利润", "当期利润率(%)"};

QString caption(PlayType type)
{
    return QString::fromUtf8(playTypeCaption(type));
}

} // namespace

Tfrmtozi::Tfrmtozi(LotteryDocument& document, QWidget* parent)
    : InvestWindow(QStringLiteral("投资模式分析"), parent), document_(document),
      random_(std::make_unique<ClockRandomSource>()), runner_(new TaskRunner(this))
{
    setObjectName("frmtozi");
    grptozi_ = new ModeSettingsBox(this);
    auto* optzhuzhi = new QGroupBox(QStringLiteral("投注类型"), this);
    optzhuzhi->setObjectName("optzhuzhi");
    optzhuzhi_ = optzhuzhi;
    playTypes_ = new QButtonGroup(this);
    auto* types = new QGridLayout(optzhuzhi);
    const char* const names[kPlayTypeCount] = {"optzhixuan", "optquanzuxuan", "optzuxuan3", "optzuxuan6"};
    for (int t = 0; t < kPlayTypeCount; ++t) {
        auto* option = new QRadioButton(caption(static_cast<PlayType>(t)), optzhuzhi);
        option->setObjectName(names[t]);
        playTypes_->addButton(option, t);
        types->addWidget(option, t / 2, t % 2);
    }
    playTypes_->button(0)->setChecked(true);
    // Results of one play type say nothing about another.
    connect(playTypes_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            showResult({});
    });

    auto* tables = new QGridLayout;
    grdcode_ = addTable("grdcode", QStringLiteral("投注号码："), codeModel_, tables, 0, 0, 1, 1);
    grdsep_ = addTable("grdsep", QStringLiteral("历史中奖："), sepModel_, tables, 0, 1, 1, 1);
    grdsepmode_ = addTable("grdsepmode", QStringLiteral("间隔统计："), sepmodeModel_, tables, 0, 2, 1, 1);
    grdtozi_ = addTable("grdtozi", QStringLiteral("投资和赢亏："), toziModel_, tables, 2, 0, 1, 3);
    tables->setRowStretch(1, 3);
    tables->setRowStretch(3, 2);
    tables->setColumnStretch(0, 4);
    tables->setColumnStretch(1, 3);
    tables->setColumnStretch(2, 3);

    auto* commands = new QHBoxLayout;
    progress_ = new QProgressBar(this);
    progress_->setObjectName("pgbsearch");
    progress_->hide();
    commands->addWidget(progress_, 1);
    commands->addStretch();
    btnfilt_ = addButton("btnfilt", QStringLiteral("随机生成"));
    btnclear_ = addButton("btnclear", QStringLiteral("清空"));
    btnala_ = addButton("btnala", QStringLiteral("分析"));
    btnyouhua_ = addButton("btnyouhua", QStringLiteral("搜索"));
    tlbtnsave_ = addButton("tlbtnsave", QStringLiteral("保存"));
    tlbtnload_ = addButton("tlbtnload", QStringLiteral("载入"));
    tlbtnprint_ = addButton("tlbtnprint", QStringLiteral("打印"));
    btnclose_ = addButton("btnclose", QStringLiteral("关闭"));
    for (QPushButton* button :
         {btnfilt_, btnclear_, btnala_, btnyouhua_, tlbtnsave_, tlbtnload_, tlbtnprint_, btnclose_})
        commands->addWidget(button);

    auto* left = new QVBoxLayout;
    left->addWidget(grptozi_);
    left->addWidget(optzhuzhi);
    left->addStretch();
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(tables, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(commands);

    const std::vector<std::pair<const char*, QString>> saveItems{{"mnusavecode", QStringLiteral("保存号码(&C)")},
                                                                 {"mnusaveset", QStringLiteral("保存设置(&S)")},
                                                                 {"mnusaveall", QStringLiteral("保存号码和设置(&B)")}};
    const std::vector<std::pair<const char*, QString>> loadItems{{"mnuloadcode", QStringLiteral("载入号码(&C)")},
                                                                 {"mnuloadset", QStringLiteral("载入设置(&S)")},
                                                                 {"mnuloadall", QStringLiteral("载入号码和设置(&B)")}};
    const ModeFileKind kinds[] = {ModeFileKind::Codes, ModeFileKind::Settings, ModeFileKind::CodesAndSettings};
    QMenu* saveMenu = addMenu(tlbtnsave_, saveItems);
    QMenu* loadMenu = addMenu(tlbtnload_, loadItems);
    for (int i = 0; i < 3; ++i) {
        const ModeFileKind kind = kinds[i];
        connect(saveMenu->actions()[i], &QAction::triggered, this, [this, kind] { saveFile(kind); });
        connect(loadMenu->actions()[i], &QAction::triggered, this, [this, kind] { loadFile(kind); });
    }
    QMenu* printMenu = addMenu(tlbtnprint_, {{"mnuprintcode", QStringLiteral("打印号码(&C)")},
                                             {"mnuprintset", QStringLiteral("打印设置(&S)")}});
    connect(printMenu->actions()[0], &QAction::triggered, this, &Tfrmtozi::printCodes);
    connect(printMenu->actions()[1], &QAction::triggered, this, &Tfrmtozi::printSettings);

    connect(btnfilt_, &QPushButton::clicked, this, &Tfrmtozi::btnfiltClick);
    connect(btnclear_, &QPushButton::clicked, this, &Tfrmtozi::btnclearClick);
    connect(btnala_, &QPushButton::clicked, this, &Tfrmtozi::btnalaClick);
    connect(btnyouhua_, &QPushButton::clicked, this, &Tfrmtozi::btnyouhuaClick);
    connect(btnclose_, &QPushButton::clicked, this, &QWidget::hide);
    connect(runner_, &TaskRunner::progress, this, [this](qint64 done, qint64 total) {
        progress_->setMaximum(static_cast<int>(total));
        progress_->setValue(static_cast<int>(done));
    });
    connect(runner_, &TaskRunner::finished, this, [this] { setSearching(false); });

    takeCodes(CodeList(0, static_cast<std::size_t>(document_.state().caisel)), PlayType::Zhixuan);
    showResult({});
    resize(1120, 680);
}

Tfrmtozi::~Tfrmtozi() = default;

void Tfrmtozi::setRandomSource(std::unique_ptr<RandomSource> source)
{
    random_ = std::move(source);
}

QTableView* Tfrmtozi::addTable(const char* name, const QString& label, TextTableModel*& model, QGridLayout* grid,
                               int row, int column, int rowSpan, int columnSpan)
{
    model = new TextTableModel(this);
    auto* table = new QTableView(this);
    table->setObjectName(name);
    table->setModel(model);
    TableExportMenu::install(table, QString(label).remove(QStringLiteral("：")));
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->horizontalHeader()->setHighlightSections(false);
    grid->addWidget(new QLabel(label, this), row, column, 1, columnSpan);
    grid->addWidget(table, row + 1, column, rowSpan, columnSpan);
    return table;
}

QPushButton* Tfrmtozi::addButton(const char* name, const QString& text)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

QMenu* Tfrmtozi::addMenu(QPushButton* button, const std::vector<std::pair<const char*, QString>>& items)
{
    auto* menu = new QMenu(button);
    for (const auto& [name, text] : items)
        menu->addAction(text)->setObjectName(name);
    // The menu opens where the button was pressed.
    connect(button, &QPushButton::pressed, menu, [menu, button] {
        menu->popup(QCursor::pos());
        button->setDown(false);
    });
    return menu;
}

ModeForm Tfrmtozi::form() const
{
    return grptozi_->form(playType());
}

void Tfrmtozi::setForm(const ModeForm& form)
{
    setPlayType(form.playType);
    grptozi_->setForm(form);
}

PlayType Tfrmtozi::playType() const
{
    return static_cast<PlayType>(playTypes_->checkedId());
}

void Tfrmtozi::setPlayType(PlayType type)
{
    playTypes_->button(static_cast<int>(type))->setChecked(true);
}

bool Tfrmtozi::lotteryOpen()
{
    if (document_.state().caiopen)
        return true;
    refuse(this, QStringLiteral("请先打开彩票！"));
    return false;
}

void Tfrmtozi::btnfiltClick()
{
    if (!lotteryOpen())
        return;
    runGuarded(this, [this] {
        const std::int32_t count = toInt32(form().jushu);
        const PlayType type = playType();
        if (count < 1 || count > playTypeMaxCodes(type)) {
            refuse(this, QString::fromUtf8(playTypeRangeMessage(type)));
            return;
        }
        takeCodes(drawCodes(type, count, document_.state().caisel, *random_), type);
    });
}

void Tfrmtozi::takeCodes(CodeList codes, PlayType type)
{
    const LotteryState& state = document_.state();
    codes_ = std::move(codes);
    marks_ = codes_.rows() > 0 ? markHits(codes_, type, state.hisfull) : std::vector<std::int32_t>{};
    issues_.clear();
    for (std::size_t i = 0; i < marks_.size(); ++i)
        issues_.push_back(state.hisfull.at(i, 0));
    replay_ = std::make_shared<const ModeReplay>(marks_);
    // Without a hit the statistics table stays as it was.
    if (auto rows = intervalStatistics(marks_))
        intervals_ = std::move(*rows);

    QStringList codeHeaders{QStringLiteral("序号")};
    for (std::size_t p = 1; p <= codes_.cols(); ++p)
        codeHeaders.append(QStringLiteral("号码%1").arg(p));
    codeModel_->reset(codeHeaders, static_cast<int>(codes_.rows()), [this](int row, int column) {
        return column == 0
                   ? QString::number(row + 1)
                   : QString::number(codes_.at(static_cast<std::size_t>(row), static_cast<std::size_t>(column - 1)));
    });
    sepModel_->reset({QStringLiteral("记录期号"), QStringLiteral("中奖间隔")}, static_cast<int>(marks_.size()),
                     [this](int row, int column) {
                         const auto r = static_cast<std::size_t>(row);
                         if (column == 0)
                             return QString::number(issues_[r]);
                         return marks_[r] == kHitMark ? QStringLiteral("●") : QString::number(marks_[r]);
                     });
    sepmodeModel_->reset({QStringLiteral("间隔"), QStringLiteral("连续"), QStringLiteral("次数")},
                         static_cast<int>(intervals_.size()), [this](int row, int column) {
                             const IntervalRow& r = intervals_[static_cast<std::size_t>(row)];
                             return QString::number(column == 0 ? r.gap : column == 1 ? r.run : r.count);
                         });
    setColumnWidths();
}

void Tfrmtozi::btnclearClick()
{
    grptozi_->clear();
}

void Tfrmtozi::btnalaClick()
{
    analyse(false);
}

void Tfrmtozi::analyse(bool quiet)
{
    if (marks_.empty()) {
        if (!quiet)
            MessageBox::warning(this, QStringLiteral("警告"), QStringLiteral("请生成号码！"));
        return;
    }
    runGuarded(this, [&] {
        const ModeRule rule = modeRuleOf(form());
        if (rule.jushu < 1) {
            refuse(this, QString::fromUtf8(playTypeRangeMessage(playType())));
            return;
        }
        ModeResult result = replay_->analyse(rule);
        grptozi_->setSurplus(result.surplus);
        const ModeStop stop = result.stop;
        const bool completed = !result.blocks.empty();
        showResult(std::move(result));
        if (quiet)
            return;
        if (stop == ModeStop::FirstDayTooDear && completed)
            MessageBox::information(this, QStringLiteral("提示"),
                                    QStringLiteral("第一天投入已经超出中奖金额，无法投注！"));
        if (stop == ModeStop::MultipleTooLarge)
            MessageBox::information(this, QStringLiteral("提示"), QStringLiteral("所需倍数太大，无法投注！"));
    });
}

void Tfrmtozi::showResult(ModeResult result)
{
    result_ = std::move(result);
    QStringList headers;
    for (const char* header : kResultHeaders)
        headers.append(QString::fromUtf8(header));
    // The money in short, as a narrow column shows it; copies and exports write the plain numbers.
    auto value = [this](int row, int column) {
        return result_.blocks[static_cast<std::size_t>(row)].row[static_cast<std::size_t>(column)];
    };
    toziModel_->reset(headers, static_cast<int>(result_.blocks.size()), [value, headers](int row, int column) {
        return isMoneyHeader(headers.value(column).toStdString())
                   ? QString::fromStdString(yuanShortText(value(row, column)))
                   : QString::number(value(row, column));
    });
    toziModel_->setPlainCell([value](int row, int column) { return QString::number(value(row, column)); });
}

void Tfrmtozi::btnyouhuaClick()
{
    if (runner_->isRunning()) {
        // The worker ends the setting in hand; the best so far is then shown.
        runner_->cancel();
        return;
    }
    if (marks_.empty()) {
        MessageBox::warning(this, QStringLiteral("警告"), QStringLiteral("请生成号码！"));
        return;
    }
    runGuarded(this, [this] {
        const ModeRule rule = modeRuleOf(form());
        if (rule.jushu < 1) {
            refuse(this, QString::fromUtf8(playTypeRangeMessage(playType())));
            return;
        }
        setSearching(true);
        progress_->setRange(0, static_cast<int>(modeSearchSize(rule)));
        progress_->setValue(0);
        runner_->run(
            this, [replay = replay_, rule](Progress& progress) { return searchModes(*replay, rule, progress, 2); },
            [this](ModeSearchResult found) {
                grptozi_->selectSearchPoint(found.best);
                analyse(true);
            });
    });
}

void Tfrmtozi::setSearching(bool searching)
{
    btnyouhua_->setText(searching ? QStringLiteral("停止搜索") : QStringLiteral("搜索"));
    for (QWidget* control : std::initializer_list<QWidget*>{btnala_, btnfilt_, btnclear_, btnclose_, tlbtnsave_,
                                                            tlbtnload_, tlbtnprint_, grptozi_, optzhuzhi_})
        control->setEnabled(!searching);
    progress_->setVisible(searching);
}

QString Tfrmtozi::proposedFile(ModeFileKind kind) const
{
    const LotteryState& state = document_.state();
    return QString::fromStdString(
        state.apppath + "附属/" +
        quorlin::lotteryFileName(state.cainame, caption(playType()).toStdString() + modeFileSuffix(kind)));
}

void Tfrmtozi::saveFile(ModeFileKind kind)
{
    if (kind != ModeFileKind::Settings && codes_.rows() == 0) {
        MessageBox::warning(this, QStringLiteral("警告"), QStringLiteral("请生成号码！"));
        return;
    }
    const QString path =
        FileDialog::getSaveFileName(this, QStringLiteral("保存"), proposedFile(kind), FileDialog::textFiles());
    if (path.isEmpty())
        return;
    std::string error;
    if (!writeModeFile(path.toStdString(), kind, form(), codes_, error))
        return refuse(this, QString::fromStdString(error));
    MessageBox::information(this, QStringLiteral("提示"), QStringLiteral("成功保存！"));
}

void Tfrmtozi::loadFile(ModeFileKind kind)
{
    // Codes are marked against the open lottery's draws.
    if (kind != ModeFileKind::Settings && !lotteryOpen())
        return;
    const QString path =
        FileDialog::getOpenFileName(this, QStringLiteral("载入"), proposedFile(kind), FileDialog::textFiles());
    if (path.isEmpty())
        return;
    ModeFileContent content;
    std::string error;
    if (!readModeFile(path.toStdString(), kind, document_.state().caisel, content, error))
        return refuse(this, QString::fromStdString(error));
    if (kind == ModeFileKind::Codes) {
        setPlayType(content.form.playType);
        ModeForm now = form();
        now.jushu = std::to_string(content.codes.rows());
        grptozi_->setForm(now);
    } else {
        setForm(content.form);
    }
    if (kind != ModeFileKind::Settings)
        takeCodes(std::move(content.codes), content.form.playType);
    if (kind == ModeFileKind::CodesAndSettings)
        analyse(false);
}

QString Tfrmtozi::printTitle(const QString& what) const
{
    const LotteryState& state = document_.state();
    const QString issue =
        state.hisfull.rows() > 0 ? QString::number(state.hisfull.at(state.hisfull.rows() - 1, 0)) : QString();
    return QString::fromStdString(state.cainame) + QStringLiteral("  ") + issue + QStringLiteral("期") +
           caption(playType()) + what;
}

void Tfrmtozi::printCodes()
{
    if (codes_.rows() == 0) {
        refuse(this, QStringLiteral("请先生成表格！"));
        return;
    }
    const QString title = printTitle(QStringLiteral("投注号码"));
    runPrintJob(this, codePageCount(codes_.rows()), proposedFile(ModeFileKind::Codes).replace(".txt", ".pdf"),
                [&](QPaintDevice& device) { return codePages(title, printDate(), codes_, device); });
}

void Tfrmtozi::printSettings()
{
    const QString title = printTitle(QStringLiteral("投资模式设置"));
    const auto entries = grptozi_->printEntries();
    runPrintJob(this, 1, proposedFile(ModeFileKind::Settings).replace(".txt", ".pdf"), [&](QPaintDevice& device) {
        return std::vector<PrintedPage>{settingsPage(title, printDate(), entries, device)};
    });
}

void Tfrmtozi::setColumnWidths()
{
    auto share = [](QTableView* table, int width) {
        const int columns = table->model()->columnCount();
        for (int c = 0; c < columns; ++c)
            table->setColumnWidth(c, std::max(20, width / std::max(1, columns)));
    };
    share(grdcode_, grdcode_->width() - 30);
    const int sep = grdsep_->width() - 30;
    grdsep_->setColumnWidth(0, sep * 2 / 3 + 5);
    grdsep_->setColumnWidth(1, sep / 3 - 5);
    share(grdsepmode_, grdsepmode_->viewport()->width() - 20);
    share(grdtozi_, grdtozi_->viewport()->width() - 20);
}
