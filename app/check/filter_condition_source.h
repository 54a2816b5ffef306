#pragma once

#include "filter/total_filter.h"

#include <QString>

#include <functional>
#include <optional>

/// Where the check windows take the conditions they try on past draws from: the total filter
/// window as it stands, or nothing with the message to show.
using FilterConditionSource = std::function<std::optional<quorlin::TotalFilterSettings>(QString& message)>;
