// The application object every window lives in: standard dialogs in Chinese, and every window
// opened inside the screen.
#include "common/file_dialog.h"
#include "common/quorlin_application.h"

#include <QDir>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <fstream>

class TestQuorlinApplication : public QObject {
    Q_OBJECT
private slots:
    void fileDialogSpeaksChinese();
};

void TestQuorlinApplication::fileDialogSpeaksChinese()
{
    QTemporaryDir folder;
    std::ofstream(QDir(folder.path()).filePath("号码.txt").toStdString()) << std::string(382, 'x');
    std::unique_ptr<QFileDialog> dialog(
        FileDialog::makeDialog(nullptr, FileDialog::Kind::Save, "导出", folder.path(), FileDialog::textFiles()));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setViewMode(QFileDialog::Detail);
    dialog->show();
    auto* details = dialog->findChild<QTreeView*>("treeView");
    QVERIFY(details);
    const auto cell = [details](int column) {
        const QModelIndex root = details->rootIndex();
        return details->model()->rowCount(root) == 1 ? details->model()->index(0, column, root).data().toString()
                                                      : QString();
    };
    // Size, type and time in the program's locale, not the system's ("382 bytes", "Plain text document").
    QTRY_COMPARE(cell(1), QString("382 字节"));
    QCOMPARE(cell(2), QString("纯文本文档"));
    QVERIFY2(cell(3).startsWith(QDate::currentDate().toString("yyyy/M/d")), qPrintable(cell(3)));

    // The buttons come from Qt's own translation when it is installed (qt6-translations-l10n).
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_zh_CN.qm"))
        QSKIP("Qt's Chinese translation is not installed");
    QStringList buttons;
    for (const QPushButton* button : dialog->findChildren<QPushButton*>())
        buttons << button->text();
    QVERIFY2(buttons.contains("取消"), qPrintable(buttons.join(", ")));
}

int main(int argc, char* argv[])
{
    QuorlinApplication app(argc, argv);
    TestQuorlinApplication test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_quorlin_application.moc"
