#pragma once

#include <exception>
#include <functional>

class QWidget;

/// Shows the errors that stop a command (database, file and conversion errors) in an error box,
/// so that the program goes on after them.
class ErrorHandler {
public:
    /// Shows the message of a caught exception in the refusal box.
    static void report(QWidget* parent, const std::exception_ptr& error);
};

/// Runs a command and shows any error it throws at the point of the command; false when it failed.
bool runGuarded(QWidget* parent, const std::function<void()>& command);
