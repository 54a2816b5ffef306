#include "shell/side_text_labels.h"

#include "common/message_box.h"
#include "common/side_text.h"

#include <QLabel>

void showSideText(QWidget* window, const QString& path, const QList<QLabel*>& labels)
{
    const quorlin::SideText text = quorlin::readSideText(path.toStdString());
    for (qsizetype k = 0; k < labels.size() && k < static_cast<qsizetype>(text.lines.size()); ++k) {
        if (labels[k])
            labels[k]->setText(QString::fromStdString(text.lines[static_cast<std::size_t>(k)]));
    }
    if (!text.error.empty())
        refuse(window, QString::fromStdString(text.error));
}
