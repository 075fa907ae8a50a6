#include "doc/ProgramDoc.h"

#include "doc/IniFile.h"
#include "shell/Globals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

std::uint8_t g_bNewImage = 0;

CProgramDoc::CProgramDoc(QObject *parent)
    : QObject(parent)
{
}

bool CProgramDoc::OnNewDocument()
{
    m_image = MemoryImage::defaults();
    m_title = Tr2("Channel Information", "信道信息");
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
    if (QFileInfo(path).isDir())
        return fail(Tr2("Cannot open %1: it is a folder, not a channel file.",
            "无法打开 %1：这是一个文件夹，不是信道文件。")
                        .arg(shown));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(Tr2("Cannot open %1: %2.", "无法打开 %1：%2。").arg(shown, file.errorString()));
    const QByteArray bytes = file.read(mem::ImageSize);
    if (file.error() != QFileDevice::NoError)
        return fail(Tr2("Cannot read %1: %2.", "无法读取 %1：%2。").arg(shown, file.errorString()));
    MemoryImage image;
    if (!MemoryImage::fromBytes(bytes, &image))
        return fail(Tr2("Cannot open %1: a channel file holds %2 bytes, this file has only %3.",
            "无法打开 %1：信道文件应有 %2 字节，此文件只有 %3 字节。")
                        .arg(shown)
                        .arg(mem::ImageSize)
                        .arg(bytes.size()));
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
        return fail(
            Tr2("Cannot save %1: it is a folder.", "无法保存 %1：这是一个文件夹。").arg(shown));
    // A file the user made read-only stays untouched, though the folder would allow a replace.
    if (info.exists() && !info.isWritable())
        return fail(
            Tr2("Cannot save %1: the file is read-only.", "无法保存 %1：文件为只读。").arg(shown));
    // Written to a temporary file and renamed over the old one, so a failure
    // anywhere leaves the existing file as it was.
    QSaveFile file(path);
    // Unbuffered: a buffered QSaveFile (Qt 6.4) commits even when flushing its buffer
    // failed, which would replace the file by an empty one on a full disk.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(Tr2("Cannot save %1: %2.", "无法保存 %1：%2。").arg(shown, file.errorString()));
    const QByteArray bytes = m_image.toByteArray();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return fail(Tr2("Cannot save %1: %2.", "无法保存 %1：%2。").arg(shown, file.errorString()));
    m_pathName = info.absoluteFilePath();
    m_title = info.fileName();
    return true;
}
