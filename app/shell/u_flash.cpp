// Tfrmflash: the splash window shown at start.
#include "shell/u_flash.h"

#include "common/message_box.h"
#include "shell/side_text_labels.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int kWidth = 551;
constexpr int kHeight = 337;
// The window closes on the tick after this many.
constexpr int kTicksShown = 4;

QLabel* addLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& style)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setStyleSheet("background: transparent; font-weight: bold; font-style: italic; " + style);
    return label;
}

} // namespace

Tfrmflash::Tfrmflash(const QString& apppath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), timer_(new QTimer(this))
{
    setObjectName("frmflash");
    setFixedSize(kWidth, kHeight);
    // Top-most, but the user's keyboard stays where it was.
    setAttribute(Qt::WA_ShowWithoutActivating);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    auto* imgflash = new QLabel(this);
    imgflash->setObjectName("imgflash");
    imgflash->setGeometry(rect());
    imgflash->setScaledContents(true);

    addLabel(this, "lbltitle", {28, 18, 400, 64}, "color: red; font-size: 44px;")->setText("Quorlin");
    const QString yellow = QStringLiteral("color: yellow; font-size: 13px;");
    QLabel* lblchuping = addLabel(this, "lblchuping", {40, 180, 470, 20}, yellow);
    addLabel(this, "lblshiyong", {40, 204, 470, 20}, yellow)->setText("适用：中国体彩超级大乐透");
    QLabel* lblweb = addLabel(this, "lblweb", {40, 228, 470, 20}, yellow);
    QLabel* lblqq = addLabel(this, "lblqq", {40, 252, 470, 20}, yellow);
    QLabel* lblmail = addLabel(this, "lblmail", {40, 276, 470, 20}, yellow);
    QLabel* lblphone = addLabel(this, "lblphone", {40, 300, 470, 20}, yellow);

    // Line 2 of the file is not shown.
    showSideText(this, apppath + "附属/flash.txt", {lblchuping, nullptr, lblweb, lblqq, lblmail, lblphone});
    const QString picture = apppath + "图片/flash.jpg";
    const QPixmap pixmap(picture);
    if (pixmap.isNull())
        refuse(this, "无法读取图片 " + picture);
    else
        imgflash->setPixmap(pixmap);

    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &Tfrmflash::timerTick);
    timer_->start();
}

void Tfrmflash::setTickInterval(int milliseconds)
{
    timer_->setInterval(milliseconds);
}

void Tfrmflash::timerTick()
{
    if (++ticks_ > kTicksShown) {
        timer_->stop();
        accept();
    }
}

void Tfrmflash::mousePressEvent(QMouseEvent* event)
{
    QDialog::mousePressEvent(event);
    timer_->stop();
    accept();
}
