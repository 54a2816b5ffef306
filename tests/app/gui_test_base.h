#pragma once

#include "analysis/code_trend_model.h"
#include "test_support.h"
#include "untimed_waits.h"

#include <QByteArray>
#include <QFile>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

/// The whole bytes of a file; empty when it cannot be read.
inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class LotteryDocument;
class QDialog;
class Tfrmmain;

/// The world of a window test: a fresh program directory with the shipped lottery and a few draws,
/// message boxes and file dialogs answered by the test, and the main window over its own document.
class GuiTestBase : public QObject {
    Q_OBJECT
public:
    GuiTestBase();
    ~GuiTestBase() override;

protected:
    /// The draws of the fixture lottery: {issue, 5 front, 2 back}, oldest first. The middle one is
    /// 03 09 17 25 33 + 04 11.
    static const std::vector<std::vector<int>>& fixtureDraws();

    /// A fresh program directory whose shipped lottery holds `draws`, a document and a main window.
    void setUpProgram(const std::vector<std::vector<int>>& draws = fixtureDraws());
    void tearDownProgram();

    /// Triggers the main window's action of that objectName; fails when it is missing or disabled.
    void triggerAction(const QString& name);
    /// Runs `act` on the modal dialog as soon as it is shown by what the caller does next; a dialog
    /// that `act` leaves open is rejected, so a failing test cannot hang on it.
    static void whenModalShown(std::function<void(QDialog*)> act);
    /// Opens the shipped lottery the way the user does: 打开彩票, select it, press 打开彩票.
    void openShippedLottery();
    /// In the registry dialog: selects the shipped lottery and presses 打开彩票.
    static void openShippedIn(QDialog* dialog);
    /// The child widget (or action) `name` of `parent`; stops the test run when it is missing.
    template <typename T> static T* requireChild(const QObject* parent, const char* name)
    {
        auto* found = parent->findChild<T*>(name);
        if (!found)
            qFatal("no widget %s", name);
        return found;
    }
    /// The texts of the message boxes shown so far.
    static QStringList messageTexts();
    /// The model of the trend grid now shown, or null.
    CodeTrendModel* trendModel() const;

    /// The numbers marked in one row of a trend grid, read as the user reads them: by the headers of
    /// the marked columns, front block (between the two blank separator columns) and back block.
    struct RowMarks {
        QList<int> front;
        QList<int> back;
    };
    static RowMarks marksOf(const QAbstractItemModel& model, int row);

    std::unique_ptr<quorlin::test::ShippedProgram> program_;
    std::unique_ptr<LotteryDocument> document_;
    std::unique_ptr<Tfrmmain> mainWindow_;
};
