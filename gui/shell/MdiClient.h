// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's client area behind the document windows, with its
// background picture.

#include <QDateTime>
#include <QImage>
#include <QMdiArea>
#include <future>

/// The MDI area; paints "background.bmp" (or the built-in picture) stretched.
class CMDIClientWnd : public QMdiArea
{
    Q_OBJECT
public:
    /// An empty area.
    explicit CMDIClientWnd(QWidget *parent = nullptr);

    /// The picture to paint now: g_strAppDir + "background.bmp", else the built-in one.
    static QImage LoadBackground();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    /// Where background.bmp stood when it was read: a first paint may use that reading
    /// only while the file is still the same.
    struct FileStamp
    {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        bool operator==(const FileStamp &o) const
        {
            return exists == o.exists && size == o.size && modified == o.modified;
        }
    };
    static FileStamp StampOfBackground();

    std::future<QImage> m_firstPicture; ///< Read on another thread while the window is built.
    FileStamp m_firstStamp;
};
