// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/BackupsDlg.h"

#include "core/app/Language.h"
#include "gui/dialogs/DialogKeyFilter.h"
#include "gui/dialogs/WriteOptionsDlg.h"
#include "gui/shell/AccessibleNames.h"
#include "gui/shell/CommandIds.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

CBackupsDlg::CBackupsDlg(const QString &folder, QWidget *parent)
    : QDialog(parent)
    , m_folder(folder)
    , m_list(new QTreeWidget(this))
    , m_open(new QPushButton(tr("&Open"), this))
{
    setObjectName(QStringLiteral("CBackupsDlg"));
    setWindowTitle(tr("Backups"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto *layout = new QVBoxLayout(this);
    auto *where = new QLabel(tr("Backups of the radio made before each write, in %1")
                                 .arg(QDir::toNativeSeparators(folder)),
        this);
    where->setWordWrap(true);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A list is not read with a label's text, so it gets a name of its own.
    NameControl(m_list, LanguageText("Backups of the radio", "对讲机备份"));
    layout->addWidget(where);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({ tr("Date"), tr("Radio type"), tr("File") });
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_list, 1);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_open, QDialogButtonBox::AcceptRole);
    QPushButton *folderButton
        = buttons->addButton(tr("Open &Folder"), QDialogButtonBox::ActionRole);
    buttons->addButton(tr("Close"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(m_open, &QPushButton::clicked, this, &CBackupsDlg::openSelected);
    connect(
        folderButton, &QPushButton::clicked, this, [this] { OpenFolderForUser(this, m_folder); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemActivated, this, [this] { openSelected(); });
    connect(m_list, &QTreeWidget::currentItemChanged, this,
        [this] { m_open->setEnabled(m_list->currentItem() != nullptr); });
    resize(620, 360);
    (new CDialogKeyFilter(this, CDialogKeyFilter::HelpOnly, ctx::Backups))->install();
    refresh();
}

void CBackupsDlg::refresh()
{
    m_list->clear();
    m_entries = ListBackups(m_folder);
    const QLocale locale;
    for (const BackupEntry &e : std::as_const(m_entries)) {
        auto *row = new QTreeWidgetItem(m_list);
        row->setText(0, locale.toString(e.when, QStringLiteral("yyyy-MM-dd HH:mm:ss")));
        row->setText(1, e.radioType.isEmpty() ? tr("(unknown)") : e.radioType);
        row->setText(2, QFileInfo(e.path).fileName());
        row->setToolTip(2, QDir::toNativeSeparators(e.path));
    }
    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    m_open->setEnabled(m_list->currentItem() != nullptr);
}

bool CBackupsDlg::openSelected()
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0 || row >= m_entries.size())
        return false;
    // Whoever opens the backup accepts the list once it is open.
    setResult(QDialog::Rejected);
    emit openBackupRequested(m_entries.at(row).path);
    return result() == QDialog::Accepted;
}
