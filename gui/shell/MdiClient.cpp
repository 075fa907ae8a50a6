// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/MdiClient.h"

#include "core/app/Globals.h"

#include <QPaintEvent>
#include <QPainter>

CMDIClientWnd::CMDIClientWnd(QWidget *parent)
    : QMdiArea(parent)
{
    // The picture covers the area; no brush should show through first.
    setBackground(Qt::NoBrush);
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
    const QImage picture = LoadBackground();
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
