// Tfrmfushi: 最优复式搜索选号 (自动复式搜索), the compound search.
#include "betset/u_fushi.h"

#include "analysis/compound_search.h"
#include "common/bet_cost_line.h"
#include "common/error_handler.h"
#include "common/form_widgets.h"
#include "common/integer_fields.h"
#include "common/message_box.h"
#include "common/random_source.h"
#include "common/task_runner.h"
#include "shell/lottery_document.h"
#include "store/combinations.h"
#include "store/lottery_state.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <chrono>
#include <mutex>
#include <optional>

namespace {

const QString kStart = QStringLiteral("开始搜索");
const QString kStop = QStringLiteral("停止");
// How often the worker hands its latest mapping over for the main window: the views follow a
// mapping at most this often anyway.
constexpr std::chrono::milliseconds kShowEvery{200};

} // namespace

/// The mapping the worker built last, waiting to be shown.
struct Tfrmfushi::Latest {
    std::mutex mutex;
    std::optional<quorlin::LotteryState> history;
};

Tfrmfushi::Tfrmfushi(LotteryDocument& document, QWidget* parent) : QDialog(parent), document_(document)
{
    setWindowTitle(QStringLiteral("自动复式搜索"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(457, 201);
    FormWidgets::label(this, QStringLiteral("复式号码："), QRect(16, 20, 80, 22));
    edtfushicode_ = FormWidgets::lineEdit(this, "edtfushicode", QRect(96, 18, 345, 26));
    lblcost_ = new BetCostLine(this);
    lblcost_->setGeometry(96, 46, 345, 16);
    lblcost_->setToolTip(QStringLiteral("复式号码含的前区组合数；每个组合配上后区号码才成一注"));
    // The cost is that of the search's result; numbers typed in over it are not counted.
    connect(edtfushicode_, &QLineEdit::textEdited, lblcost_, [this] { lblcost_->showBets(0); });
    chkyilou_ = new QCheckBox(QStringLiteral("遗漏期数>="), this);
    chkyilou_->setObjectName("chkyilou");
    chkyilou_->setGeometry(16, 64, 100, 22);
    chkyilou_->setChecked(true);
    edtyilouqishu_ = FormWidgets::lineEdit(this, "edtyilouqishu", QRect(120, 62, 80, 26), "50");
    FormWidgets::label(this, QStringLiteral("号码个数："), QRect(240, 64, 80, 22));
    edtnum_ =
        FormWidgets::lineEdit(this, "edtnum", QRect(320, 62, 80, 26), QString::number(document_.state().caisum - 5));
    btnsou_ = FormWidgets::button(this, "btnsou", kStart, QRect(96, 130, 110, 32));
    auto* btncopy = FormWidgets::button(this, "btncopy", QStringLiteral("复制"), QRect(250, 130, 110, 32));
    blocked_ = {edtfushicode_, chkyilou_, edtyilouqishu_, edtnum_, btncopy};
    connect(btnsou_, &QPushButton::clicked, this, &Tfrmfushi::btnsouClick);
    connect(btncopy, &QPushButton::clicked, this, &Tfrmfushi::btncopyClick);
}

Tfrmfushi::~Tfrmfushi() = default;

bool Tfrmfushi::searching() const
{
    return searching_;
}

void Tfrmfushi::btnsouClick()
{
    if (searching()) {
        // Stopped by the user: no result, the standard mapping back.
        finish();
        return;
    }
    IntegerFields fields;
    const int threshold = fields.read(edtyilouqishu_->text(), QStringLiteral("遗漏期数"));
    const int limit = fields.read(edtnum_->text(), QStringLiteral("号码个数"));
    if (!fields.ok()) {
        refuse(this, fields.error());
        return;
    }
    // The main window turns to 变幻走势 at once; a document busy with other work refuses here.
    if (!runGuarded(this, [this] { document_.setTransformed(); }))
        return;
    struct Outcome {
        quorlin::CompoundSearch::End end;
        std::string result;
        int remaining = 0;
    };
    latest_ = std::make_shared<Latest>();
    runner_ = std::make_unique<TaskRunner>();
    connect(runner_.get(), &TaskRunner::progress, this, &Tfrmfushi::showLatestMapping);
    // A search that failed (its error reported) ends as it stands.
    connect(runner_.get(), &TaskRunner::finished, this, [this] {
        if (searching())
            setSearching(false);
    });
    runner_->run(
        this,
        [search = quorlin::CompoundSearch(document_.state().caisum, chkyilou_->isChecked(), threshold, limit),
         history = quorlin::CompoundSearch::searchHistory(document_.state()),
         latest = latest_](quorlin::Progress& progress) mutable {
            quorlin::ClockRandomSource rng;
            auto lastShown = std::chrono::steady_clock::now();
            const auto end = search.run(history, rng, kMaxSteps, &progress, [&](const quorlin::LotteryState& built) {
                const auto now = std::chrono::steady_clock::now();
                if (now - lastShown < kShowEvery)
                    return;
                lastShown = now;
                const std::lock_guard lock(latest->mutex);
                latest->history = built;
            });
            return Outcome{end, search.result(), search.remaining()};
        },
        [this](const Outcome& outcome) {
            if (!searching())
                return; // stopped meanwhile
            if (outcome.end == quorlin::CompoundSearch::End::Done) {
                finish();
                edtfushicode_->setText(QString::fromStdString(outcome.result));
                edtfushicode_->setCursorPosition(0);
                lblcost_->showFronts(
                    static_cast<std::uint64_t>(quorlin::choose(outcome.remaining, document_.state().caisel)));
            } else if (outcome.end == quorlin::CompoundSearch::End::StepLimit) {
                finish();
                MessageBox::information(
                    this, QStringLiteral("提示"),
                    QStringLiteral("已搜索%1次仍未剩下不多于%2个号码，搜索停止。请降低遗漏期数或增加号码个数。")
                        .arg(kMaxSteps)
                        .arg(edtnum_->text().trimmed()));
            }
        });
    setSearching(true);
}

void Tfrmfushi::hideEvent(QHideEvent* event)
{
    // A window hidden or closed could neither show the result nor be stopped; a spontaneous hide
    // (the desktop switched away) leaves it to come back.
    if (searching() && !event->spontaneous())
        finish();
    QDialog::hideEvent(event);
}

void Tfrmfushi::showLatestMapping()
{
    std::optional<quorlin::LotteryState> built;
    {
        const std::lock_guard lock(latest_->mutex);
        built.swap(latest_->history);
    }
    if (!searching() || !built)
        return;
    if (!runGuarded(this, [&] { document_.showTransformed(std::move(*built)); })) {
        runner_->cancel();
        setSearching(false);
    }
}

void Tfrmfushi::setSearching(bool on)
{
    searching_ = on;
    btnsou_->setText(on ? kStop : kStart);
    for (QWidget* w : blocked_)
        w->setEnabled(!on);
    if (on)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
}

void Tfrmfushi::finish()
{
    if (runner_)
        runner_->cancel();
    setSearching(false);
    runGuarded(this, [this] { document_.setStandard(); });
}

void Tfrmfushi::btncopyClick()
{
    QApplication::clipboard()->setText(edtfushicode_->text());
}
