// Tfrmallgensui: 无穷跟随排除选号, the follow-number exclusion window.
#include "filter/u_allgensui.h"

#include "common/definition_tip.h"
#include "common/integer_fields.h"
#include "common/message_box.h"
#include "common/random_source.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

ExclusionWindow::Texts texts()
{
    ExclusionWindow::Texts t;
    t.caption = QStringLiteral("无穷历史跟随排除选号");
    t.suffix = QStringLiteral("期无穷跟随投注号码.txt");
    t.saveCaption = QStringLiteral("保存号码");
    t.clearCaption = QStringLiteral("清空");
    t.defaultTarget = QStringLiteral("50");
    t.defaultIterations = QStringLiteral("1");
    t.stageCaption = QStringLiteral("阶段统计期：");
    return t;
}

// Two exclusive choices in a row of the grid; the first is checked.
std::pair<QRadioButton*, QRadioButton*> choice(QWidget* owner, QGridLayout* g, int row, const char* name,
                                               const QString& first, const QString& second)
{
    auto* a = new QRadioButton(first);
    a->setObjectName(name);
    a->setChecked(true);
    auto* b = new QRadioButton(second);
    auto* group = new QButtonGroup(owner);
    group->addButton(a);
    group->addButton(b);
    g->addWidget(a, row, 0);
    g->addWidget(b, row, 1);
    return {a, b};
}

} // namespace

Tfrmallgensui::Tfrmallgensui(LotteryDocument& document, QWidget* parent) : ExclusionWindow(document, texts(), parent)
{
    setObjectName("frmallgensui");
    findChild<QPushButton*>("btngen")->setObjectName("btnfilt");
    QGridLayout* g = memberArea();
    std::tie(optplain_, opttransformed_) =
        choice(this, g, 0, "optmode", QStringLiteral("常规"), QStringLiteral("变幻"));
    std::tie(optrank_, optrotation_) =
        choice(this, g, 1, "opttype1", QStringLiteral("排名模式"), QStringLiteral("排列模式"));
    std::tie(optcount_, optgap_) =
        choice(this, g, 2, "opttype2", QStringLiteral("次数模式"), QStringLiteral("间隔模式"));
    std::tie(optfixed_, optrandom_) =
        choice(this, g, 3, "opttype3", QStringLiteral("固定阶段"), QStringLiteral("随机阶段"));
    std::tie(optlimited_, optmax_) =
        choice(this, g, 4, "opttype4", QStringLiteral("有限阶段期数"), QStringLiteral("最大阶段期数"));
    // The stage box offers 1..1000 here; it stays disabled and is read.
    comjieduannum()->clear();
    for (int i = 1; i <= 1000; ++i)
        comjieduannum()->addItem(QString::number(i));
    comjieduannum()->setCurrentText(QStringLiteral("100"));
    g->addWidget(new QLabel(QStringLiteral("对比号码数：")), 5, 0);
    edthuishu_ = new QLineEdit(QStringLiteral("2"));
    edthuishu_->setObjectName("edthuishu");
    g->addWidget(edthuishu_, 5, 1);
    auto* bounds = new QGroupBox(QStringLiteral("以下跟随数将被过滤："));
    bounds->setToolTip(definitionTip(quorlin::Term::Follow));
    auto* b = new QGridLayout(bounds);
    comhei1_ = new QComboBox;
    comhei1_->setObjectName("comhei1");
    comhei2_ = new QComboBox;
    comhei2_->setObjectName("comhei2");
    for (int v = 0; v <= history().width; ++v) {
        comhei1_->addItem(QString::number(v));
        comhei2_->addItem(QString::number(v));
    }
    comhei1_->setCurrentIndex(history().width);
    comhei2_->setCurrentIndex(0);
    b->addWidget(new QLabel(QStringLiteral(">=")), 0, 0);
    b->addWidget(comhei1_, 0, 1);
    b->addWidget(new QLabel(QStringLiteral("或<=")), 0, 2);
    b->addWidget(comhei2_, 0, 3);
    g->addWidget(bounds, 6, 0, 1, 2);

    btntongji_ = new QPushButton;
    btntongji_->setObjectName("btntongji");
    statisticsButtons()->addWidget(btntongji_, 0, 0);
    connect(btntongji_, &QPushButton::clicked, this, &Tfrmallgensui::btntongjiClick);

    opttransformed_->setChecked(true);
    connect(opttransformed_, &QRadioButton::toggled, this, &Tfrmallgensui::optmodeClick);
    optjushu()->setChecked(true);
    btntongji_->setText(QStringLiteral("变幻统计"));
    // At creation the real history's follow numbers are shown.
    optplain_->setChecked(true);
    btntongjiClick();
    opttransformed_->setChecked(true);
    edtcishu()->setText(QStringLiteral("1"));
    optjushu()->setChecked(true);
}

void Tfrmallgensui::optmodeClick()
{
    const bool transformed = opttransformed_->isChecked();
    // 常规 judges the real history: only 变幻 relabels.
    showRelabelNote(transformed);
    optjushu()->setEnabled(transformed);
    (transformed ? optjushu() : optcishu())->setChecked(true);
    edtcishu()->setText(transformed ? QStringLiteral("100") : QStringLiteral("1"));
    btntongji_->setText(transformed ? QStringLiteral("变幻统计") : QStringLiteral("常规统计"));
}

std::optional<quorlin::FollowExclusion::Settings> Tfrmallgensui::settings(QString& message) const
{
    IntegerFields f;
    quorlin::FollowExclusion::Settings s;
    s.cur = cur();
    s.transformed = opttransformed_->isChecked();
    s.rotation = optrotation_->isChecked();
    s.byGap = optgap_->isChecked();
    s.randomStage = optrandom_->isChecked();
    s.maxStage = optmax_->isChecked();
    s.stageBox = f.read(comjieduannum()->currentText(), QStringLiteral("阶段统计期"));
    s.group = f.read(edthuishu_->text(), QStringLiteral("对比号码数"));
    s.high = comhei1_->currentText().toInt();
    s.low = comhei2_->currentText().toInt();
    if (!f.ok()) {
        message = f.error();
        return std::nullopt;
    }
    if (const auto refusal = quorlin::FollowExclusion::check(s)) {
        message = QString::fromStdString(*refusal);
        return std::nullopt;
    }
    return s;
}

std::unique_ptr<quorlin::ExclusionMember> Tfrmallgensui::member(QString& message)
{
    const auto s = settings(message);
    if (!s)
        return nullptr;
    return std::make_unique<quorlin::FollowExclusion>(history(), *s);
}

void Tfrmallgensui::btntongjiClick()
{
    if (isBusy())
        return;
    QString message;
    auto s = settings(message);
    if (!s) {
        // The statistics cover every draw whatever the current issue; only the other fields count.
        quorlin::FollowExclusion::Settings all;
        all.cur = history().draws();
        all.group = edthuishu_->text().trimmed().toInt();
        if (const auto refusal = quorlin::FollowExclusion::check(all)) {
            refuse(this, QString::fromStdString(*refusal));
            return;
        }
        s = all;
    }
    s->cur = history().draws();
    quorlin::FollowExclusion follow(history(), *s);
    random().reseed();
    const auto relabelled = follow.history(random(), history().draws());
    const std::vector<int> numbers = quorlin::followNumbers(relabelled.draws, history().width, s->group);
    Statistics st;
    st.headers = {QStringLiteral("记录期号"), QStringLiteral("开奖号码"), QStringLiteral("跟随数")};
    st.series = QStringLiteral("跟随数");
    st.headerTips = {QString(), QString(), definitionTip(quorlin::Term::Follow)};
    for (int t = 0; t < history().draws(); ++t) {
        st.rows.push_back(
            {QString::number(history().issues[static_cast<std::size_t>(t)]),
             drawText(relabelled.draws.data() + static_cast<std::size_t>(t) * static_cast<std::size_t>(history().width),
                      history().width),
             QString::number(numbers[static_cast<std::size_t>(t)])});
        st.values.emplace_back(numbers[static_cast<std::size_t>(t)]);
    }
    showStatistics(st);
}
