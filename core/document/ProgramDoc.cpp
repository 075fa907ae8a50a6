// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/document/ProgramDoc.h"

#include "core/app/Globals.h"
#include "core/document/FileRead.h"
#include "core/document/FileWrite.h"
#include "core/settings/IniFile.h"

#include <QDir>
#include <QFileInfo>

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
    const fileread::ReadResult read = fileread::ReadRegularFile(path, mem::ImageSize);
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
    case fileread::ReadProblem::ReadFailed:
        return fail(
            LanguageText("Cannot read %1: %2.", "无法读取 %1：%2。").arg(shown, read.reason));
    default:
        return fail(
            LanguageText("Cannot open %1: %2.", "无法打开 %1：%2。").arg(shown, read.reason));
    }
    MemoryImage image;
    if (!MemoryImage::fromBytes(read.bytes, &image))
        return fail(
            LanguageText("Cannot open %1: a channel file holds %2 bytes, this file has only %3.",
                "无法打开 %1：信道文件应有 %2 字节，此文件只有 %3 字节。")
                .arg(shown)
                .arg(mem::ImageSize)
                .arg(read.bytes.size()));
    m_image = image;
    m_pathName = QFileInfo(path).absoluteFilePath();
    m_title = QFileInfo(path).fileName();
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
    if (info.isDir())
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
    markSaved();
    return true;
}
