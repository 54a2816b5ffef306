#include "shell/lottery_document.h"

#include "common/random_source.h"
#include "store/display_tables.h"
#include "store/lottery_open.h"
#include "store/schema.h"

LotteryDocument::LotteryDocument(const std::string& apppath, QObject* parent)
    : QObject(parent), random_(std::make_unique<quorlin::ClockRandomSource>())
{
    state_.apppath = apppath;
}

LotteryDocument::~LotteryDocument() = default;

void LotteryDocument::setRandomSource(std::unique_ptr<quorlin::RandomSource> source)
{
    random_ = std::move(source);
}

void LotteryDocument::open(const quorlin::LotteryDefinition& definition)
{
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
    state_.bianhuan = transformed;
    if (transformed)
        quorlin::buildtransformed(state_, *random_);
    else
        quorlin::buildstandard(state_, datamod_);
    emit mappingChanged();
    emit changed();
}

void LotteryDocument::rebuildStandard()
{
    if (!state_.caiopen)
        return;
    quorlin::buildstandard(state_, datamod_);
    emit changed();
}
