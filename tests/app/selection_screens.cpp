// quorlin-selection-screens: pictures of the four selection windows after 历史统计 and 生成号码
// over the real draw history, for looking at by eye.
// Usage: quorlin-selection-screens [folder]   (default /tmp/quorlin-shots)
#include "common/message_box.h"
#include "common/quorlin_application.h"
#include "select/selection_window.h"
#include "shell/lottery_document.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"
#include "shell/window_catalog.h"
#include "store/database.h"
#include "store/lottery_catalog.h"
#include "store/schema.h"
#include "test_support.h"
#include "untimed_waits.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTest>

#include <iostream>

namespace {

void shoot(Tfrmmain& frmmain, const char* command, const char* key, const QString& folder, bool marks)
{
    frmmain.findChild<QAction*>(command)->trigger();
    auto* window = qobject_cast<SelectionWindow*>(frmmain.tools().window(key));
    QTRY_VERIFY(!window->isBusy());
    if (marks)
        window->findChild<QCheckBox*>("chkhistorybiao")->setChecked(true);
    QTest::mouseClick(window->findChild<QPushButton*>("btngen"), Qt::LeftButton);
    QTest::mouseClick(window->findChild<QPushButton*>("btntongji"), Qt::LeftButton);
    QTRY_VERIFY(!window->isBusy());
    QCoreApplication::processEvents();
    const QString path = folder + "/" + QString::fromLatin1(key) + ".png";
    if (!window->grab().save(path))
        std::cerr << "could not write " << path.toStdString() << "\n";
    else
        std::cout << path.toStdString() << "\n";
}

} // namespace

int main(int argc, char* argv[])
{
    QuorlinApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/quorlin-shots");
    QDir().mkpath(folder);
    MessageBox::setTestMode(true);

    quorlin::test::HistoryProgram program;
    LotteryDocument document(program.apppath());
    Tfrmmain frmmain(document);
    registerWindows(frmmain);
    frmmain.resize(1280, 800);
    frmmain.show();
    quorlin::Database db;
    db.open(document.state().databasePath());
    document.open(quorlin::readDefinition(db, quorlin::kShippedLottery));
    db.close();

    shoot(frmmain, "mnuqingmi", "Tfrmqingmi", folder, false);
    // The intimacy tallies of each reference position.
    QWidget* qingmi = frmmain.tools().window("Tfrmqingmi");
    QTest::mouseClick(qingmi->findChild<QAbstractButton*>("optsel0"), Qt::LeftButton);
    qingmi->findChild<QComboBox*>("comselnum")->setCurrentText(QStringLiteral("3"));
    QTest::mouseClick(qingmi->findChild<QPushButton*>("btngen"), Qt::LeftButton);
    qingmi->grab().save(folder + "/Tfrmqingmi-each.png");
    shoot(frmmain, "mnusep", "Tfrmsep", folder, false);
    shoot(frmmain, "mnuganzhi", "Tfrmganzhi", folder, false);
    shoot(frmmain, "mnusibu", "Tfrmsibu", folder, true);

    for (const MessageBox::Record& box : MessageBox::recorded())
        std::cerr << "message: " << box.title.toStdString() << ": " << box.text.toStdString() << "\n";
    return 0;
}
