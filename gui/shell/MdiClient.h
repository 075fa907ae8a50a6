// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's client area behind the document windows, with its
// background picture.

#include <QImage>
#include <QMdiArea>

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
};
