#pragma once

namespace quorlin {

struct LotteryDefinition;
struct LotteryState;
struct Tdatamod;

/// At most this many draws, the newest, are loaded when a lottery is opened.
inline constexpr int kMaxDraws = 20000;

/// Opens the lottery connection and the draw cursor over the newest kMaxDraws draws of
/// `state.cainame`, leaving older draws in the table untouched, sets recnum, clears bianhuan and
/// forgets the transformed mapping of the previous history (hisbian, bianperm, bianrank). Reads
/// the lottery's published results into prizeResults; a writable database that lacks their tables
/// gets them first (addPrizeTables), a read-only one opens as it is, with no results. Throws
/// DatabaseError.
void loadlottery(LotteryState& state, Tdatamod& datamod);

/// Opens a lottery as the registry dialog does: sets the name, type and the fixed 35/5/12/2 game,
/// loads its newest draws and builds the standard display tables. A digit-type lottery, or
/// one of a type the program does not know, is refused before anything changes. When the load
/// fails part-way no lottery is left open: the connection is closed, caiopen is false, and the
/// DatabaseError is passed on.
void openlottery(LotteryState& state, Tdatamod& datamod, const LotteryDefinition& definition);

/// Closes the open lottery: the connection and cursor close and caiopen is cleared.
void closelottery(LotteryState& state, Tdatamod& datamod);

} // namespace quorlin
