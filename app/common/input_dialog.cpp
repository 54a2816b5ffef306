#include "common/input_dialog.h"

#include <QInputDialog>

#include <optional>

namespace {

struct TestState {
    bool on = false;
    std::optional<QString> next;
    QList<InputDialog::Record> recorded;
};

TestState& testState()
{
    static TestState state;
    return state;
}

} // namespace

QString InputDialog::getText(QWidget* parent, const QString& title, const QString& label, const QString& text)
{
    TestState& state = testState();
    if (state.on) {
        state.recorded.append({title, label, text});
        QString answer = state.next.value_or(QString());
        state.next.reset();
        return answer;
    }
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, title, label, QLineEdit::Normal, text, &ok);
    return ok ? answer : QString();
}

void InputDialog::setTestMode(bool on)
{
    testState().on = on;
    testState().next.reset();
}

void InputDialog::setNextText(const QString& text)
{
    testState().next = text;
}

QList<InputDialog::Record> InputDialog::recorded()
{
    return testState().recorded;
}

void InputDialog::clearRecorded()
{
    testState().recorded.clear();
}
