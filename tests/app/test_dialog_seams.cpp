// The message-box and file-dialog seams in test mode: scripted answers are used up, unscripted
// boxes get the answer of Enter, unscripted file dialogs are cancelled, and every call is recorded.
#include "common/file_dialog.h"
#include "common/message_box.h"

#include <QTest>

class TestDialogSeams : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        MessageBox::setTestMode(true);
        MessageBox::clearRecorded();
        FileDialog::setTestMode(true);
        FileDialog::clearRecorded();
    }

    void unscriptedBoxAnswersLikeEnter_data();
    void unscriptedBoxAnswersLikeEnter();
    void scriptedAnswerIsUsedOnce();
    void fileDialogsAnswerWithTheScriptedNamesOnce();
};

void TestDialogSeams::unscriptedBoxAnswersLikeEnter_data()
{
    QTest::addColumn<QMessageBox::StandardButtons>("buttons");
    QTest::addColumn<QMessageBox::StandardButton>("defaultButton");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::newRow("first button") << QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No)
                                  << QMessageBox::NoButton << QMessageBox::Yes;
    QTest::newRow("default button") << QMessageBox::StandardButtons(QMessageBox::Yes | QMessageBox::No)
                                    << QMessageBox::No << QMessageBox::No;
    QTest::newRow("single OK") << QMessageBox::StandardButtons(QMessageBox::Ok) << QMessageBox::NoButton
                               << QMessageBox::Ok;
}

void TestDialogSeams::unscriptedBoxAnswersLikeEnter()
{
    QFETCH(QMessageBox::StandardButtons, buttons);
    QFETCH(QMessageBox::StandardButton, defaultButton);
    QFETCH(QMessageBox::StandardButton, answer);
    QCOMPARE(MessageBox::question(nullptr, "提示", "确定吗？", buttons, defaultButton), answer);
    QCOMPARE(MessageBox::recorded().size(), 1);
    QCOMPARE(MessageBox::recorded().first().kind, MessageBox::Kind::Question);
    QCOMPARE(MessageBox::recorded().first().text, QString("确定吗？"));
}

void TestDialogSeams::scriptedAnswerIsUsedOnce()
{
    MessageBox::setNextAnswer(QMessageBox::No);
    QCOMPARE(MessageBox::question(nullptr, "提示", "第一次"), QMessageBox::No);
    QCOMPARE(MessageBox::question(nullptr, "提示", "第二次"), QMessageBox::Yes);
    QCOMPARE(MessageBox::information(nullptr, "提示", "成功保存！"), QMessageBox::Ok);
    QCOMPARE(MessageBox::recorded().size(), 3);
    QCOMPARE(MessageBox::recorded().last().kind, MessageBox::Kind::Information);
}

void TestDialogSeams::fileDialogsAnswerWithTheScriptedNamesOnce()
{
    FileDialog::setNextFileName("/tmp/甲.txt");
    QCOMPARE(FileDialog::getSaveFileName(nullptr, "保存", "/tmp", "文本文件(*.txt)"), QString("/tmp/甲.txt"));
    QCOMPARE(FileDialog::getOpenFileName(nullptr, "打开", "/tmp", "文本文件(*.txt)"), QString());
    FileDialog::setNextFileNames({"/tmp/a.txt", "/tmp/b.txt"});
    QCOMPARE(FileDialog::getOpenFileNames(nullptr, "打开", "/tmp", "文本文件(*.txt)"),
             (QStringList{"/tmp/a.txt", "/tmp/b.txt"}));
    QCOMPARE(FileDialog::recorded().size(), 3);
    QCOMPARE(FileDialog::recorded().first().kind, FileDialog::Kind::Save);
    QCOMPARE(FileDialog::recorded().first().caption, QString("保存"));
    QCOMPARE(FileDialog::recorded().first().filter, QString("文本文件(*.txt)"));
}

QTEST_GUILESS_MAIN(TestDialogSeams)
#include "test_dialog_seams.moc"
