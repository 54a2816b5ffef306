#pragma once

#include <QObject>

#include <string>

class DrawDownloader;
class MainStatusBar;

namespace quorlin {
struct DownloadResult;
}

/// 自动下载新开奖: fetches the new draws of 中国体彩超级大乐透 without a window, by the download's own
/// rules, when the status bar's schedule says draws are missing; each page's draws are stored as
/// soon as the page is read. The status bar shows "正在下载新开奖…" and then "已下载 N 期" (nothing
/// when there was nothing new); a failure is a short line there with 重试, never a message box,
/// which names the draws the pages before it stored.
class BackgroundDownload : public QObject {
    Q_OBJECT
public:
    /// `apppath` is the program directory with a trailing "/".
    BackgroundDownload(const std::string& apppath, MainStatusBar& bar, QObject* parent = nullptr);

    /// Starts a download when the status bar says draws are missing and none runs yet.
    void startWhenBehind();
    /// Starts a download unless one runs (重试).
    void start();
    /// Drops a running download; the page under way is not written and the status bar names only
    /// what the pages before it stored.
    void stop();
    bool isRunning() const;

signals:
    /// A download stored `count` new draws.
    void drawsAdded(int count);

private:
    void finished(const quorlin::DownloadResult& result);

    MainStatusBar& bar_;
    DrawDownloader* downloader_;
};
