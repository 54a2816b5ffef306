#pragma once

#include "store/lottery_state.h"
#include "store/u_datamod.h"

#include <QObject>

#include <memory>
#include <stdexcept>
#include <string>

namespace quorlin {
class RandomSource;
struct LotteryDefinition;
} // namespace quorlin

/// A command that would rebuild the lottery state while a background task still reads it.
class StateBusyError : public std::runtime_error {
public:
    StateBusyError();
};

/// The open lottery of the program: owns the lottery state and the data module, is the one writer
/// of both, and announces every change so that the windows reading them can follow.
///
/// Background work reads the state through a lease (see lease()); while any lease is held the
/// commands that rebuild the state (open, close, the two mappings, a standard rebuild) are refused
/// with StateBusyError, so a task never sees a half-rebuilt table.
class LotteryDocument : public QObject {
    Q_OBJECT
public:
    /// Read access to the lottery state for a background task; the state stays as it is until the
    /// last copy is dropped (which may happen on any thread).
    using StateLease = std::shared_ptr<const quorlin::LotteryState>;

    /// `apppath` is the program directory with a trailing "/".
    explicit LotteryDocument(const std::string& apppath, QObject* parent = nullptr);
    ~LotteryDocument() override;

    const quorlin::LotteryState& state() const { return state_; }
    /// The data module; windows that walk the draw cursor move it, nothing else.
    quorlin::Tdatamod& datamod() { return datamod_; }

    /// Replaces the total filter's working table (state().allcode), the one part of the state a
    /// window produces itself, and announces it. Not refused under a lease: only the total filter's
    /// own task reads the table, and the window hands its result here once that task has ended.
    void setAllcode(quorlin::CombinationTable table);

    /// Takes a lease on the state for a task that reads it off the user-interface thread.
    StateLease lease();
    /// A background task holds a lease now.
    bool busy() const;

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
    /// 变幻走势 under a mapping built off the interface thread from this lottery's draws (a search's
    /// history, see quorlin::CompoundSearch): its transformed and display tables are taken over.
    void showTransformed(quorlin::LotteryState built);
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
    /// setAllcode() replaced the total filter's working table.
    void allcodeChanged();
    /// The first lease was taken or the last one dropped; always delivered on the document's thread.
    void busyChanged(bool busy);

private:
    void switchMapping(bool transformed);
    void ensureIdle() const;
    void leaseDropped();

    quorlin::LotteryState state_;
    quorlin::Tdatamod datamod_;
    std::unique_ptr<quorlin::RandomSource> random_;
    struct LeaseCount;
    // Shared with the leases, so that a lease dropped after the document is gone touches live memory.
    std::shared_ptr<LeaseCount> leases_;
};
