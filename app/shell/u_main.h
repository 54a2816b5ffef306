#pragma once

#include "shell/main_commands.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <string>

class LotteryDocument;
class QAction;
class QFrame;
class QGridLayout;
class QLabel;
class QTabBar;
class BackgroundDownload;
class QToolBar;
class MainStatusBar;
class Tfrmindex;
class ToolWindowRegistry;

/// The main window: menus, toolbar and analysis tab strip, the one analysis view of the selected
/// tab, and the commands that open and close a lottery and switch its number mapping.
class Tfrmmain : public QMainWindow {
    Q_OBJECT
public:
    using ViewFactory = std::function<QWidget*(LotteryDocument& document, QWidget* parent)>;

    explicit Tfrmmain(LotteryDocument& document, QWidget* parent = nullptr);
    ~Tfrmmain() override;

    /// The open lottery every window reads.
    LotteryDocument& document() { return document_; }
    /// The tool windows; registering a window's factory makes the items that open it usable.
    ToolWindowRegistry& tools() { return *tools_; }
    /// Makes the analysis view of tab `tab` available (its tab and menu item become usable).
    void registerView(int tab, ViewFactory factory);
    /// Gives a menu item or toolbar command (by its objectName) its action and makes it usable.
    void installHandler(const QString& command, std::function<void()> handler);

    /// Enables every command that may be used now: what the open state allows and what exists.
    void refreshmenus();
    /// 关闭彩票: closes the analysis view and every tool window (stopping their tasks), then the
    /// lottery. The commands that change the database run it first.
    void closeLottery();
    /// Runs `change`, a command that rewrites the database, with the lottery closed as above; then
    /// opens the lottery that was open again, on the analysis tab that was shown. A lottery that
    /// cannot be opened again is reported and stays closed. When a tool window holds an unsaved
    /// result and the user keeps it, nothing runs.
    void runWithLotteryClosed(const std::function<void()>& change);
    /// The analysis view shown in the client area, or null.
    QWidget* currentView() const { return view_; }
    /// The status line.
    MainStatusBar& mainStatusBar() { return *statusBar_; }

    /// What the program does once the window is shown: fetches missing draws in the background and
    /// from then on whenever a draw time passes (unless the option says not to); opens the lottery
    /// opened last (unless the option says not to), or else shows 打开彩票's dialog, after the reason
    /// when the last lottery cannot be opened.
    void startUp();

protected:
    void changeEvent(QEvent* event) override;
    /// Closing the program closes the lottery, which keeps the tool windows' places; when a tool
    /// window holds an unsaved result, only once the user agrees to lose it.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// A menu item or toolbar button with the command it runs.
    struct CommandAction {
        QAction* action;
        QString command;
        Availability availability;
    };

    void buildMenus();
    void buildToolBar();
    void buildClientArea();
    QAction* addCommandAction(const char* name, const char* caption, const QString& command, Availability availability);

    bool commandReady(const QString& command) const;
    void runCommand(const QString& command);
    void mnuopenClick();
    void mnucloseClick();
    /// Whether closing the lottery may go on: at once, or after the user agreed to lose the
    /// unsaved results of the tool windows.
    bool mayCloseLottery();
    void mnuoptionsClick();
    void openLastLottery();
    void downloadWhenDue();
    void newDrawsStored(int count);
    void tlbbiaozhunClick();
    void tlbbianwanClick();
    void mappingChanged();
    void showMapping();
    void selectAnalysisTab(int tab);
    void tabmainChange(int tab);
    void destroyView();
    void lotteryOpened();
    void lotteryClosed();
    void reopenLottery(const std::string& name, int tab);
    void placeTabStrip();
    void fitTabCaptions(int width);

    LotteryDocument& document_;
    ToolWindowRegistry* tools_;
    QHash<QString, std::function<void()>> builtins_;
    QHash<QString, std::function<void()>> handlers_;
    QHash<QString, QString> commandTools_;
    QHash<QString, int> commandTabs_;
    QHash<int, ViewFactory> views_;
    QList<CommandAction> actions_;

    QToolBar* tlbmain_ = nullptr;
    QWidget* exitButton_ = nullptr;
    QTabBar* tabmain_ = nullptr;
    QWidget* client_ = nullptr;
    QGridLayout* clientLayout_ = nullptr;
    QLabel* imageback_ = nullptr;
    QFrame* pan_ = nullptr;
    QLabel* panclose_ = nullptr;
    MainStatusBar* statusBar_ = nullptr;
    BackgroundDownload* backgroundDownload_ = nullptr;
    bool started_ = false;
    QAction* tlbbiaozhun_ = nullptr;
    QAction* tlbbianwan_ = nullptr;
    QPointer<QWidget> view_;
    QPointer<Tfrmindex> frmindex_;
};
