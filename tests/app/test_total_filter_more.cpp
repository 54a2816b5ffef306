// The total filter window beyond its first page: the second page's conditions and 容错 in a run,
// the steps list, 回测 after a run, and the named schemes.
#include "total_filter_window_test.h"

#include "check/u_huice.h"
#include "common/file_dialog.h"
#include "common/input_dialog.h"
#include "common/message_box.h"
#include "filter/filter_scheme.h"
#include "shell/lottery_document.h"
#include "store/filter_space.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>

class TestTotalFilterMore : public TotalFilterWindowTest {
    Q_OBJECT
private slots:
    void secondPageAndToleranceReachTheRun();
    void secondPageRefusals_data();
    void secondPageRefusals();
    void secondPageNeedsTheRealNumbers();
    void stepsListTheRunsAndAClickTicksAgain();
    void backtestAfterARunTakesTheLastStep();
    void schemeSavedAndLoadedBack();
    void deletingASchemeAsksFirst();
    void badSchemeIsRefusedNamingItsLine();

private:
    QString schemeFolder() const
    {
        return QString::fromStdString(program_->apppath()) + QString::fromUtf8(quorlin::kSchemeFolder);
    }
    QString schemePath(const QString& name) const { return schemeFolder() + '/' + name + ".txt"; }
    /// A scheme file put into the folder behind the window's back, offered once it shows again.
    void putScheme(const QString& name, const QByteArray& text)
    {
        QVERIFY(QDir().mkpath(schemeFolder()));
        QVERIFY(writeFile(schemePath(name), text));
        window()->hide();
        window()->show();
    }
    /// Picks `name` in the scheme box as the player does, which loads it.
    void chooseScheme(const QString& name)
    {
        auto* combo = child<QComboBox>("cbbfangan");
        const int index = combo->findText(name);
        QVERIFY2(index >= 0, qPrintable(name));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void tick(const char* flag, const QString& lo, const QString& hi)
    {
        child<QCheckBox>(qPrintable(QString("chk") + flag))->setChecked(true);
        setCombo(qPrintable(QString("cbb") + flag + "1"), lo);
        setCombo(qPrintable(QString("cbb") + flag + "2"), hi);
    }
    quorlin::TotalFilterSettings controls()
    {
        QString message;
        const auto settings = window()->settings(message);
        if (!settings)
            qWarning("%s", qPrintable(message));
        return settings.value_or(quorlin::TotalFilterSettings{});
    }
    QListWidget* steps() const { return child<QListWidget>("lststeps"); }
};

void TestTotalFilterMore::secondPageAndToleranceReachTheRun()
{
    tick("consecutive", "1", "1");
    tick("mod30", "1", "2");
    tick("hot", "1", "3");
    child<QSpinBox>("spnrongcuo")->setValue(1);
    clickNumbers("btnlan", {1, 2});

    quorlin::TotalFilterSettings expected;
    expected.extraRange(quorlin::ExtraCondition::Consecutive) = quorlin::FilterRange{1, 1};
    expected.extraRange(quorlin::ExtraCondition::Mod3Zero) = quorlin::FilterRange{1, 2};
    expected.extraRange(quorlin::ExtraCondition::Hot) = quorlin::FilterRange{1, 3};
    expected.tolerance = 1;
    expected.back = {1, 2};
    QCOMPARE(controls(), expected);
    filter();

    // 热号 is taken against the five draws of the lottery, as the window's run takes it.
    const quorlin::FilterSpace space = quorlin::filterspace(document_->state());
    const std::size_t kept = coreSurvivors(expected, space);
    quorlin::TotalFilterSettings strict = expected;
    strict.tolerance = 0;
    QVERIFY(kept > coreSurvivors(strict, space));
    QCOMPARE(document_->state().allcode.unmarked(), kept);
    QCOMPARE(memoLines(), static_cast<int>(kept));
    QCOMPARE(child<QLabel>("lblcode")->text(), QString("过滤结果：%1注（3个条件，容错1）").arg(kept));
    // Unticked like the first page's conditions; 容错 stays.
    QVERIFY(!child<QCheckBox>("chkconsecutive")->isChecked());
    QCOMPARE(child<QSpinBox>("spnrongcuo")->value(), 1);
}

void TestTotalFilterMore::secondPageRefusals_data()
{
    QTest::addColumn<QString>("lower");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << "1"
                           << ""
                           << "请选择组合框中的数值！";
    QTest::newRow("not a number") << "x"
                                  << "2"
                                  << "“质数个数下限”中的“x”不是有效的整数！";
    QTest::newRow("upper below lower") << "3"
                                       << "2"
                                       << "质数个数前面的数值应该小于等于后面的数值！";
}

void TestTotalFilterMore::secondPageRefusals()
{
    QFETCH(QString, lower);
    QFETCH(QString, upper);
    QFETCH(QString, message);
    tick("primes", lower, upper);
    clickNumbers("btnlan", {1, 2});
    filter();
    QCOMPARE(messageTexts(), QStringList{message});
    QCOMPARE(memoLines(), 0);
    QCOMPARE(steps()->count(), 0);
}

void TestTotalFilterMore::secondPageNeedsTheRealNumbers()
{
    tick("primes", "1", "2");
    document_->setTransformed();
    auto* primes = child<QCheckBox>("chkprimes");
    QVERIFY(!primes->isChecked() && !primes->isEnabled());
    QVERIFY(!child<QComboBox>("cbbprimes1")->isEnabled());
    QVERIFY(child<QSpinBox>("spnrongcuo")->isEnabled());

    // A scheme with such a condition cannot be shown there either.
    putScheme("冷热", "hot = 1-3\nback = 01 02\n");
    chooseScheme("冷热");
    QCOMPARE(messageTexts().size(), 1);
    QVERIFY(messageTexts().first().contains("变幻走势"));
    QVERIFY(!child<QCheckBox>("chkhot")->isChecked());

    document_->setStandard();
    QVERIFY(primes->isEnabled());
    chooseScheme("冷热");
    QVERIFY(child<QCheckBox>("chkhot")->isChecked());
}

void TestTotalFilterMore::stepsListTheRunsAndAClickTicksAgain()
{
    child<QCheckBox>("chkhei")->setChecked(true);
    setCombo("comhei1", "60");
    setCombo("comhei2", "100");
    tick("consecutive", "1", "1");
    clickNumbers("btnlan", {1, 2});
    filter();
    child<QCheckBox>("chkjishu")->setChecked(true);
    setCombo("comjiou1", "2");
    setCombo("comjiou2", "3");
    filter();

    quorlin::TotalFilterSettings first;
    first.sum = quorlin::FilterRange{60, 100};
    first.extraRange(quorlin::ExtraCondition::Consecutive) = quorlin::FilterRange{1, 1};
    first.back = {1, 2};
    quorlin::TotalFilterSettings second;
    second.odd = quorlin::FilterRange{2, 3};
    second.back = {1, 2};
    QCOMPARE(steps()->count(), 2);
    QCOMPARE(steps()->item(0)->text(), QString("1. %1 → %2注")
                                           .arg(QString::fromStdString(quorlin::filterSettingsText(first)))
                                           .arg(coreSurvivors(first)));
    QCOMPARE(steps()->item(1)->text(),
             QString("2. %1 → %2注").arg(QString::fromStdString(quorlin::filterSettingsText(second))).arg(memoLines()));

    QTest::mouseClick(steps()->viewport(), Qt::LeftButton, {}, steps()->visualItemRect(steps()->item(0)).center());
    QVERIFY(child<QCheckBox>("chkhei")->isChecked());
    QVERIFY(child<QCheckBox>("chkconsecutive")->isChecked());
    QVERIFY(!child<QCheckBox>("chkjishu")->isChecked());
    QCOMPARE(controls(), first);

    // A loaded list and 清空 both start the steps over.
    const QString list = QString::fromStdString(program_->apppath()) + "list.txt";
    FileDialog::setNextFileName(list);
    click("btnsave");
    waitIdle();
    FileDialog::setNextFileName(list);
    click("btnload");
    waitIdle();
    QCOMPARE(steps()->count(), 0);
    filter();
    QCOMPARE(steps()->count(), 1);
    MessageBox::setNextAnswer(QMessageBox::Yes);
    click("btnclear");
    QCOMPARE(steps()->count(), 0);
}

void TestTotalFilterMore::backtestAfterARunTakesTheLastStep()
{
    child<QCheckBox>("chkjishu")->setChecked(true);
    setCombo("comjiou1", "5");
    setCombo("comjiou2", "5");
    clickNumbers("btnlan", {1, 2});
    filter();
    QVERIFY(!child<QCheckBox>("chkjishu")->isChecked());

    click("btnhuice");
    auto* huice = qobject_cast<Tfrmhuice*>(mainWindow_->tools().window("Tfrmhuice"));
    QVERIFY(huice && huice->isVisible());
    QTRY_VERIFY(!huice->isBusy());
    QVERIFY2(messageTexts().isEmpty(), qPrintable(messageTexts().join('\n')));
    QVERIFY(huice->result());
    QVERIFY(huice->findChild<QLabel*>("lbltiaojian")->text().contains("奇数 5"));

    // A ticked condition is taken instead.
    child<QCheckBox>("chkhei")->setChecked(true);
    setCombo("comhei1", "60");
    setCombo("comhei2", "100");
    quorlin::TotalFilterSettings ticked;
    ticked.sum = quorlin::FilterRange{60, 100};
    ticked.back = {1, 2};
    QCOMPARE(controls(), ticked);
}

void TestTotalFilterMore::schemeSavedAndLoadedBack()
{
    quorlin::TotalFilterSettings s;
    s.sum = quorlin::FilterRange{70, 110};
    s.bankersOn = true;
    s.bankers = {3, 12};
    s.bankerHits = {0, 1};
    s.extraRange(quorlin::ExtraCondition::Tails) = quorlin::FilterRange{3, 5};
    s.extraRange(quorlin::ExtraCondition::Cold) = quorlin::FilterRange{0, 0};
    s.tolerance = 2;
    s.back = {1, 2, 3};
    window()->setSettings(s);

    InputDialog::setNextText("a/b");
    click("btnsavefangan");
    QCOMPARE(messageTexts().size(), 1);
    QVERIFY(!QDir(schemeFolder()).exists() || QDir(schemeFolder()).isEmpty());

    InputDialog::setNextText(" 稳健 ");
    click("btnsavefangan");
    QCOMPARE(InputDialog::recorded().last().title, QString("保存方案"));
    QVERIFY(fileBytes(schemePath("稳健")).contains("tolerance = 2"));

    // The same name again asks before replacing; "no" keeps the file.
    const QByteArray saved = fileBytes(schemePath("稳健"));
    child<QCheckBox>("chkhei")->setChecked(false);
    child<QCheckBox>("chkac")->setChecked(true);
    setCombo("comac1", "4");
    setCombo("comac2", "6");
    InputDialog::setNextText("稳健");
    MessageBox::setNextAnswer(QMessageBox::No);
    click("btnsavefangan");
    QCOMPARE(messageTexts().last(), QString("方案“稳健”已经存在，要替换它吗？"));
    QCOMPARE(fileBytes(schemePath("稳健")), saved);

    click("btnclear");
    chooseScheme("稳健");
    QCOMPARE(controls(), s);
    QCOMPARE(messageTexts().size(), 2);
}

void TestTotalFilterMore::deletingASchemeAsksFirst()
{
    click("btndelfangan");
    QCOMPARE(messageTexts(), QStringList{"请先选择要删除的方案！"});
    putScheme("稳健", "sum = 70-110\nback = 01 02\n");
    chooseScheme("稳健");

    MessageBox::setNextAnswer(QMessageBox::No);
    click("btndelfangan");
    QCOMPARE(messageTexts().last(), QString("确定要删除方案“稳健”吗？"));
    QVERIFY(QFile::exists(schemePath("稳健")));

    MessageBox::setNextAnswer(QMessageBox::Yes);
    click("btndelfangan");
    QVERIFY(!QFile::exists(schemePath("稳健")));
    QCOMPARE(child<QComboBox>("cbbfangan")->count(), 0);
}

void TestTotalFilterMore::badSchemeIsRefusedNamingItsLine()
{
    setCombo("comhei1", "50");
    putScheme("坏", "# 稳健的和值\nsum = 70-110\nsmu = 1-2\n");
    chooseScheme("坏");
    QCOMPARE(messageTexts().size(), 1);
    QVERIFY2(messageTexts().first().startsWith("方案“坏”第 3 行："), qPrintable(messageTexts().first()));
    QVERIFY(!child<QCheckBox>("chkhei")->isChecked());
    QCOMPARE(child<QComboBox>("comhei1")->currentText(), QString("50"));
}

QTEST_MAIN(TestTotalFilterMore)
#include "test_total_filter_more.moc"
