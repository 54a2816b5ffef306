#pragma once

#include "store/lottery_state.h"
#include "store/u_datamod.h"

#include <QObject>

#include <memory>
#include <string>

namespace quorlin {
class RandomSource;
struct LotteryDefinition;
} // namespace quorlin

/// The open lottery of the program: owns the lottery state and the data module, is the one writer
/// of both, and announces every change so that the windows reading them can follow.
class LotteryDocument : public QObject {
    Q_OBJECT
public:
    /// `apppath` is the program directory with a trailing "/".
    explicit LotteryDocument(const std::string& apppath, QObject* parent = nullptr);
    ~LotteryDocument() override;

    const quorlin::LotteryState& state() const { return state_; }
    /// The data module; windows that walk the draw cursor move it, nothing else.
    quorlin::Tdatamod& datamod() { return datamod_; }

    /// The random source of the transformed mapping; tests hand in a scripted one.
    void setRandomSource(std::unique_ptr<quorlin::RandomSource> source);

    /// Opens a lottery: loads its draws and builds the standard display. Throws quorlin::DatabaseError
    /// (also for a digit-type lottery); no lottery is open after a failure.
    void open(const quorlin::LotteryDefinition& definition);
    /// Closes the lottery connection; the state keeps its tables until the next open.
    void close();
    /// 标准走势: the display shows the real numbers.
    void setStandard();
    /// 变幻走势: the display shows the numbers under a fresh random mapping.
    void setTransformed();
    /// Rebuilds the standard display tables without touching the mapping flag, as the trend grid
    /// does whenever it is created.
    void rebuildStandard();

signals:
    void opened();
    void closed();
    /// 标准走势 or 变幻走势 switched the display.
    void mappingChanged();
    /// Any of the above, or a rebuild of the display tables.
    void changed();

private:
    void switchMapping(bool transformed);

    quorlin::LotteryState state_;
    quorlin::Tdatamod datamod_;
    std::unique_ptr<quorlin::RandomSource> random_;
};
