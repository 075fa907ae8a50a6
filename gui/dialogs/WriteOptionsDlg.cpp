// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/dialogs/WriteOptionsDlg.h"

#include "core/plan/PlanRegion.h"
#include "core/settings/WriteSettings.h"
#include "core/station/RadioProgramming.h"
#include "gui/dialogs/DialogKeyFilter.h"
#include "gui/shell/CommandIds.h"
#include "gui/shell/MessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

CWriteOptionsDlg::CWriteOptionsDlg(QWidget *parent)
    : QDialog(parent)
    , m_readTwice(new QCheckBox(tr("&Read the radio twice and compare"), this))
    , m_backup(new QCheckBox(tr("&Back up the radio before writing"), this))
    , m_verify(new QCheckBox(tr("&Verify after writing"), this))
    , m_folder(new QLineEdit(this))
    , m_openFolder(new QPushButton(tr("Open &Folder"), this))
    , m_operator(new QLineEdit(this))
{
    setObjectName(QStringLiteral("CWriteOptionsDlg"));
    setWindowTitle(tr("Options"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto *layout = new QVBoxLayout(this);
    // The protocol has no checksum: only a second read shows a garbled one.
    m_readTwice->setToolTip(tr("Program > Read and the backup before a write read the radio "
                               "twice and compare; where the two reads differ, a third decides."));
    layout->addWidget(m_readTwice);
    auto *write = new QGroupBox(tr("Program > Write"), this);
    auto *writeLayout = new QVBoxLayout(write);
    writeLayout->addWidget(m_backup);
    writeLayout->addWidget(m_verify);
    layout->addWidget(write);

    auto *folderLabel = new QLabel(tr("Backups folder:"), this);
    layout->addWidget(folderLabel);
    auto *row = new QHBoxLayout;
    m_folder->setReadOnly(true);
    m_folder->setMinimumWidth(360);
    folderLabel->setBuddy(m_folder);
    row->addWidget(m_folder, 1);
    row->addWidget(m_openFolder);
    layout->addLayout(row);
    // Who ran each write, for the programming log; the login name until changed.
    auto *operatorLabel = new QLabel(tr("O&perator (in the programming log):"), this);
    operatorLabel->setBuddy(m_operator);
    layout->addWidget(operatorLabel);
    layout->addWidget(m_operator);

    // The channel check's region rules: none until the user picks a region.
    auto *regionLabel = new QLabel(tr("Re&gion for the channel check:"), this);
    m_region = new QComboBox(this);
    m_region->addItems(RegionNames(CurrentLanguage()));
    regionLabel->setBuddy(m_region);
    auto *regionRow = new QHBoxLayout;
    regionRow->addWidget(regionLabel);
    regionRow->addWidget(m_region, 1);
    layout->addLayout(regionRow);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CWriteOptionsDlg::OnOK);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_openFolder, &QPushButton::clicked, this,
        [this] { OpenFolderForUser(this, m_folder->text()); });
    (new CDialogKeyFilter(this, CDialogKeyFilter::HelpOnly, ctx::WriteOptions))->install();
    OnInitDialog();
}

void CWriteOptionsDlg::OnInitDialog()
{
    const RadioWriteOptions options = LoadWriteOptions();
    m_readTwice->setChecked(options.readTwice);
    m_backup->setChecked(options.backup);
    m_verify->setChecked(options.verify);
    m_folder->setText(QDir::toNativeSeparators(options.backupFolder));
    m_operator->setText(OperatorName());
    m_region->setCurrentIndex(static_cast<int>(LoadPlanRegion()));
}

void CWriteOptionsDlg::OnOK()
{
    RadioWriteOptions options;
    options.backup = m_backup->isChecked();
    options.verify = m_verify->isChecked();
    options.readTwice = m_readTwice->isChecked();
    StoreWriteOptions(options);
    StoreOperatorName(m_operator->text());
    StorePlanRegion(static_cast<PlanRegion>(m_region->currentIndex()));
    accept();
}

void OpenFolderForUser(QWidget *parent, const QString &folder)
{
    // A folder no backup has gone to yet still opens, empty.
    if (!QDir().mkpath(folder) || !QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        AfxMessageBox(parent,
            QCoreApplication::translate("CWriteOptionsDlg",
                "The folder %1 could not be opened. Open it with your file manager.")
                .arg(QDir::toNativeSeparators(folder)),
            QMessageBox::Ok, MsgIcon::Exclamation);
}
