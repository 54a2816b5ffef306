#include "shell/main_status_bar.h"

#include "shell/lottery_document.h"
#include "store/database.h"
#include "store/lottery_catalog.h"

#include <QLabel>

#include <filesystem>

namespace {

QLabel* addField(QStatusBar* bar, const char* name, bool permanent)
{
    auto* label = new QLabel(bar);
    label->setObjectName(name);
    label->setContentsMargins(6, 0, 6, 0);
    if (permanent)
        bar->addPermanentWidget(label);
    else
        bar->addWidget(label, 1);
    return label;
}

} // namespace

MainStatusBar::MainStatusBar(LotteryDocument& document, QWidget* parent) : QStatusBar(parent), document_(document)
{
    setObjectName("stbmain");
    setSizeGripEnabled(false);
    lblcaipiao_ = addField(this, "lblcaipiao", false);
    lblqishu_ = addField(this, "lblqishu", true);
    lblzuixin_ = addField(this, "lblzuixin", true);
    lblzoushi_ = addField(this, "lblzoushi", true);
    connect(&document_, &LotteryDocument::changed, this, &MainStatusBar::refresh);
    refresh();
}

void MainStatusBar::refresh()
{
    const quorlin::LotteryState& state = document_.state();
    if (!state.caiopen) {
        lblcaipiao_->setText(closedHint());
        for (QLabel* field : {lblqishu_, lblzuixin_, lblzoushi_})
            field->hide();
        return;
    }
    lblcaipiao_->setText("彩票：" + QString::fromStdString(state.cainame));
    lblqishu_->setText(QStringLiteral("共 %1 期").arg(state.recnum));
    if (state.hisfull.empty()) {
        lblzuixin_->setText(QStringLiteral("还没有开奖号码"));
    } else {
        const std::size_t newest = state.hisfull.rows() - 1;
        QString text = QStringLiteral("最新：第 %1 期").arg(state.hisfull.at(newest, 0));
        if (newest < state.hisdate.size() && !state.hisdate[newest].empty())
            text += "  " + QString::fromStdString(state.hisdate[newest]);
        lblzuixin_->setText(text);
    }
    lblzoushi_->setText(state.bianhuan ? QStringLiteral("变幻走势") : QStringLiteral("标准走势"));
    for (QLabel* field : {lblqishu_, lblzuixin_, lblzoushi_})
        field->show();
}

QString MainStatusBar::closedHint() const
{
    const std::string path = document_.state().databasePath();
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::path(path), ec))
        return "找不到数据库文件 " + QString::fromStdString(path);
    std::int64_t draws = 0;
    try {
        quorlin::Database db;
        db.open(path);
        for (const std::string& lottery : quorlin::listlotteries(db))
            draws += quorlin::countDraws(db, lottery);
    } catch (const std::exception& e) {
        return "数据库无法读取：" + QString::fromUtf8(e.what());
    }
    if (draws == 0)
        return QStringLiteral("数据库里还没有开奖号码：请用“彩票数据”菜单的“数据下载”下载，或在“数据添加”中"
                              "录入或导入（每行一期：期号、开奖日期、5 个前区号码和 2 个后区号码）。");
    return QStringLiteral("没有打开彩票：请用“文件 → 打开彩票”选择彩票。");
}
