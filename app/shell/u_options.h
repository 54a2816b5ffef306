#pragma once

#include <QDialog>

class QCheckBox;

/// 选项: what the program does by itself at start — open the lottery opened last, and fetch the
/// new draws in the background. 确定 keeps the choices in the settings, 取消 leaves them.
class Tfrmoptions : public QDialog {
    Q_OBJECT
public:
    explicit Tfrmoptions(QWidget* parent = nullptr);

    void accept() override;

private:
    QCheckBox* chkshangci_;
    QCheckBox* chkzidong_;
};
