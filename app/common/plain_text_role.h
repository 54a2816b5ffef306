#pragma once

#include <Qt>

/// The item role of a cell's plain text where the view shows it shortened or grouped for the
/// reader ("12.35万元" for 123456) or as a mark ("●" for a drawn number): copies and exports write
/// this text, and a header's, when a model gives one.
inline constexpr int kPlainTextRole = Qt::UserRole + 100;
