// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/LockKeys.h"

#include <QGuiApplication>

#ifdef RADIOPROG_HAVE_X11
#include <X11/XKBlib.h>
#endif

bool QueryLockKey(LockKey key, bool *on)
{
#ifdef RADIOPROG_HAVE_X11
    if (auto *x11
        = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
        if (Display *display = x11->display()) {
            unsigned int state = 0;
            if (XkbGetIndicatorState(display, XkbUseCoreKbd, &state) != Success)
                return false;
            // The core keyboard's indicators in their usual order: Caps, Num, Scroll.
            const unsigned int bit = key == LockKey::Caps ? 1u : key == LockKey::Num ? 2u : 4u;
            *on = (state & bit) != 0;
            return true;
        }
    }
#endif
    Q_UNUSED(key);
    Q_UNUSED(on);
    return false;
}
