#pragma once

#include <functional>
#include <optional>
#include <string>

namespace quorlin {

/// Looks up an environment variable; tests hand in their own.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string&)>;

/// The user's shell folder of that name; only "Desktop" is known (the XDG desktop folder).
/// Empty when the name is unknown or the folder does not exist.
std::string getshellfolder(const std::string& name);
std::string getshellfolder(const std::string& name, const EnvironmentLookup& env);

} // namespace quorlin
