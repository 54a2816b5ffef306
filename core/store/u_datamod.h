#pragma once

#include "store/database.h"
#include "store/draw_cursor.h"

namespace quorlin {

/// The data module: the open lottery's connection and its shared draw cursor.
struct Tdatamod {
    Database t_con;       ///< the lottery connection
    DrawCursor t_caipiao; ///< the draws of the open lottery in issue order

    /// Closes the cursor and the connection.
    void close();
};

} // namespace quorlin
