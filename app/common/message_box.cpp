#include "common/message_box.h"

#include <QGridLayout>

namespace {

struct TestState {
    bool on = false;
    QMessageBox::StandardButton nextAnswer = QMessageBox::NoButton;
    QList<MessageBox::Record> recorded;
};

TestState& testState()
{
    static TestState state;
    return state;
}

QMessageBox::Icon iconOf(MessageBox::Kind kind)
{
    switch (kind) {
    case MessageBox::Kind::Information:
        return QMessageBox::Information;
    case MessageBox::Kind::Warning:
        return QMessageBox::Warning;
    case MessageBox::Kind::Critical:
        return QMessageBox::Critical;
    case MessageBox::Kind::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// What a user pressing Enter would get: the default button, else the first button of the box.
QMessageBox::StandardButton defaultAnswer(QMessageBox::StandardButtons buttons,
                                          QMessageBox::StandardButton defaultButton)
{
    if (defaultButton != QMessageBox::NoButton)
        return defaultButton;
    for (unsigned bit = QMessageBox::FirstButton; bit <= QMessageBox::LastButton; bit <<= 1) {
        if (buttons.testFlag(static_cast<QMessageBox::StandardButton>(bit)))
            return static_cast<QMessageBox::StandardButton>(bit);
    }
    return QMessageBox::NoButton;
}

// The window system draws the title in its own, often larger, font between the window icon and
// three buttons; a box as narrow as a short text cuts it ("数…").
constexpr double kTitleFontAllowance = 1.3;
constexpr int kTitleBarExtras = 160;

void widenForTitle(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const int title = box.fontMetrics().horizontalAdvance(box.windowTitle());
    const int width = static_cast<int>(title * kTitleFontAllowance) + kTitleBarExtras;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

} // namespace

QMessageBox::StandardButton MessageBox::information(QWidget* parent, const QString& title, const QString& text,
                                                    QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton defaultButton)
{
    return show(Kind::Information, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton MessageBox::warning(QWidget* parent, const QString& title, const QString& text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton)
{
    return show(Kind::Warning, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton MessageBox::critical(QWidget* parent, const QString& title, const QString& text,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton)
{
    return show(Kind::Critical, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton MessageBox::question(QWidget* parent, const QString& title, const QString& text,
                                                 QMessageBox::StandardButtons buttons,
                                                 QMessageBox::StandardButton defaultButton)
{
    return show(Kind::Question, parent, title, text, buttons, defaultButton);
}

void MessageBox::setTestMode(bool on)
{
    testState().on = on;
    testState().nextAnswer = QMessageBox::NoButton;
}

void MessageBox::setNextAnswer(QMessageBox::StandardButton answer)
{
    testState().nextAnswer = answer;
}

QList<MessageBox::Record> MessageBox::recorded()
{
    return testState().recorded;
}

void MessageBox::clearRecorded()
{
    testState().recorded.clear();
}

QMessageBox::StandardButton MessageBox::show(Kind kind, QWidget* parent, const QString& title, const QString& text,
                                             QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton)
{
    TestState& state = testState();
    if (state.on) {
        state.recorded.append({title, text, kind});
        const QMessageBox::StandardButton answer =
            state.nextAnswer != QMessageBox::NoButton ? state.nextAnswer : defaultAnswer(buttons, defaultButton);
        state.nextAnswer = QMessageBox::NoButton;
        return answer;
    }
    QMessageBox box(iconOf(kind), title, text, buttons, parent);
    // An address or a file name in a message can be copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    widenForTitle(box);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void refuse(QWidget* parent, const QString& text)
{
    MessageBox::critical(parent, QStringLiteral("错误"), text);
}
