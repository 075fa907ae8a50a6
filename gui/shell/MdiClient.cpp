// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/MdiClient.h"

#include "core/app/Globals.h"

#include <QFileInfo>
#include <QPaintEvent>
#include <QPainter>

CMDIClientWnd::CMDIClientWnd(QWidget *parent)
    : QMdiArea(parent)
{
    // The picture covers the area; no brush should show through first.
    setBackground(Qt::NoBrush);
    // Decoding the picture is the largest single piece of start-up; done on another
    // core while the menus, bars and the first document are made, the first paint
    // finds it ready.
    m_firstStamp = StampOfBackground();
    m_firstPicture = std::async(std::launch::async, &CMDIClientWnd::LoadBackground);
}

CMDIClientWnd::FileStamp CMDIClientWnd::StampOfBackground()
{
    const QFileInfo info(g_strAppDir + QStringLiteral("background.bmp"));
    return { info.exists(), info.size(), info.lastModified() };
}

QImage CMDIClientWnd::LoadBackground()
{
    // Read at every repaint, so a picture replaced while the program runs shows at once.
    QImage picture(g_strAppDir + QStringLiteral("background.bmp"));
    if (picture.isNull())
        picture.load(QStringLiteral(":/bitmaps/background.bmp"));
    return picture;
}

void CMDIClientWnd::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.setClipRegion(event->region());
    QImage picture;
    if (m_firstPicture.valid()) {
        picture = m_firstPicture.get();
        // A picture replaced since shows at once, as on every other repaint.
        if (!(StampOfBackground() == m_firstStamp))
            picture = LoadBackground();
    } else {
        picture = LoadBackground();
    }
    if (!picture.isNull()) {
        // Stretched over the whole area, never tiled.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(viewport()->rect(), picture);
    }
}

void CMDIClientWnd::resizeEvent(QResizeEvent *event)
{
    QMdiArea::resizeEvent(event);
    // The stretch depends on the size, so the whole picture is drawn anew.
    viewport()->update();
}
