#pragma once

#include <QDialog>

class QLabel;

/// 关于本程序: the about box with the program's title and the seven lines of "附属/about.txt".
/// Not modal; its close hides it, and the main window shows the same box again.
class Tfrmabout : public QDialog {
    Q_OBJECT
public:
    /// Reads "附属/about.txt" below `apppath` (the program directory with a trailing "/").
    explicit Tfrmabout(const QString& apppath, QWidget* parent = nullptr);
};
