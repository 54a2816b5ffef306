// Tfrmallcongma: 无穷重码排除选号, the repeat exclusion window.
#include "filter/u_allcongma.h"

#include "common/definition_tip.h"
#include "filter/repeat_exclusion.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace {

ExclusionWindow::Texts texts()
{
    ExclusionWindow::Texts t;
    t.caption = QStringLiteral("无穷重码排除选号");
    t.suffix = QStringLiteral("期无穷重码投注号码.txt");
    t.showsRunStage = true;
    return t;
}

} // namespace

Tfrmallcongma::Tfrmallcongma(LotteryDocument& document, QWidget* parent) : ExclusionWindow(document, texts(), parent)
{
    setObjectName("frmallcongma");
    comqishu_ = new QComboBox;
    comqishu_->setObjectName("comqishu");
    for (int q = 1; q <= history().draws(); ++q)
        comqishu_->addItem(QString::number(q));
    comqishu_->setCurrentIndex(std::min(9, comqishu_->count() - 1));
    comAC_ = new QComboBox;
    comAC_->setObjectName("comAC");
    for (int t = 1; t <= history().width; ++t)
        comAC_->addItem(QString::number(t));
    comAC_->setCurrentIndex(history().width - 1);
    memberArea()->addWidget(new QLabel(QStringLiteral("重码期数：")), 0, 0);
    memberArea()->addWidget(comqishu_, 0, 1);
    auto* threshold = new QLabel(QStringLiteral("过滤的重码数>="));
    for (QWidget* widget : std::initializer_list<QWidget*>{threshold, comAC_})
        widget->setToolTip(definitionTip(quorlin::Term::RepeatAcross));
    memberArea()->addWidget(threshold, 1, 0);
    memberArea()->addWidget(comAC_, 1, 1);

    auto* btntongji = new QPushButton(QStringLiteral("常规统计"));
    btntongji->setObjectName("btntongji");
    auto* btntongji2 = new QPushButton(QStringLiteral("变幻统计"));
    btntongji2->setObjectName("btntongji2");
    edtcurcode_ = new QLineEdit;
    edtcurcode_->setObjectName("edtcurcode");
    edtcurcode_->setReadOnly(true);
    statisticsButtons()->addWidget(btntongji, 0, 0);
    statisticsButtons()->addWidget(btntongji2, 0, 1);
    statisticsButtons()->addWidget(new QLabel(QStringLiteral("统计汇总：")), 1, 0);
    statisticsButtons()->addWidget(edtcurcode_, 1, 1, 1, 2);
    connect(btntongji, &QPushButton::clicked, this, &Tfrmallcongma::btntongjiClick);
    connect(btntongji2, &QPushButton::clicked, this, &Tfrmallcongma::btntongji2Click);
    connect(findChild<QPushButton*>("btnclear"), &QPushButton::clicked, this, &Tfrmallcongma::btntongjiClick);
    btntongjiClick();
}

int Tfrmallcongma::draws() const
{
    return comqishu_->currentIndex() + 1;
}

std::unique_ptr<quorlin::ExclusionMember> Tfrmallcongma::member(QString& message)
{
    const quorlin::RepeatExclusion::Settings s{cur(), draws(), comAC_->currentText().toInt()};
    if (const auto refusal = quorlin::RepeatExclusion::check(s)) {
        message = QString::fromStdString(*refusal);
        return nullptr;
    }
    return std::make_unique<quorlin::RepeatExclusion>(history(), s);
}

void Tfrmallcongma::btntongjiClick()
{
    if (!isBusy())
        showRepeats(history().fronts);
}

void Tfrmallcongma::btntongji2Click()
{
    if (isBusy())
        return;
    showRepeats(transformedHistory());
}

void Tfrmallcongma::showRepeats(const std::vector<std::uint8_t>& draws)
{
    const int width = history().width;
    const std::vector<std::optional<int>> counts = quorlin::repeatCounts(draws, width, this->draws());
    Statistics s;
    s.headers = {QStringLiteral("记录期号"),       QStringLiteral("开奖号码"),       QStringLiteral("理论最小重码数"),
                 QStringLiteral("理论最大重码数"), QStringLiteral("理论平均重码数"), QStringLiteral("实际重码数")};
    s.series = QStringLiteral("重码数");
    s.headerTips = {QString(), QString(), QString(), QString(), QString(), definitionTip(quorlin::Term::RepeatAcross)};
    s.firstBar = stage();
    std::optional<int> lo, hi;
    for (int t = 0; t < history().draws(); ++t) {
        const auto& c = counts[static_cast<std::size_t>(t)];
        s.rows.push_back({QString::number(history().issues[static_cast<std::size_t>(t)]),
                          drawText(draws.data() + static_cast<std::size_t>(t) * static_cast<std::size_t>(width), width),
                          QStringLiteral("0"), QString::number(width), QString::asprintf("%.1f", width / 2.0),
                          c ? QString::number(*c) : QString()});
        s.values.push_back(c ? std::optional<double>(*c) : std::nullopt);
        if (c) {
            lo = lo ? std::min(*lo, *c) : *c;
            hi = hi ? std::max(*hi, *c) : *c;
        }
    }
    // Without any repeat count (Q not below the number of draws) the summary says so.
    edtcurcode_->setText(hi ? QStringLiteral("最大重码个数：%1 最小重码个数：%2").arg(*hi).arg(*lo)
                            : QStringLiteral("没有可统计的重码数"));
    showStatistics(s);
}
