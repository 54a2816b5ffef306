// Tfrmallhei: 无穷和值排除选号, the sum exclusion window.
#include "filter/u_allhei.h"

#include "analysis/indicators.h"
#include "common/definition_tip.h"
#include "filter/sum_exclusion.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

ExclusionWindow::Texts texts()
{
    ExclusionWindow::Texts t;
    t.caption = QStringLiteral("无穷和值排除选号");
    t.suffix = QStringLiteral("期无穷和值投注号码.txt");
    t.showsRunStage = true;
    return t;
}

} // namespace

Tfrmallhei::Tfrmallhei(LotteryDocument& document, QWidget* parent) : ExclusionWindow(document, texts(), parent)
{
    setObjectName("frmallhei");
    const int total = history().total, width = history().width;
    auto* group = new QGroupBox(QStringLiteral("以下和值范围将被过滤："));
    group->setToolTip(definitionTip(quorlin::Term::Sum));
    auto* g = new QGridLayout(group);
    comhei1_ = new QComboBox;
    comhei1_->setObjectName("comhei1");
    comhei2_ = new QComboBox;
    comhei2_->setObjectName("comhei2");
    for (int v = quorlin::SumExclusion::lowestSum(total, width); v <= quorlin::SumExclusion::highestSum(total, width);
         ++v) {
        comhei1_->addItem(QString::number(v));
        comhei2_->addItem(QString::number(v));
    }
    comhei1_->setCurrentText(QString::number(quorlin::SumExclusion::defaultHigh(total, width)));
    comhei2_->setCurrentText(QString::number(quorlin::SumExclusion::defaultLow(total, width)));
    g->addWidget(new QLabel(QStringLiteral("和值>=")), 0, 0);
    g->addWidget(comhei1_, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("或<=")), 0, 2);
    g->addWidget(comhei2_, 0, 3);
    memberArea()->addWidget(group, 0, 0);

    auto* btntongji = new QPushButton(QStringLiteral("常规统计"));
    btntongji->setObjectName("btntongji");
    auto* btntongji2 = new QPushButton(QStringLiteral("变幻统计"));
    btntongji2->setObjectName("btntongji2");
    mem_ = new QLineEdit;
    mem_->setObjectName("mem");
    mem_->setReadOnly(true);
    statisticsButtons()->addWidget(btntongji, 0, 0);
    statisticsButtons()->addWidget(btntongji2, 0, 1);
    statisticsButtons()->addWidget(mem_, 1, 0, 1, 3);
    connect(btntongji, &QPushButton::clicked, this, &Tfrmallhei::btntongjiClick);
    connect(btntongji2, &QPushButton::clicked, this, &Tfrmallhei::btntongji2Click);
    connect(findChild<QPushButton*>("btnclear"), &QPushButton::clicked, this, &Tfrmallhei::btntongjiClick);
    btntongjiClick();
}

std::unique_ptr<quorlin::ExclusionMember> Tfrmallhei::member(QString& message)
{
    if (const auto refusal = quorlin::checkCurrentPosition(cur())) {
        message = QString::fromStdString(*refusal);
        return nullptr;
    }
    return std::make_unique<quorlin::SumExclusion>(
        history(),
        quorlin::SumExclusion::Settings{cur(), comhei1_->currentText().toInt(), comhei2_->currentText().toInt()});
}

void Tfrmallhei::btntongjiClick()
{
    if (!isBusy())
        showSums(history().fronts);
}

void Tfrmallhei::btntongji2Click()
{
    if (isBusy())
        return;
    showSums(transformedHistory());
}

void Tfrmallhei::showSums(const std::vector<std::uint8_t>& draws)
{
    const int total = history().total, width = history().width;
    Statistics s;
    s.headers = {QStringLiteral("记录期号"), QStringLiteral("开奖号码"), QStringLiteral("和值")};
    s.series = QStringLiteral("和值");
    s.headerTips = {QString(), QString(), definitionTip(quorlin::Term::Sum)};
    int lo = 0, hi = 0;
    for (int t = 0; t < history().draws(); ++t) {
        const std::uint8_t* d = draws.data() + static_cast<std::size_t>(t) * static_cast<std::size_t>(width);
        int sum = 0;
        for (int j = 0; j < width; ++j)
            sum += d[j];
        lo = t == 0 ? sum : std::min(lo, sum);
        hi = t == 0 ? sum : std::max(hi, sum);
        s.rows.push_back(
            {QString::number(history().issues[static_cast<std::size_t>(t)]), drawText(d, width), QString::number(sum)});
        s.values.emplace_back(sum);
    }
    mem_->setText(QStringLiteral("和值：理论平均值：%1 理论最小值：%2 理论最大值：%3 实际最小值：%4 实际最大值：%5")
                      .arg(QString::fromStdString(quorlin::combinationMeanSumText(total, width)))
                      .arg(quorlin::SumExclusion::lowestSum(total, width))
                      .arg(quorlin::SumExclusion::highestSum(total, width))
                      .arg(lo)
                      .arg(hi));
    mem_->setToolTip(
        QStringLiteral("理论平均值是全部前区组合的平均和值；和值分析中的“理论平均和值”是已载入各期和值的平均。"));
    showStatistics(s);
}
