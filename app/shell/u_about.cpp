// Tfrmabout: 关于, the about box.
#include "shell/u_about.h"

#include "shell/side_text_labels.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadialGradient>

namespace {

const QColor kTitleRed(255, 0, 0);
const QColor kInfoBlue(0, 0, 255);

QFont boldItalic(int pixels)
{
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

QLabel* addLabel(QWidget* parent, const char* name, const QRect& geometry, int pixels, const QColor& colour)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setFont(boldItalic(pixels));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

// The box's picture: a red front ball and a blue back ball, as the game draws them.
QPixmap ballsPicture(int size)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const int ball = size * 2 / 3;
    const struct {
        QPoint corner;
        QColor colour;
        const char* number;
    } balls[] = {{{0, 0}, QColor(220, 30, 30), "07"}, {{size - ball, size - ball}, QColor(30, 70, 210), "12"}};
    for (const auto& b : balls) {
        const QRectF area(b.corner, QSizeF(ball, ball));
        QRadialGradient shine(area.center() - QPointF(ball / 6.0, ball / 6.0), ball / 1.6);
        shine.setColorAt(0, b.colour.lighter(170));
        shine.setColorAt(1, b.colour);
        painter.setPen(b.colour.darker(140));
        painter.setBrush(shine);
        painter.drawEllipse(area);
        painter.setPen(Qt::white);
        painter.setFont(boldItalic(ball / 2 - 2));
        painter.drawText(area, Qt::AlignCenter, b.number);
    }
    return picture;
}

} // namespace

Tfrmabout::Tfrmabout(const QString& apppath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("frmabout");
    setWindowTitle("关于本程序");
    setFixedSize(405, 207);

    auto* panel = new QFrame(this);
    panel->setObjectName("panabout");
    panel->setGeometry(6, 6, 393, 160);
    panel->setStyleSheet("QFrame#panabout { background: silver; border: 2px solid teal; border-radius: 10px; }");

    auto* picture = new QLabel(panel);
    picture->setObjectName("imgabout");
    picture->setGeometry(14, 14, 64, 64);
    picture->setPixmap(ballsPicture(64));

    addLabel(panel, "lbltitle", {92, 8, 290, 28}, 20, kTitleRed)->setText("Quorlin12.0版");
    QList<QLabel*> lines;
    for (const char* name : {"lblauthor", "lblbanquan", "lblweb", "lblqq", "lblphone1", "lblphone2", "lblmail"})
        lines.append(addLabel(panel, name, {92, 40 + 16 * static_cast<int>(lines.size()), 292, 16}, 13, kInfoBlue));

    // Where this program keeps the user's data: beside it, or ~/.local/share/quorlin when installed.
    auto* lbldata = new QLabel("数据位置：" + QDir::toNativeSeparators(apppath), this);
    lbldata->setObjectName("lbldata");
    lbldata->setGeometry(8, 168, 310, 36);
    lbldata->setWordWrap(true);
    lbldata->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* btnclose = new QPushButton("关闭", this);
    btnclose->setObjectName("btnclose");
    btnclose->setGeometry(324, 174, 75, 26);
    btnclose->setDefault(true);
    connect(btnclose, &QPushButton::clicked, this, &QDialog::close);

    showSideText(this, apppath + "附属/about.txt", lines);
}
