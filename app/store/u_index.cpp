// Tfrmindex: 彩票操作, the registry dialog that opens a lottery.
#include "store/u_index.h"

#include "common/error_handler.h"
#include "common/message_box.h"
#include "common/placed_widgets.h"
#include "shell/lottery_document.h"
#include "store/database.h"
#include "store/lottery_catalog.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <utility>

namespace {

constexpr int kClientWidth = 295;
constexpr int kClientHeight = 332;
constexpr int kWeekGroupWidth = 121;
constexpr int kWeekGroupHeight = 57;
// The definition fields stand in a column right of the list.
constexpr int kFieldLeft = 142;
constexpr int kFieldWidth = 145;
constexpr int kValueLeft = 224;
constexpr int kValueWidth = 63;
// Where a classic group box's content begins below its title; the weekday layout is measured for it.
constexpr int kClassicContentTop = 12;

QLineEdit* addField(QWidget* parent, const char* name, const QRect& geometry, const QString& designText = {})
{
    auto* edit = new QLineEdit(designText, parent);
    edit->setObjectName(name);
    edit->setGeometry(geometry);
    edit->setReadOnly(true);
    edit->setEnabled(false);
    return edit;
}

} // namespace

Tfrmindex::Tfrmindex(LotteryDocument& document, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint),
      document_(document)
{
    setObjectName("frmindex");
    setWindowTitle("彩票操作");
    setFixedSize(kClientWidth, kClientHeight);

    addLabel(this, "Label1", "选择彩票：", {8, 8, 120, 16});
    lstcaipiao_ = new QListWidget(this);
    lstcaipiao_->setObjectName("lstcaipiao");
    lstcaipiao_->setGeometry(8, 26, 128, 298);
    buildDefinitionFields();

    addButton(this, "btnadd", "添加彩票", {kFieldLeft, 262, 70, 28})->setEnabled(false);
    addButton(this, "btndel", "删除彩票", {kFieldLeft + 75, 262, 70, 28})->setEnabled(false);
    QPushButton* btnopen = addButton(this, "btnopen", "打开彩票", {kFieldLeft, 296, 70, 28});
    QPushButton* btnext = addButton(this, "btnext", "退出", {kFieldLeft + 75, 296, 70, 28});

    // Enter opens the selected lottery.
    btnopen->setDefault(true);

    // A click reads the definition again, also on the lottery already selected; moving the
    // selection with the keyboard shows the new one.
    lstcaipiao_->viewport()->installEventFilter(this);
    connect(lstcaipiao_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* current) {
        shownOnPress_ = true;
        if (current)
            showDefinition(current->text());
        else
            clearDefinition();
    });
    connect(lstcaipiao_, &QListWidget::itemClicked, this, [this] {
        if (!std::exchange(shownOnPress_, false))
            lstcaipiaoClick();
    });
    connect(lstcaipiao_, &QListWidget::itemDoubleClicked, this, &Tfrmindex::lstcaipiaoDblClick);
    connect(btnopen, &QPushButton::clicked, this, &Tfrmindex::btnopenClick);
    connect(btnext, &QPushButton::clicked, this, &QDialog::reject);
    listlotteries();
    // With one lottery there is nothing to choose: it is selected and shown.
    if (lstcaipiao_->count() == 1)
        lstcaipiao_->setCurrentRow(0);
}

bool Tfrmindex::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lstcaipiao_->viewport() && event->type() == QEvent::MouseButtonPress)
        shownOnPress_ = false;
    return QDialog::eventFilter(watched, event);
}

void Tfrmindex::buildDefinitionFields()
{
    addLabel(this, "Label2", "彩票名称：", {kFieldLeft, 8, kFieldWidth, 16});
    edtcainame_ = addField(this, "edtcainame", {kFieldLeft, 26, kFieldWidth, 22});

    optcaitype_ = new QGroupBox("彩票类型：", this);
    optcaitype_->setObjectName("optcaitype");
    optcaitype_->setGeometry(kFieldLeft, 52, kFieldWidth, 46);
    caitypeItems_[0] = new QRadioButton("乐透型", optcaitype_);
    caitypeItems_[0]->setGeometry(6, 20, 68, 20);
    caitypeItems_[1] = new QRadioButton("数字型", optcaitype_);
    caitypeItems_[1]->setGeometry(74, 20, 68, 20);
    caitypeItems_[1]->setChecked(true);
    optcaitype_->setEnabled(false);

    addLabel(this, "Label4", "号码总数：", {kFieldLeft, 104, 82, 22});
    edtcaisum_ = addField(this, "edtcaisum", {kValueLeft, 104, kValueWidth, 22}, "10");
    addLabel(this, "Label5", "选择号码数：", {kFieldLeft, 130, 82, 22});
    edtcaisel_ = addField(this, "edtcaisel", {kValueLeft, 130, kValueWidth, 22}, "3");
    addLabel(this, "Label6", "开奖时间：", {kFieldLeft, 156, 82, 22});
    edtcaitime_ = addField(this, "edtcaitime", {kValueLeft, 156, kValueWidth, 22});
    buildWeekdayBoxes();
}

void Tfrmindex::buildWeekdayBoxes()
{
    grpweek_ = new QGroupBox("开奖星期：", this);
    grpweek_->setObjectName("grpweek");
    // The boxes are narrow (a quarter of the group each): keep the gap to their digit small.
    grpweek_->setStyleSheet("QCheckBox { spacing: 2px; }");
    // This style draws the title above the frame line, not across it: move the boxes down by the
    // difference so they stand inside the frame.
    const int shift = std::max(0, grpweek_->contentsRect().top() - kClassicContentTop);
    grpweek_->setGeometry(kFieldLeft, 186, kWeekGroupWidth, kWeekGroupHeight + shift);

    const int w = kWeekGroupWidth / 4 - 6;
    const int h = kWeekGroupHeight / 2;
    for (int k = 1; k <= 7; ++k) {
        auto* box = new QCheckBox(QString::number(k), grpweek_);
        box->setObjectName(QStringLiteral("chkweek%1").arg(k));
        box->setGeometry((k - 1) % 4 * (w + 6) + 5, shift + (k <= 4 ? 10 : h), w, h);
        weekboxes_[static_cast<std::size_t>(k)] = box;
    }
    grpweek_->setEnabled(false);
}

void Tfrmindex::listlotteries()
{
    lstcaipiao_->clear();
    runGuarded(this, [this] {
        quorlin::Database db;
        db.open(document_.state().databasePath());
        for (const std::string& name : quorlin::listlotteries(db))
            lstcaipiao_->addItem(QString::fromStdString(name));
    });
}

void Tfrmindex::lstcaipiaoClick()
{
    if (const QListWidgetItem* current = lstcaipiao_->currentItem())
        showDefinition(current->text());
}

void Tfrmindex::lstcaipiaoDblClick()
{
    lstcaipiaoClick();
    btnopenClick();
}

void Tfrmindex::clearDefinition()
{
    shown_.reset();
    edtcainame_->clear();
    // Radio buttons of one group cannot all be unchecked while they exclude each other.
    for (QRadioButton* item : caitypeItems_) {
        item->setAutoExclusive(false);
        item->setChecked(false);
        item->setAutoExclusive(true);
    }
    edtcaisum_->clear();
    edtcaisel_->clear();
    edtcaitime_->clear();
    for (int k = 1; k <= 7; ++k)
        weekboxes_[static_cast<std::size_t>(k)]->setChecked(false);
}

void Tfrmindex::showDefinition(const QString& lottery)
{
    // Until a definition has been read nothing is shown, so 打开彩票 cannot open a lottery other
    // than the one selected, and a failed read leaves no field of the one shown before.
    clearDefinition();
    runGuarded(this, [&] {
        quorlin::Database db;
        db.open(document_.state().databasePath());
        shown_ = quorlin::readDefinition(db, lottery.toStdString());
    });
    if (!shown_)
        return;
    edtcainame_->setText(QString::fromStdString(shown_->name));
    for (std::size_t i = 0; i < caitypeItems_.size(); ++i)
        caitypeItems_[i]->setChecked(static_cast<int>(i) == shown_->type);
    edtcaisum_->setText(QString::number(shown_->numberTotal));
    edtcaisel_->setText(QString::number(shown_->numberCount));
    edtcaitime_->setText(QString::fromStdString(shown_->drawTime));
    for (const char day : shown_->drawWeekdays) {
        if (day >= '1' && day <= '7')
            weekboxes_[static_cast<std::size_t>(day - '0')]->setChecked(true);
    }
}

void Tfrmindex::btnopenClick()
{
    if (!shown_ || edtcainame_->text().isEmpty()) {
        refuse(this, "请选择彩票！");
        return;
    }
    if (runGuarded(this, [this] { document_.open(*shown_); }))
        accept();
}

void Tfrmindex::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this);
}
