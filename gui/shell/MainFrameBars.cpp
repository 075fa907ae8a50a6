// SPDX-License-Identifier: GPL-3.0-or-later
// The main frame's menus, toolbar, status bar and navigation bar.
#include "core/app/Globals.h"
#include "core/app/ShellRules.h"
#include "core/app/StringTable.h"
#include "core/settings/IniFile.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/LockKeys.h"
#include "gui/shell/MainFrame.h"
#include "gui/shell/NavBar.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

void CMainFrame::createMenus()
{
    auto menu = [this](const QString &title, const QList<QAction *> &items) {
        auto *m = new QMenu(title, this);
        for (QAction *item : items) {
            if (item)
                m->addAction(item);
            else
                m->addSeparator();
        }
        // F1 over an open menu asks for help on the highlighted command.
        m->installEventFilter(this);
        return m;
    };
    QAction *const separator = nullptr;

    m_menus128 = {
        menu(tr("&File"),
            { action(cmd::FileNew), action(cmd::FileOpen), separator, action(cmd::FilePrintSetup),
                separator, action(cmd::AppExit) }),
        menu(tr("&View"), { action(cmd::ViewToolbar), action(cmd::ViewStatusBar) }),
        menu(tr("&Help"), { m_pAbout128 }),
    };
    m_menus129 = {
        menu(tr("&File"),
            { action(cmd::FileNew), action(cmd::FileOpen), action(cmd::FileClose),
                action(cmd::FileSave), action(cmd::FileSaveAs), action(cmd::CompareWith), separator,
                action(cmd::FilePrint), action(cmd::FilePrintPreview), action(cmd::ExportPdf),
                action(cmd::FilePrintSetup), separator, action(cmd::ImportChannels),
                action(cmd::ExportChannels), action(cmd::PrintChannelSheet),
                action(cmd::ExportChannelSheetPdf), separator, action(cmd::AppExit) }),
        menu(tr("&Edit"),
            { action(cmd::Undo), action(cmd::Redo), separator, action(cmd::Cut), action(cmd::Copy),
                action(cmd::Paste), action(cmd::Clear), separator, action(cmd::InsertChannel),
                action(cmd::DeleteChannel), action(cmd::MoveUp), action(cmd::MoveDown),
                action(cmd::ClearChannel), separator, action(cmd::ProductInfo),
                action(cmd::ChannelInfo), action(cmd::OptionalFeatures) }),
        menu(tr("&Program"),
            { action(cmd::Read), action(cmd::Write), action(cmd::ScanInfo),
                action(cmd::CheckChannels), separator, action(cmd::Backups), separator,
                action(cmd::ProgrammingStation), action(cmd::ProgrammingLog) }),
        menu(tr("&View"),
            { action(cmd::ViewToolbar), action(cmd::ViewStatusBar), action(cmd::ControlBar) }),
        menu(tr("&Setup"),
            { action(cmd::ComSetup), action(cmd::Language), action(cmd::WriteOptions) }),
        menu(tr("&Help"), { action(cmd::AppAbout) }),
    };
}

void CMainFrame::createToolBar()
{
    m_pToolBar = new QToolBar(tr("Standard"), this);
    m_pToolBar->setObjectName(QStringLiteral("toolBar"));
    m_pToolBar->setProperty("ctrlId", 0xE800);
    m_pToolBar->setIconSize(QSize(16, 16));
    m_pToolBar->setFloatable(false);
    const struct
    {
        int id;
        const char *icon;
    } buttons[] = {
        { cmd::FileNew, "new" },
        { cmd::FileOpen, "open" },
        { cmd::FileSave, "save" },
        { 0, nullptr },
        { cmd::Read, "read" },
        { cmd::Write, "write" },
        { 0, nullptr },
        { cmd::FilePrint, "print" },
        { 0, nullptr },
        { cmd::AppAbout, "about" },
    };
    for (const auto &b : buttons) {
        if (!b.icon) {
            m_pToolBar->addSeparator();
            continue;
        }
        QAction *act = action(b.id);
        act->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(b.icon))));
        m_pToolBar->addAction(act);
    }
    addToolBar(Qt::TopToolBarArea, m_pToolBar);

    QAction *toggle = action(cmd::ViewToolbar);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, m_pToolBar, &QWidget::setVisible);
    // The View menu is the one place that shows and hides the bars.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void CMainFrame::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setProperty("ctrlId", 0xE801);
    auto *idle = new QLabel(LoadString(ids::IdleMessage), bar);
    idle->setObjectName(QStringLiteral("messagePane"));
    bar->addWidget(idle, 1);
    const struct
    {
        int id;
        const char *text;
    } panes[] = { { cmd::IndicatorCaps, QT_TR_NOOP("CAP") },
        { cmd::IndicatorNum, QT_TR_NOOP("NUM") }, { cmd::IndicatorScroll, QT_TR_NOOP("SCRL") } };
    for (const auto &p : panes) {
        auto *label = new QLabel(tr(p.text), bar);
        label->setProperty("ctrlId", p.id);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(label->text()) + 12);
        bar->addPermanentWidget(label);
        m_indicators.append(label);
    }
    updateIndicators();
    bool known = false;
    if (QueryLockKey(LockKey::Caps, &known)) {
        // The windowing system sends no event when a lock key changes elsewhere.
        auto *poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, &CMainFrame::updateIndicators);
        poll->start(300);
    }

    QAction *toggle = action(cmd::ViewStatusBar);
    toggle->setChecked(true);
    connect(toggle, &QAction::toggled, bar, &QWidget::setVisible);
}

void CMainFrame::createNavBar()
{
    m_pNavBar = new CNavBar(theIniFile.GetValue(g_strLanguage, QStringLiteral("company")), this);
    QTreeWidget *tree = m_pNavBar->tree();
    auto *root = new QTreeWidgetItem(
        tree, { theIniFile.GetValue(g_strLanguage, QStringLiteral("AppName")) });
    for (const QString &text : NavItemTexts(g_bChinese))
        new QTreeWidgetItem(root, { text });
    root->setExpanded(true);
    tree->setCurrentItem(root);
    connect(m_pNavBar, &CNavBar::itemChosen, this, &CMainFrame::OnSelChangedTree);
    connect(m_pNavBar, &CNavBar::closeClicked, this, &CMainFrame::OnViewControlBar);
    action(cmd::ControlBar)->setChecked(true);
}

void CMainFrame::updateFrameMenu()
{
    const int wanted = m_childFrames.isEmpty() ? 128 : 129;
    if (wanted != m_nMenuId) {
        m_nMenuId = wanted;
        QMenuBar *bar = menuBar();
        // Only detach the menus: they and their actions live with the frame.
        bar->clear();
        for (QMenu *m : (wanted == 128 ? m_menus128 : m_menus129))
            bar->addMenu(m);
    }
    // Commands routed to a view do nothing without one, so they are greyed.
    const bool hasView = activeView() != nullptr;
    for (int id : { cmd::FileClose, cmd::FileSave, cmd::FileSaveAs, cmd::FilePrint,
             cmd::FilePrintPreview, cmd::ExportPdf, cmd::Read, cmd::Write, cmd::ScanInfo,
             cmd::ComSetup, cmd::Language, cmd::ExportChannels, cmd::ImportChannels,
             cmd::PrintChannelSheet, cmd::ExportChannelSheetPdf, cmd::CheckChannels })
        action(id)->setEnabled(hasView);
    updateEditActions();
}

void CMainFrame::updateIndicators()
{
    static const LockKey keys[] = { LockKey::Caps, LockKey::Num, LockKey::Scroll };
    static const char *const texts[] = { QT_TR_NOOP("CAP"), QT_TR_NOOP("NUM"), QT_TR_NOOP("SCRL") };
    for (int i = 0; i < m_indicators.size() && i < 3; ++i) {
        bool on = true;
        // Where the key state is unknown the pane simply shows its name.
        if (!QueryLockKey(keys[i], &on))
            on = true;
        m_indicators[i]->setText(on ? tr(texts[i]) : QString());
    }
}
