// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state of the Caps, Num and Scroll Lock keys, where the windowing system tells it.

/// The three lock keys of the status bar's indicators.
enum class LockKey { Caps, Num, Scroll };

/// True when the state is known; *on then says whether the key is locked.
bool QueryLockKey(LockKey key, bool *on);
