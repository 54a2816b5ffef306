#include "shell/lottery_document.h"

#include "common/random_source.h"
#include "store/display_tables.h"
#include "store/lottery_open.h"
#include "store/schema.h"

#include <QMetaObject>

#include <mutex>
#include <stdexcept>

// The number of leases held, and the document to tell when it drops to zero (null once the
// document is gone; the mutex keeps it alive while a lease on another thread posts to it).
struct LotteryDocument::LeaseCount {
    std::mutex mutex;
    int count = 0;
    LotteryDocument* document = nullptr;
};

StateBusyError::StateBusyError()
    : std::runtime_error("后台计算正在读取彩票数据，请等它结束或先停止它，再执行这个命令。")
{
}

LotteryDocument::LotteryDocument(const std::string& apppath, QObject* parent)
    : QObject(parent), random_(std::make_unique<quorlin::ClockRandomSource>()), leases_(std::make_shared<LeaseCount>())
{
    state_.apppath = apppath;
    leases_->document = this;
}

LotteryDocument::~LotteryDocument()
{
    const std::lock_guard lock(leases_->mutex);
    leases_->document = nullptr;
}

bool LotteryDocument::busy() const
{
    const std::lock_guard lock(leases_->mutex);
    return leases_->count > 0;
}

LotteryDocument::StateLease LotteryDocument::lease()
{
    bool first = false;
    {
        const std::lock_guard lock(leases_->mutex);
        first = leases_->count++ == 0;
    }
    if (first)
        emit busyChanged(true);
    // The lease points at the state but owns nothing; dropping it only counts down.
    return StateLease(&state_, [leases = leases_](const quorlin::LotteryState*) {
        const std::lock_guard lock(leases->mutex);
        if (--leases->count == 0 && leases->document)
            QMetaObject::invokeMethod(leases->document, &LotteryDocument::leaseDropped, Qt::QueuedConnection);
    });
}

void LotteryDocument::leaseDropped()
{
    if (!busy())
        emit busyChanged(false);
}

void LotteryDocument::ensureIdle() const
{
    if (busy())
        throw StateBusyError();
}

void LotteryDocument::setRandomSource(std::unique_ptr<quorlin::RandomSource> source)
{
    random_ = std::move(source);
}

void LotteryDocument::open(const quorlin::LotteryDefinition& definition)
{
    ensureIdle();
    try {
        quorlin::openlottery(state_, datamod_, definition);
    } catch (...) {
        // A load that failed part-way may have left half-built tables: whoever shows them must close.
        if (!state_.caiopen) {
            emit closed();
            emit changed();
        }
        throw;
    }
    emit opened();
    emit changed();
}

void LotteryDocument::close()
{
    ensureIdle();
    quorlin::closelottery(state_, datamod_);
    emit closed();
    emit changed();
}

void LotteryDocument::setStandard()
{
    switchMapping(false);
}

void LotteryDocument::setTransformed()
{
    switchMapping(true);
}

void LotteryDocument::switchMapping(bool transformed)
{
    if (!state_.caiopen)
        return;
    ensureIdle();
    state_.bianhuan = transformed;
    if (transformed)
        quorlin::buildtransformed(state_, *random_);
    else
        quorlin::buildstandard(state_, datamod_);
    emit mappingChanged();
    emit changed();
}

void LotteryDocument::showTransformed(quorlin::LotteryState built)
{
    if (!state_.caiopen)
        return;
    ensureIdle();
    if (built.histext.rows() != state_.hisfull.rows() || built.caisum != state_.caisum)
        throw std::invalid_argument("showTransformed: the mapping was built from other draws");
    state_.bianhuan = true;
    state_.hisbian = std::move(built.hisbian);
    state_.bianperm = std::move(built.bianperm);
    state_.bianrank = std::move(built.bianrank);
    state_.histext = std::move(built.histext);
    emit mappingChanged();
    emit changed();
}

void LotteryDocument::rebuildStandard()
{
    if (!state_.caiopen)
        return;
    ensureIdle();
    quorlin::buildstandard(state_, datamod_);
    emit changed();
}

void LotteryDocument::setAllcode(quorlin::CombinationTable table)
{
    state_.allcode = std::move(table);
    emit allcodeChanged();
}
