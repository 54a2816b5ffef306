// Tfrmoptions: 选项, the program's start-up and download options.
#include "shell/u_options.h"

#include "common/app_settings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

Tfrmoptions::Tfrmoptions(QWidget* parent) : QDialog(parent)
{
    setObjectName("Tfrmoptions");
    setWindowTitle("选项");
    auto* layout = new QVBoxLayout(this);
    chkshangci_ = new QCheckBox("启动时打开上次的彩票", this);
    chkshangci_->setObjectName("chkshangci");
    chkshangci_->setChecked(AppSettings::flag(AppSettings::kOpenLastLottery, true));
    chkzidong_ = new QCheckBox("自动下载新开奖", this);
    chkzidong_->setObjectName("chkzidong");
    chkzidong_->setToolTip("开奖时间过后数据缺期时，在后台下载新的开奖号码，状态栏显示进度");
    chkzidong_->setChecked(AppSettings::flag(AppSettings::kAutoDownload, true));
    layout->addWidget(chkshangci_);
    layout->addWidget(chkzidong_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* btnok = buttons->addButton("确定", QDialogButtonBox::AcceptRole);
    btnok->setObjectName("btnok");
    btnok->setDefault(true);
    buttons->addButton("取消", QDialogButtonBox::RejectRole)->setObjectName("btncancel");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void Tfrmoptions::accept()
{
    AppSettings::setValue(AppSettings::kOpenLastLottery, chkshangci_->isChecked());
    AppSettings::setValue(AppSettings::kAutoDownload, chkzidong_->isChecked());
    QDialog::accept();
}
