#pragma once

#include <QDialog>

#include <string>

class DrawDownloader;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace quorlin {
struct DownloadResult;
}

/// 数据下载: adds the newly published draws of 中国体彩超级大乐透 to its draw table, from the results
/// service or a results page. One download per showing; the window then closes itself and says what
/// the download did.
class Tfrmdownload2 : public QDialog {
    Q_OBJECT
public:
    /// `apppath` is the program directory with a trailing "/".
    explicit Tfrmdownload2(const std::string& apppath, QWidget* parent = nullptr);
    ~Tfrmdownload2() override;

protected:
    void showEvent(QShowEvent* event) override;
    /// Escape stops a running download instead of leaving it behind.
    void reject() override;

private:
    void btndownClick();
    void pageStarted(int page);
    void showProgress(qint64 received, qint64 total);
    void downloadFinished(const quorlin::DownloadResult& result);

    QLabel* lbltishi_;
    QComboBox* comdown_;
    QPushButton* btndown_;
    QPushButton* btnclose_;
    QLabel* lbltitle_;
    QProgressBar* prgdown_;
    QPushButton* btnstop_;
    DrawDownloader* downloader_;
};
