// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/ProgramDoc.h"

#include "core/app/Globals.h"
#include "core/document/BackupGuard.h"
#include "core/document/BackupStore.h"
#include "core/document/FileName.h"
#include "core/document/FileRead.h"
#include "core/document/FileWrite.h"
#include "core/settings/IniFile.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

std::uint8_t g_bNewImage = 0;

CProgramDoc::CProgramDoc(QObject *parent)
    : QObject(parent)
{
}

bool CProgramDoc::OnNewDocument()
{
    m_image = MemoryImage::defaults();
    m_title = LanguageText("Channel Information", "信道信息");
    m_pathName = theIniFile.GetValue(QStringLiteral("Setup"), QStringLiteral("AppName"));
    m_backupCopy = false;
    g_bNewImage = 1;
    return true;
}

bool CProgramDoc::OnOpenDocument(const QString &path, QString *error)
{
    const QString shown = QDir::toNativeSeparators(path);
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    // Only a regular file is read: a FIFO or a device would keep the program waiting.
    const fileread::ReadResult read = fileread::ReadExactFile(path, mem::ImageSize);
    switch (read.problem) {
    case fileread::ReadProblem::None:
        break;
    case fileread::ReadProblem::Folder:
        return fail(LanguageText("Cannot open %1: it is a folder, not a channel file.",
            "无法打开 %1：这是一个文件夹，不是信道文件。")
                        .arg(shown));
    case fileread::ReadProblem::NotRegular:
        return fail(
            LanguageText("Cannot open %1: it is not a regular file but a pipe, a device or a "
                         "socket.",
                "无法打开 %1：这不是普通文件，而是管道、设备或套接字。")
                .arg(shown));
    case fileread::ReadProblem::WrongSize:
        // Anything else (a CSV, a report, a cut-off copy) is not an image: taken as one,
        // its bytes would end up in a radio.
        return fail(LanguageText("Cannot open %1: a channel file is exactly %2 bytes, this file "
                                 "has %3 bytes.",
            "无法打开 %1：信道文件正好是 %2 字节，此文件有 %3 字节。")
                        .arg(shown)
                        .arg(mem::ImageSize)
                        .arg(read.size));
    case fileread::ReadProblem::ReadFailed:
        return fail(
            LanguageText("Cannot read %1: %2.", "无法读取 %1：%2。").arg(shown, read.reason));
    default:
        return fail(
            LanguageText("Cannot open %1: %2.", "无法打开 %1：%2。").arg(shown, read.reason));
    }
    MemoryImage image;
    MemoryImage::fromBytes(read.bytes, &image);
    m_image = image;
    if (backupguard::IsInBackupFolder(path)) {
        // The only copy of what a radio held: opened untitled, so that Save asks for a
        // new name instead of replacing it.
        m_pathName.clear();
        m_backupCopy = true;
        m_title = BackupTitle(BackupTime(path), BackupRadioType(m_image));
    } else {
        m_pathName = QFileInfo(path).absoluteFilePath();
        m_title = QFileInfo(path).fileName();
        m_backupCopy = false;
    }
    g_bNewImage = 0;
    return true;
}

bool CProgramDoc::OnSaveDocument(const QString &path, QString *error)
{
    if (m_saveHook)
        m_saveHook();
    const QString shown = QDir::toNativeSeparators(path);
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const QFileInfo info(path);
    struct stat st
    {
    };
    if (::stat(filename::ToNative(path).constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return fail(LanguageText("Cannot save %1: it is a folder.", "无法保存 %1：这是一个文件夹。")
                        .arg(shown));
    // The whole image reaches the disk before it replaces the old file, so a failure
    // anywhere (a full disk included) leaves the existing file as it was. A file the user
    // made read-only stays untouched, though the folder would allow a replace.
    QString reason;
    if (!filewrite::WriteWholeFile(path, m_image.toByteArray(), &reason))
        return fail(LanguageText("Cannot save %1: %2.", "无法保存 %1：%2。").arg(shown, reason));
    m_pathName = info.absoluteFilePath();
    m_title = info.fileName();
    m_backupCopy = false;
    markSaved();
    return true;
}
