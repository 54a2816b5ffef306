// Tfrmallpiantai: 无穷偏态排除选号, the bias exclusion window.
#include "filter/u_allpiantai.h"

#include "common/definition_tip.h"
#include "common/integer_fields.h"
#include "filter/bias_exclusion.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

ExclusionWindow::Texts texts()
{
    ExclusionWindow::Texts t;
    t.caption = QStringLiteral("无穷偏态排除选号");
    t.suffix = QStringLiteral("期无穷偏态投注号码.txt");
    t.stayOnTop = false;
    t.statistics = false;
    return t;
}

QLineEdit* field(const char* name, const QString& text)
{
    auto* e = new QLineEdit(text);
    e->setObjectName(name);
    e->setMaximumWidth(48);
    return e;
}

} // namespace

Tfrmallpiantai::Tfrmallpiantai(LotteryDocument& document, QWidget* parent) : ExclusionWindow(document, texts(), parent)
{
    setObjectName("frmallpiantai");
    const quorlin::BiasExclusion::Settings d = quorlin::BiasExclusion::defaults(history().width);
    QGridLayout* g = memberArea();
    optbig_ = new QRadioButton(QStringLiteral("大小模式"));
    optbig_->setObjectName("optmode");
    optbig_->setChecked(true);
    optodd_ = new QRadioButton(QStringLiteral("奇偶模式"));
    auto* modes = new QButtonGroup(this);
    modes->addButton(optbig_);
    modes->addButton(optodd_);
    g->addWidget(optbig_, 0, 0);
    g->addWidget(optodd_, 0, 1);

    chkda_ = new QCheckBox;
    chkda_->setObjectName("chkda");
    chkda_->setChecked(true);
    edtdanum_ = field("edtdanum", QString::number(d.high));
    lblda_ = new QLabel;
    edtdanum1_ = field("edtdanum1", QString::number(d.highKeep.lo));
    edtdanum2_ = field("edtdanum2", QString::number(d.highKeep.hi));
    chkxiao_ = new QCheckBox;
    chkxiao_->setObjectName("chkxiao");
    chkxiao_->setChecked(true);
    edtxiaonum_ = field("edtxiaonum", QString::number(d.low));
    lblxiao_ = new QLabel;
    edtxiaonum1_ = field("edtxiaonum1", QString::number(d.lowKeep.lo));
    edtxiaonum2_ = field("edtxiaonum2", QString::number(d.lowKeep.hi));
    int row = 1;
    for (auto [box, threshold, label, from, to] :
         {std::tuple{chkda_, edtdanum_, lblda_, edtdanum1_, edtdanum2_},
          std::tuple{chkxiao_, edtxiaonum_, lblxiao_, edtxiaonum1_, edtxiaonum2_}}) {
        g->addWidget(box, row, 0);
        g->addWidget(threshold, row, 1);
        g->addWidget(label, row, 2);
        g->addWidget(from, row, 3);
        g->addWidget(new QLabel(QStringLiteral("到")), row, 4);
        g->addWidget(to, row, 5);
        ++row;
    }
    g->addWidget(new QLabel(QStringLiteral("延续期数：")), row, 0);
    edtyanxunum_ = field("edtyanxunum", QStringLiteral("2"));
    g->addWidget(edtyanxunum_, row, 1);
    comjieduannum()->setCurrentText(QStringLiteral("100"));
    connect(optbig_, &QRadioButton::toggled, this, &Tfrmallpiantai::optmodeClick);
    optmodeClick();
}

void Tfrmallpiantai::optmodeClick()
{
    const QString property = optbig_->isChecked() ? QStringLiteral("大数") : QStringLiteral("奇数");
    chkda_->setText(property + QStringLiteral("个数>="));
    chkxiao_->setText(property + QStringLiteral("个数<="));
    lblda_->setText(QStringLiteral("时本期") + property + QStringLiteral("个数"));
    lblxiao_->setText(lblda_->text());
    // Big numbers as this window counts them: from 35 div 2 up.
    const QString tip = definitionTip(optbig_->isChecked() ? quorlin::Term::BigFilter : quorlin::Term::Odd);
    for (QWidget* widget : std::initializer_list<QWidget*>{chkda_, chkxiao_, lblda_, lblxiao_})
        widget->setToolTip(tip);
}

std::unique_ptr<quorlin::ExclusionMember> Tfrmallpiantai::member(QString& message)
{
    IntegerFields f;
    quorlin::BiasExclusion::Settings s;
    s.cur = cur();
    s.oddMode = optodd_->isChecked();
    s.highOn = chkda_->isChecked();
    s.high = f.read(edtdanum_->text(), chkda_->text());
    s.highKeep = {f.read(edtdanum1_->text(), lblda_->text()), f.read(edtdanum2_->text(), lblda_->text())};
    s.lowOn = chkxiao_->isChecked();
    s.low = f.read(edtxiaonum_->text(), chkxiao_->text());
    s.lowKeep = {f.read(edtxiaonum1_->text(), lblxiao_->text()), f.read(edtxiaonum2_->text(), lblxiao_->text())};
    s.run = f.read(edtyanxunum_->text(), QStringLiteral("延续期数"));
    if (!f.ok()) {
        message = f.error();
        return nullptr;
    }
    if (const auto refusal = quorlin::BiasExclusion::check(s)) {
        message = QString::fromStdString(*refusal);
        return nullptr;
    }
    return std::make_unique<quorlin::BiasExclusion>(history(), s);
}
