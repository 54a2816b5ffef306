// Tfrmmain: the main window with its menus, toolbar, analysis tabs and status bar.
#include "shell/u_main.h"

#include "analysis/indicator_texts.h"
#include "common/app_settings.h"
#include "common/definition_tip.h"
#include "common/error_handler.h"
#include "common/message_box.h"
#include "common/unsaved_result.h"
#include "shell/background_download.h"
#include "shell/lottery_document.h"
#include "shell/main_status_bar.h"
#include "shell/tool_window_registry.h"
#include "shell/u_options.h"
#include "store/database.h"
#include "store/lottery_catalog.h"
#include "store/u_index.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int kToolBarHeight = 40;
constexpr int kToolButtonWidth = 55;
constexpr int kToolButtonHeight = 36;
// Room the tab strip leaves free at the right end of the toolbar.
constexpr int kTabStripRightGap = 10;
const QColor kSilver(192, 192, 192);
// The total filter offers its red-ball choice only for real numbers, so it must exist to follow a
// mapping switch: it reads the mapping on creation and on every mappingChanged.
const QString kTotalFilterKey = QStringLiteral("Tfrmtotalfilt");
// The tab of the zone view, the last analysis tab.
constexpr int kZoneTab = 9;

// The full caption and, for a tab that shows an indicator, its definition.
QString tabToolTip(int tab, const char* caption)
{
    for (const quorlin::IndicatorTexts& texts : quorlin::indicatorWindows())
        if (texts.tab == tab)
            return QString::fromUtf8(caption) + '\n' + definitionTip(quorlin::termOf(texts.indicator));
    if (tab == kZoneTab)
        return QString::fromUtf8(caption) + '\n' + definitionTip(quorlin::Term::ZoneCount);
    return QString::fromUtf8(caption);
}

} // namespace

Tfrmmain::Tfrmmain(LotteryDocument& document, QWidget* parent)
    : QMainWindow(parent), document_(document), tools_(new ToolWindowRegistry(this))
{
    setObjectName("frmmain");
    setWindowTitle("Quorlin");
    setContextMenuPolicy(Qt::PreventContextMenu);

    builtins_.insert("mnuopen", [this] { mnuopenClick(); });
    builtins_.insert("mnuclose", [this] { mnucloseClick(); });
    builtins_.insert("mnuoptions", [this] { mnuoptionsClick(); });
    builtins_.insert("mnuexit", [this] { close(); });
    builtins_.insert("tlbbiaozhun", [this] { tlbbiaozhunClick(); });
    builtins_.insert("tlbbianwan", [this] { tlbbianwanClick(); });
    buildMenus();
    buildToolBar();
    buildClientArea();
    statusBar_ = new MainStatusBar(document_, this);
    setStatusBar(statusBar_);
    connect(statusBar_, &MainStatusBar::downloadRequested, this, [this] { runCommand("mnudownload"); });
    backgroundDownload_ = new BackgroundDownload(document_.state().apppath, *statusBar_, this);
    connect(statusBar_, &MainStatusBar::drawsMissing, this, &Tfrmmain::downloadWhenDue);
    connect(statusBar_, &MainStatusBar::retryRequested, backgroundDownload_, &BackgroundDownload::start);
    connect(backgroundDownload_, &BackgroundDownload::drawsAdded, this, &Tfrmmain::newDrawsStored);

    connect(tools_, &ToolWindowRegistry::factoriesChanged, this, &Tfrmmain::refreshmenus);
    connect(&document_, &LotteryDocument::opened, this, &Tfrmmain::lotteryOpened);
    connect(&document_, &LotteryDocument::closed, this, &Tfrmmain::lotteryClosed);
    // Whoever switches the mapping (the toolbar, or a search driving the document), the main
    // window follows it from here.
    connect(&document_, &LotteryDocument::mappingChanged, this, &Tfrmmain::mappingChanged);
    connect(&document_, &LotteryDocument::busyChanged, this, &Tfrmmain::refreshmenus);
    refreshmenus();
}

Tfrmmain::~Tfrmmain() = default;

void Tfrmmain::registerView(int tab, ViewFactory factory)
{
    views_.insert(tab, std::move(factory));
    refreshmenus();
}

void Tfrmmain::installHandler(const QString& command, std::function<void()> handler)
{
    handlers_.insert(command, std::move(handler));
    refreshmenus();
}

void Tfrmmain::buildMenus()
{
    menuBar()->setObjectName("mnumain");
    for (const MenuEntry& menuEntry : mainMenus()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(menuEntry.caption));
        menu->setObjectName(menuEntry.name);
        for (const MenuItemEntry& item : menuEntry.items) {
            menu->addAction(addCommandAction(item.name, item.caption, item.name, item.availability));
            if (item.toolKey)
                commandTools_.insert(item.name, item.toolKey);
            if (item.tab >= 0)
                commandTabs_.insert(item.name, item.tab);
        }
    }
}

void Tfrmmain::buildToolBar()
{
    tlbmain_ = addToolBar(QString());
    tlbmain_->setObjectName("tlbmain");
    tlbmain_->setMovable(false);
    tlbmain_->setFloatable(false);
    tlbmain_->setFixedHeight(kToolBarHeight);
    tlbmain_->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const ToolButtonEntry& entry : mainToolButtons()) {
        if (entry.separatorBefore)
            tlbmain_->addSeparator();
        QAction* action = addCommandAction(entry.name, entry.caption, entry.command, entry.availability);
        action->setToolTip(QString::fromUtf8(entry.hint));
        tlbmain_->addAction(action);
        QWidget* button = tlbmain_->widgetForAction(action);
        button->setObjectName(entry.name);
        button->setFixedSize(kToolButtonWidth, kToolButtonHeight);
        if (action->objectName() == "tlbexit")
            exitButton_ = button;
        if (action->objectName() == "tlbbiaozhun")
            tlbbiaozhun_ = action;
        if (action->objectName() == "tlbbianwan")
            tlbbianwan_ = action;
    }

    // The two mapping buttons show which mapping is active.
    for (QAction* mapping : {tlbbiaozhun_, tlbbianwan_})
        mapping->setCheckable(true);

    tabmain_ = new QTabBar(tlbmain_);
    tabmain_->setObjectName("tabmain");
    tabmain_->setDrawBase(false);
    tabmain_->setUsesScrollButtons(true);
    for (const char* caption : analysisTabCaptions()) {
        const int tab = tabmain_->addTab(QString::fromUtf8(caption));
        tabmain_->setTabToolTip(tab, tabToolTip(tab, caption));
    }
    tabmain_->hide();
    connect(tabmain_, &QTabBar::currentChanged, this, &Tfrmmain::tabmainChange);
    // The tab strip follows the toolbar's width and the exit button's place.
    tlbmain_->installEventFilter(this);
    exitButton_->installEventFilter(this);
}

void Tfrmmain::buildClientArea()
{
    client_ = new QWidget(this);
    client_->setObjectName("client");
    QPalette silver = client_->palette();
    silver.setColor(QPalette::Window, kSilver);
    client_->setPalette(silver);
    client_->setAutoFillBackground(true);
    clientLayout_ = new QGridLayout(client_);
    clientLayout_->setContentsMargins(0, 0, 0, 0);

    imageback_ = new QLabel(client_);
    imageback_->setObjectName("imageback");
    imageback_->setScaledContents(true);
    imageback_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    // The background picture is decoration: without it the client area stays silver.
    const QPixmap back(QString::fromStdString(document_.state().apppath) + "图片/back.bmp");
    if (!back.isNull())
        imageback_->setPixmap(back);
    clientLayout_->addWidget(imageback_, 0, 0);
    setCentralWidget(client_);

    // The advertising banner; the program has no banner address, so it stays hidden.
    pan_ = new QFrame(client_);
    pan_->setObjectName("pan");
    pan_->setFixedSize(900, 120);
    auto* imggif = new QLabel(pan_);
    imggif->setObjectName("imggif");
    imggif->setGeometry(0, 0, 900, 120);
    imggif->setScaledContents(true);
    imggif->setCursor(Qt::PointingHandCursor);
    panclose_ = new QLabel(QStringLiteral("×"), pan_);
    panclose_->setObjectName("panclose");
    panclose_->setGeometry(840, 10, 25, 25);
    panclose_->setAlignment(Qt::AlignCenter);
    panclose_->setCursor(Qt::PointingHandCursor);
    panclose_->setStyleSheet("background: #404040; color: palette(window); font-size: 24px;");
    panclose_->installEventFilter(this);
    pan_->hide();
}

QAction* Tfrmmain::addCommandAction(const char* name, const char* caption, const QString& command,
                                    Availability availability)
{
    auto* action = new QAction(QString::fromUtf8(caption), this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    actions_.append({action, command, availability});
    return action;
}

bool Tfrmmain::commandReady(const QString& command) const
{
    if (builtins_.contains(command) || handlers_.contains(command))
        return true;
    if (commandTabs_.contains(command))
        return views_.contains(commandTabs_.value(command));
    return commandTools_.contains(command) && tools_->has(commandTools_.value(command));
}

void Tfrmmain::refreshmenus()
{
    const bool open = document_.state().caiopen;
    for (const CommandAction& entry : std::as_const(actions_)) {
        const bool allowed = entry.availability == Availability::Always || open;
        entry.action->setEnabled(allowed && commandReady(entry.command));
    }
    // A background task reads the display tables: the mapping stays as it is until it ends.
    if (document_.busy()) {
        tlbbiaozhun_->setEnabled(false);
        tlbbianwan_->setEnabled(false);
    }
    showMapping();
    // Disabling the current tab moves the strip on to the next enabled one; that is no choice of
    // the user's and must not create a view (after a close it would open one on no lottery).
    const QSignalBlocker blocker(tabmain_);
    for (int tab = 0; tab < tabmain_->count(); ++tab)
        tabmain_->setTabEnabled(tab, open && views_.contains(tab));
}

void Tfrmmain::runCommand(const QString& command)
{
    runGuarded(this, [&] {
        if (const auto builtin = builtins_.constFind(command); builtin != builtins_.constEnd())
            (*builtin)();
        else if (commandTabs_.contains(command))
            selectAnalysisTab(commandTabs_.value(command));
        else if (commandTools_.contains(command) && tools_->has(commandTools_.value(command)))
            tools_->show(commandTools_.value(command));
        else if (const auto handler = handlers_.constFind(command); handler != handlers_.constEnd())
            (*handler)();
    });
    // A checkable button toggles itself even when its command was refused.
    showMapping();
    // Data entry, download and restore change the draws while no lottery is open.
    statusBar_->refresh();
}

void Tfrmmain::mnuopenClick()
{
    if (!mayCloseLottery())
        return;
    closeLottery();
    if (!frmindex_)
        frmindex_ = new Tfrmindex(document_, this);
    // A successful open discards the dialog so that the next one lists the lotteries afresh.
    if (frmindex_->exec() == QDialog::Accepted)
        delete frmindex_.data();
}

void Tfrmmain::mnucloseClick()
{
    if (mayCloseLottery())
        closeLottery();
}

bool Tfrmmain::mayCloseLottery()
{
    return UnsavedResult::mayDiscard(this, tools_->unsavedResults());
}

void Tfrmmain::mnuoptionsClick()
{
    Tfrmoptions frmoptions(this);
    frmoptions.exec();
}

void Tfrmmain::startUp()
{
    started_ = true;
    // The download runs beside the open; a lottery opened before it ends is opened again with its
    // new draws.
    if (AppSettings::flag(AppSettings::kAutoDownload, true))
        backgroundDownload_->startWhenBehind();
    openLastLottery();
}

void Tfrmmain::openLastLottery()
{
    const QString last = AppSettings::value(AppSettings::kLastLottery).toString();
    if (!AppSettings::flag(AppSettings::kOpenLastLottery, true) || last.isEmpty()) {
        runCommand("mnuopen");
        return;
    }
    try {
        quorlin::Database db;
        db.open(document_.state().databasePath());
        document_.open(quorlin::readDefinition(db, last.toStdString()));
        return;
    } catch (const std::exception& error) {
        refuse(this, QStringLiteral("无法打开上次的彩票《%1》：%2。请选择要打开的彩票。")
                         .arg(last, QString::fromStdString(error.what())));
    }
    runCommand("mnuopen");
}

void Tfrmmain::downloadWhenDue()
{
    if (started_ && AppSettings::flag(AppSettings::kAutoDownload, true))
        backgroundDownload_->startWhenBehind();
}

void Tfrmmain::newDrawsStored(int count)
{
    // The open lottery shows the new draws when it is opened again; that closes the tool windows, so
    // it waits while one is shown or holds an unsaved result, or a task reads the draws.
    const quorlin::LotteryState& state = document_.state();
    if (!state.caiopen || state.cainame != quorlin::kShippedLottery)
        return;
    if (tools_->anyShown() || !tools_->unsavedResults().isEmpty() || document_.busy()) {
        statusBar_->showDownloadState(QStringLiteral("已下载 %1 期，重新打开彩票后显示").arg(count));
        return;
    }
    runWithLotteryClosed([] {});
}

void Tfrmmain::closeLottery()
{
    // The views and tool windows go first: a tool window stops and waits for its background task,
    // which releases the lottery state before the document closes it.
    destroyView();
    tools_->closeAll();
    document_.close();
}

void Tfrmmain::runWithLotteryClosed(const std::function<void()>& change)
{
    if (!mayCloseLottery())
        return;
    // The change and a background download would both write the draws.
    backgroundDownload_->stop();
    const bool wasOpen = document_.state().caiopen;
    const std::string name = document_.state().cainame;
    const int tab = tabmain_->currentIndex();
    closeLottery();
    try {
        change();
    } catch (...) {
        if (wasOpen)
            reopenLottery(name, tab);
        throw;
    }
    if (wasOpen)
        reopenLottery(name, tab);
}

void Tfrmmain::reopenLottery(const std::string& name, int tab)
{
    try {
        quorlin::Database db;
        db.open(document_.state().databasePath());
        document_.open(quorlin::readDefinition(db, name));
    } catch (const std::exception& error) {
        refuse(this, QStringLiteral("无法重新打开彩票《%1》：%2。彩票已关闭，请用“打开彩票”选择。")
                         .arg(QString::fromStdString(name), QString::fromStdString(error.what())));
        return;
    }
    if (tab > 0 && tabmain_->isTabEnabled(tab))
        selectAnalysisTab(tab);
}

void Tfrmmain::tlbbiaozhunClick()
{
    document_.setStandard();
}

void Tfrmmain::tlbbianwanClick()
{
    document_.setTransformed();
}

void Tfrmmain::mappingChanged()
{
    tools_->ensure(kTotalFilterKey);
    showMapping();
}

void Tfrmmain::showMapping()
{
    const quorlin::LotteryState& state = document_.state();
    tlbbiaozhun_->setChecked(state.caiopen && !state.bianhuan);
    tlbbianwan_->setChecked(state.caiopen && state.bianhuan);
}

void Tfrmmain::selectAnalysisTab(int tab)
{
    {
        const QSignalBlocker blocker(tabmain_);
        tabmain_->setCurrentIndex(tab);
    }
    tabmainChange(tab);
}

void Tfrmmain::tabmainChange(int tab)
{
    destroyView();
    const auto factory = views_.constFind(tab);
    if (factory == views_.constEnd())
        return;
    runGuarded(this, [&] {
        view_ = (*factory)(document_, client_);
        clientLayout_->addWidget(view_, 0, 0);
        view_->show();
        view_->raise();
    });
}

void Tfrmmain::destroyView()
{
    delete view_.data();
}

void Tfrmmain::lotteryOpened()
{
    placeTabStrip();
    {
        const QSignalBlocker blocker(tabmain_);
        tabmain_->setCurrentIndex(0);
    }
    tabmain_->show();
    setWindowTitle("Quorlin《" + QString::fromStdString(document_.state().cainame) + "》");
    AppSettings::setValue(AppSettings::kLastLottery, QString::fromStdString(document_.state().cainame));
    refreshmenus();
    tabmainChange(0);
}

void Tfrmmain::lotteryClosed()
{
    destroyView();
    tools_->closeAll();
    tabmain_->hide();
    setWindowTitle("Quorlin");
    refreshmenus();
}

void Tfrmmain::placeTabStrip()
{
    const int left = exitButton_->geometry().right() + 1;
    const int width = std::max(0, tlbmain_->contentsRect().width() - left - kTabStripRightGap);
    fitTabCaptions(width);
    const int height = std::min(tabmain_->sizeHint().height(), kToolBarHeight);
    tabmain_->setGeometry(left, kToolBarHeight - height, width, height);
}

void Tfrmmain::fitTabCaptions(int width)
{
    // Beside the toolbar of a 1280-pixel screen the full captions would be cut; the indicator names
    // alone fit ("号码大小分析" is shown "大小"), the full caption stays the tab's tooltip.
    static const QRegularExpression frame(QStringLiteral("^号码|分析$"));
    const auto& captions = analysisTabCaptions();
    for (bool shortened : {false, true}) {
        for (int tab = 0; tab < tabmain_->count(); ++tab) {
            const QString caption = QString::fromUtf8(captions[static_cast<std::size_t>(tab)]);
            tabmain_->setTabText(tab, shortened ? QString(caption).remove(frame) : caption);
        }
        if (tabmain_->sizeHint().width() <= width)
            return;
    }
}

void Tfrmmain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        refreshmenus();
}

void Tfrmmain::closeEvent(QCloseEvent* event)
{
    if (!mayCloseLottery()) {
        event->ignore();
        return;
    }
    backgroundDownload_->stop();
    closeLottery();
    QMainWindow::closeEvent(event);
}

void Tfrmmain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    pan_->move((client_->width() - pan_->width()) / 2, 200);
}

bool Tfrmmain::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((watched == tlbmain_ || watched == exitButton_) && (type == QEvent::Resize || type == QEvent::Move))
        placeTabStrip();
    else if (watched == panclose_ && type == QEvent::MouseButtonPress)
        pan_->hide();
    return QMainWindow::eventFilter(watched, event);
}
