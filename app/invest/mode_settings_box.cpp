#include "invest/mode_settings_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>

using namespace quorlin;

ModeSettingsBox::ModeSettingsBox(QWidget* parent) : QGroupBox(QStringLiteral("投资模式设置"), parent)
{
    setObjectName("grptozi");
    auto* layout = new QFormLayout(this);
    layout->setLabelAlignment(Qt::AlignRight);
    comsepindex_ = addList("comsepindex", QStringLiteral("观察间隔数："), 1, 100);
    comsepnum_ = addList("comsepnum", QStringLiteral("观察间隔连续次数："), 1, kSepnumItems);
    comtozisep_ = addList("comtozisep", QStringLiteral("中出后间隔期数："), 0, kTozisepItems - 1);
    comtozirep_ = addList("comtozirep", QStringLiteral("连续投入期数："), 1, kTozirepItems);
    const ModeForm defaults;
    edtsinmax_ = addField("edtsinmax", QStringLiteral("单期最大投入："), QString::fromStdString(defaults.sinmax));
    edtallmax_ = addField("edtallmax", QStringLiteral("累计最大投入："), QString::fromStdString(defaults.allmax));
    edtjushu_ = addField("edtjushu", QStringLiteral("单倍注数："), QString::fromStdString(defaults.jushu));
    edtoutofsin_ = addField("edtoutofsin", QStringLiteral("单注奖金："), QString::fromStdString(defaults.outofsin));
    edtlirun_ = addField("edtlirun", QStringLiteral("预期利润(%)："), QString::fromStdString(defaults.lirun));
    edtallwin_ = addField("edtallwin", QStringLiteral("总体赢余："), QString());
    edtallwin_->setReadOnly(true);
    chkyuji_ = new QCheckBox(QStringLiteral("预计亏损："), this);
    chkyuji_->setObjectName("chkyuji");
    chkyuji_->setLayoutDirection(Qt::RightToLeft);
    chkyuji_->setChecked(true);
    chksepmode_ = new QCheckBox(QStringLiteral("间隔模式："), this);
    chksepmode_->setObjectName("chksepmode");
    chksepmode_->setLayoutDirection(Qt::RightToLeft);
    chksepmode_->setChecked(true);
    layout->addRow(chkyuji_, chksepmode_);
    connect(chksepmode_, &QCheckBox::toggled, this, &ModeSettingsBox::chksepmodeClick);
}

QComboBox* ModeSettingsBox::addList(const char* name, const QString& label, int first, int last)
{
    auto* list = new QComboBox(this);
    list->setObjectName(name);
    for (int item = first; item <= last; ++item)
        list->addItem(QString::number(item));
    static_cast<QFormLayout*>(layout())->addRow(label, list);
    return list;
}

QLineEdit* ModeSettingsBox::addField(const char* name, const QString& label, const QString& text)
{
    auto* field = new QLineEdit(text, this);
    field->setObjectName(name);
    static_cast<QFormLayout*>(layout())->addRow(label, field);
    return field;
}

void ModeSettingsBox::chksepmodeClick(bool ticked)
{
    // Without the observation every hit counts: a least gap of 1, seen once.
    if (!ticked) {
        comsepindex_->setCurrentIndex(0);
        comsepnum_->setCurrentIndex(0);
    }
    comsepindex_->setEnabled(ticked);
    comsepnum_->setEnabled(ticked);
}

ModeForm ModeSettingsBox::form(PlayType playType) const
{
    ModeForm form;
    form.playType = playType;
    form.tozisep = comtozisep_->currentIndex();
    form.tozirep = comtozirep_->currentIndex();
    form.sepindex = comsepindex_->currentIndex();
    form.sepnum = comsepnum_->currentIndex();
    form.sinmax = edtsinmax_->text().toStdString();
    form.allmax = edtallmax_->text().toStdString();
    form.jushu = edtjushu_->text().toStdString();
    form.outofsin = edtoutofsin_->text().toStdString();
    form.lirun = edtlirun_->text().toStdString();
    form.yuji = chkyuji_->isChecked();
    form.sepmode = chksepmode_->isChecked();
    return form;
}

void ModeSettingsBox::setForm(const ModeForm& form)
{
    comtozisep_->setCurrentIndex(form.tozisep);
    comtozirep_->setCurrentIndex(form.tozirep);
    comsepindex_->setCurrentIndex(form.sepindex);
    comsepnum_->setCurrentIndex(form.sepnum);
    edtsinmax_->setText(QString::fromStdString(form.sinmax));
    edtallmax_->setText(QString::fromStdString(form.allmax));
    edtjushu_->setText(QString::fromStdString(form.jushu));
    edtoutofsin_->setText(QString::fromStdString(form.outofsin));
    edtlirun_->setText(QString::fromStdString(form.lirun));
    chkyuji_->setChecked(form.yuji);
    chksepmode_->setChecked(form.sepmode);
    chksepmodeClick(form.sepmode);
}

void ModeSettingsBox::clear()
{
    ModeForm cleared;
    cleared.sinmax = "10000";
    cleared.allmax = "100000";
    setForm(cleared);
}

void ModeSettingsBox::selectSearchPoint(const ModeSearchPoint& point)
{
    if (chksepmode_->isChecked())
        comsepnum_->setCurrentIndex(point.sepnum);
    comtozisep_->setCurrentIndex(point.tozisep);
    comtozirep_->setCurrentIndex(point.tozirep);
}

void ModeSettingsBox::setSurplus(std::int64_t surplus)
{
    edtallwin_->setText(QString::number(surplus));
}

std::vector<std::pair<QString, QString>> ModeSettingsBox::printEntries() const
{
    return {
        {QStringLiteral("观察间隔数：") + comsepindex_->currentText(),
         QStringLiteral("单期最大投入：") + edtsinmax_->text()},
        {QStringLiteral("观察间隔连续次数：") + comsepnum_->currentText(),
         QStringLiteral("累计最大投入：") + edtallmax_->text()},
        {QStringLiteral("中出后间隔数：") + comtozisep_->currentText(),
         QStringLiteral("单倍注数：") + edtjushu_->text()},
        {QStringLiteral("连续投入期数：") + comtozirep_->currentText(),
         QStringLiteral("单注奖金：") + edtoutofsin_->text()},
        {QStringLiteral("总体赢余：") + edtallwin_->text(), QStringLiteral("预期利润：") + edtlirun_->text()},
        {chkyuji_->isChecked() ? QStringLiteral("选中预计亏损") : QStringLiteral("取消预计亏损"),
         chksepmode_->isChecked() ? QStringLiteral("选中间隔模式") : QStringLiteral("取消间隔模式")},
    };
}
