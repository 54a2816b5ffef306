#include "common/unsaved_result.h"

#include "common/message_box.h"

bool UnsavedResult::mayDiscard(QWidget* parent, QStringList results)
{
    results.removeAll(QString());
    if (results.isEmpty())
        return true;
    const QString text =
        QStringLiteral("%1还没有保存，继续将丢失。确定不保存而继续吗？").arg(results.join(QStringLiteral("、")));
    return MessageBox::question(parent, QStringLiteral("提示"), text, QMessageBox::Yes | QMessageBox::No,
                                QMessageBox::No) == QMessageBox::Yes;
}
