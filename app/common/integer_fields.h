#pragma once

#include <QString>

/// Reads whole numbers from the fields of a window before a command uses any of them, remembering
/// the first field that holds none, so the command can refuse with a message naming that field and
/// change nothing.
class IntegerFields {
public:
    /// The number in `text` (blanks around it allowed); 0 and a remembered error when there is none.
    int read(const QString& text, const QString& field);
    /// Remembers `text` of `field` as not a whole number, when read by a rule of its own.
    void refuse(const QString& text, const QString& field);

    bool ok() const { return error_.isEmpty(); }
    /// The message for the first field that held no whole number.
    const QString& error() const { return error_; }

private:
    QString error_;
};
