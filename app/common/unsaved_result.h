#pragma once

#include <QString>
#include <QStringList>

class QWidget;

/// A window that holds a result of a long run the user has not saved or exported yet. Whatever
/// would throw it away (clearing it, closing the lottery or the program) asks first.
class UnsavedResult {
public:
    virtual ~UnsavedResult() = default;
    /// What would be lost, as the question names it ("总体过滤的过滤结果"); empty when nothing is.
    virtual QString unsavedResult() const = 0;

    /// Asks whether `results` may be thrown away (是/否, 否 the default); true at once when none is
    /// named (empty texts name none).
    static bool mayDiscard(QWidget* parent, QStringList results);
};
