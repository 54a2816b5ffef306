// Tfrmjiaoqi: 大底交集, the intersection of several bet lists.
#include "betset/u_jiaoqi.h"

#include "common/bet_cost_line.h"
#include "common/bet_list_export_menu.h"
#include "common/bet_list_files.h"
#include "common/bet_list_model.h"
#include "common/file_dialog.h"
#include "common/form_widgets.h"
#include "common/integer_fields.h"
#include "common/message_box.h"
#include "common/shell_folder.h"
#include "common/task_runner.h"
#include "common/text_file.h"
#include "common/text_table_model.h"
#include "common/text_writer.h"
#include "common/uniform_list_view.h"
#include "filter/base_intersection.h"
#include "store/lottery_state.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

namespace {

using Choice = quorlin::BaseIntersection::BackChoice;

/// The back numbers typed, split at blanks, "+" and "," as a bet line is.
std::vector<int> typedBacks(const QString& text, IntegerFields& fields)
{
    std::vector<int> numbers;
    for (const QString& item : text.split(QRegularExpression("[ +,]"), Qt::SkipEmptyParts))
        numbers.push_back(fields.read(item, QStringLiteral("输入特码")));
    return numbers;
}

} // namespace

/// The memo's lines as they are saved: a result, or a file shown as it is.
struct Tfrmjiaoqi::Shown {
    std::shared_ptr<const quorlin::BaseIntersection::Result> result;
    std::vector<std::string> lines;
};

Tfrmjiaoqi::Tfrmjiaoqi(const quorlin::LotteryState& state, QWidget* parent)
    : InvestWindow(QStringLiteral("多重大底交集"), parent), apppath_(state.apppath),
      intersection_(std::make_shared<quorlin::BaseIntersection>(state)), runner_(new TaskRunner(this))
{
    setFixedSize(652, 563);
    FormWidgets::label(this, QStringLiteral("原始大底："), QRect(8, 8, 200, 18))->setObjectName("Label1");
    lstdadi_ = new QListWidget(this);
    lstdadi_->setObjectName("lstdadi");
    lstdadi_->setGeometry(8, 28, 200, 412);
    lstdadi_->setSelectionMode(QAbstractItemView::MultiSelection);
    connect(lstdadi_, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { lstdadiDoubleClick(lstdadi_->row(item)); });
    lbldadi_ = FormWidgets::label(this, QStringLiteral("最终交集："), QRect(216, 8, 200, 18));
    lbldadi_->setObjectName("lbldadi");
    lblcost_ = new BetCostLine(this);
    lblcost_->setGeometry(416, 8, 228, 18);
    lblcost_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    memdadi_ = new UniformListView(this);
    memdadi_->setObjectName("memdadi");
    memdadi_->setGeometry(216, 28, 428, 412);
    memdadi_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    BetListExportMenu::install(memdadi_, [this](BetListExportMenu::Work work, std::function<void(bool)> done) {
        if (isBusy())
            return;
        setCommandsEnabled(false);
        runner_->run(this, std::move(work), [this, done = std::move(done)](bool written) {
            unsaved_ = unsaved_ && !written;
            done(written);
        });
    });
    resultModel_ = new BetListModel(this);
    fileModel_ = new TextTableModel(this);
    memdadi_->setModel(resultModel_);

    auto* group = new QGroupBox(QStringLiteral("特码："), this);
    group->setObjectName("optteima");
    group->setGeometry(8, 446, 636, 44);
    const QStringList choices{QStringLiteral("导入特码"), QStringLiteral("不选特码"), QStringLiteral("全选特码"),
                              QStringLiteral("输入特码")};
    for (int i = 0; i < choices.size(); ++i) {
        auto* option = new QRadioButton(choices[i], group);
        option->setObjectName(QStringLiteral("optteima%1").arg(i));
        option->setGeometry(12 + 158 * i, 18, 90, 20);
        connect(option, &QRadioButton::clicked, this, [this, i] {
            edtteima_->setEnabled(i == 3);
            if (i == 3)
                edtteima_->setFocus();
        });
        optteima_ << option;
    }
    optteima_[0]->setChecked(true);

    FormWidgets::label(this, QStringLiteral("输入特码："), QRect(8, 500, 72, 24))->setObjectName("Label2");
    edtteima_ = FormWidgets::lineEdit(this, "edtteima", QRect(80, 498, 170, 26));
    edtteima_->setEnabled(false);
    FormWidgets::label(this, QStringLiteral("交集容错："), QRect(266, 500, 72, 24))->setObjectName("Label3");
    edtnum1_ = FormWidgets::lineEdit(this, "edtnum1", QRect(338, 498, 44, 26), "0");
    FormWidgets::label(this, QStringLiteral("到"), QRect(388, 500, 18, 24))->setObjectName("Label4");
    edtnum2_ = FormWidgets::lineEdit(this, "edtnum2", QRect(408, 498, 44, 26), "0");
    progress_ = new QProgressBar(this);
    progress_->setObjectName("prgjiaoqi");
    progress_->setGeometry(466, 500, 178, 22);
    progress_->setValue(0);
    connect(runner_, &TaskRunner::progress, this, [this](qint64 done, qint64 total) {
        progress_->setMaximum(100);
        progress_->setValue(total > 0 ? static_cast<int>(done * 100 / total) : 0);
    });
    connect(runner_, &TaskRunner::finished, this, [this] {
        progress_->setValue(runner_->wasCancelled() ? 0 : progress_->maximum());
        setCommandsEnabled(true);
    });

    const struct {
        const char* name;
        QString caption;
        void (Tfrmjiaoqi::*click)();
    } buttons[] = {
        {"btndaoru", QStringLiteral("导入大底"), &Tfrmjiaoqi::btndaoruClick},
        {"btnjiaoqi", QStringLiteral("大底交集"), &Tfrmjiaoqi::btnjiaoqiClick},
        {"btnsave", QStringLiteral("保存号码"), &Tfrmjiaoqi::btnsaveClick},
        {"btncls", QStringLiteral("清空所有"), &Tfrmjiaoqi::btnclsClick},
    };
    int x = 8;
    for (const auto& b : buttons) {
        auto* button = FormWidgets::button(this, b.name, b.caption, QRect(x, 530, 100, 28));
        connect(button, &QPushButton::clicked, this, b.click);
        commands_ << button;
        x += 107;
    }
    auto* btnstop = FormWidgets::button(this, "btnstop", QStringLiteral("停止"), QRect(x, 530, 100, 28));
    connect(btnstop, &QPushButton::clicked, runner_, &TaskRunner::cancel);
    auto* btnclose = FormWidgets::button(this, "btnclose", QStringLiteral("关闭"), QRect(x + 107, 530, 100, 28));
    connect(btnclose, &QPushButton::clicked, this, &QWidget::hide);
}

Tfrmjiaoqi::~Tfrmjiaoqi() = default;

bool Tfrmjiaoqi::isBusy() const
{
    return runner_->isRunning();
}

QString Tfrmjiaoqi::unsavedResult() const
{
    return unsaved_ ? QStringLiteral("大底交集的结果") : QString();
}

void Tfrmjiaoqi::setCommandsEnabled(bool enabled)
{
    for (QPushButton* button : commands_)
        button->setEnabled(enabled);
}

void Tfrmjiaoqi::showLines(int count)
{
    lbldadi_->setText(QStringLiteral("最终交集：") + QString::number(count) + QStringLiteral("注"));
    lblcost_->showBets(static_cast<std::uint64_t>(count));
}

void Tfrmjiaoqi::clearLines()
{
    lbldadi_->setText(QStringLiteral("最终交集："));
    lblcost_->showBets(0);
}

void Tfrmjiaoqi::showResultList()
{
    memdadi_->setModel(resultModel_);
    // The lines of a file shown before (perhaps millions) are not kept behind the result.
    fileModel_->reset({}, 0, {});
}

void Tfrmjiaoqi::btndaoruClick()
{
    const QStringList chosen = FileDialog::getOpenFileNames(
        this, QStringLiteral("选择大底文件(按CTRL或者SHILT键选择多个大底文件)"),
        QString::fromStdString(quorlin::getshellfolder("Desktop")), FileDialog::textFiles());
    if (chosen.isEmpty())
        return;
    lstdadi_->clear();
    files_ = chosen;
    for (const QString& file : files_)
        lstdadi_->addItem(QFileInfo(file).fileName());
    lstdadi_->selectAll();
    clearLines();
}

void Tfrmjiaoqi::lstdadiDoubleClick(int row)
{
    // The base takes the intersection's place in the memo.
    if (isBusy() || !mayDiscard(this, {unsavedResult()}))
        return;
    setCommandsEnabled(false);
    // A base may hold millions of lines: read on the worker, each line's text formed when in sight.
    runner_->run(
        this,
        [path = files_.value(row).toStdString()](quorlin::Progress& progress) {
            auto shown = std::make_shared<Shown>();
            std::string error;
            auto lines = quorlin::readTextLines(path, error, &progress);
            if (lines)
                shown->lines = std::move(*lines);
            return std::make_pair(lines ? std::shared_ptr<const Shown>(shown) : nullptr, error);
        },
        [this](const std::pair<std::shared_ptr<const Shown>, std::string>& read) {
            const auto& [shown, error] = read;
            if (!shown) {
                if (!runner_->wasCancelled())
                    refuse(this, QString::fromStdString(error));
                return;
            }
            fileModel_->reset({QString()}, static_cast<int>(shown->lines.size()), [shown](int line, int) {
                return QString::fromStdString(shown->lines[static_cast<std::size_t>(line)]);
            });
            memdadi_->setModel(fileModel_);
            shown_ = shown;
            unsaved_ = false;
            showLines(static_cast<int>(shown->lines.size()));
        });
}

void Tfrmjiaoqi::btnjiaoqiClick()
{
    if (files_.isEmpty()) {
        MessageBox::information(this, QStringLiteral("提示"), QStringLiteral("请先导入大底文件！"));
        return;
    }
    quorlin::BaseIntersection::Options options;
    IntegerFields fields;
    options.lowTolerance = fields.read(edtnum1_->text(), QStringLiteral("交集容错"));
    options.highTolerance = fields.read(edtnum2_->text(), QStringLiteral("交集容错"));
    options.back = static_cast<Choice>(std::max<qsizetype>(
        0, std::find_if(optteima_.begin(), optteima_.end(), [](QRadioButton* o) { return o->isChecked(); }) -
               optteima_.begin()));
    if (options.back == Choice::Typed)
        options.typedBacks = typedBacks(edtteima_->text(), fields);
    if (!fields.ok()) {
        refuse(this, fields.error());
        return;
    }
    std::vector<std::string> files;
    for (const QString& file : files_)
        files.push_back(file.toStdString());
    const std::string temp = apppath_ + "temp.txt";
    setCommandsEnabled(false);
    using Result = quorlin::BaseIntersection::Result;
    runner_->run(
        this,
        [intersection = intersection_, files, options, temp](quorlin::Progress& progress) {
            auto result = std::make_shared<Result>(intersection->run(files, options, &progress));
            // temp.txt is replaced only by a complete result.
            if (result->ok && !quorlin::BaseIntersection::write(*result, temp, &progress, result->error))
                result->ok = false;
            return std::shared_ptr<const Result>(result);
        },
        [this](std::shared_ptr<const Result> result) {
            if (!result->ok) {
                if (!runner_->wasCancelled())
                    refuse(this, QString::fromStdString(result->error));
                return;
            }
            auto shown = std::make_shared<Shown>();
            shown->result = result;
            shown_ = shown;
            resultModel_->setBets(std::shared_ptr<const quorlin::BetList>(result, &result->bets));
            unsaved_ = true;
            showResultList();
            showLines(static_cast<int>(result->bets.size()));
            lblcost_->showList(result->bets);
        });
}

void Tfrmjiaoqi::btnsaveClick()
{
    const QString path = BetListFiles::askSaveName(this, {});
    if (path.isEmpty())
        return;
    setCommandsEnabled(false);
    runner_->run(
        this,
        [shown = shown_, path = path.toStdString()](quorlin::Progress& progress) {
            // The saved lines keep their numbers, each with a blank after it.
            quorlin::TextWriter writer(path);
            if (shown && shown->result) {
                const auto& result = *shown->result;
                for (std::size_t i = 0; i < result.bets.size() && !progress.cancelled(); ++i) {
                    if (i % 65536 == 0)
                        progress.report(static_cast<std::int64_t>(i), static_cast<std::int64_t>(result.bets.size()));
                    writer.writeLine(result.line(i) + ' ');
                }
            } else if (shown) {
                for (const std::string& line : shown->lines)
                    writer.writeLine(line + ' ');
            }
            if (progress.cancelled())
                return std::string("已停止");
            return writer.commit() ? std::string() : writer.error();
        },
        [this](const std::string& error) {
            if (!error.empty()) {
                if (!runner_->wasCancelled())
                    refuse(this, QString::fromStdString(error));
                return;
            }
            unsaved_ = false;
            MessageBox::information(this, QStringLiteral("提示"), QStringLiteral("成功保存！"));
        });
}

void Tfrmjiaoqi::btnclsClick()
{
    if (!mayDiscard(this, {unsavedResult()}))
        return;
    unsaved_ = false;
    lstdadi_->clear();
    files_.clear();
    shown_.reset();
    resultModel_->setBets(nullptr);
    showResultList();
    clearLines();
    edtnum1_->setText("0");
    edtnum2_->setText("0");
    optteima_[0]->setChecked(true);
    edtteima_->clear();
    edtteima_->setEnabled(false);
}
