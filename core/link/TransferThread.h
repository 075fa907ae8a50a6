// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a transfer procedure (one clone session, or several in a row) on a
// worker thread, so that the thread of the window keeps handling its events:
// it repaints, its Cancel button works, and a silent radio never freezes it.

#include "core/link/TransferUi.h"

#include <functional>

/// A procedure that talks to the radio, watched only through its transfer UI.
using TransferProcedure = std::function<void(CTransferUi &)>;

/// Runs procedure on a worker thread and returns when it has ended. Meanwhile the calling thread
/// handles its events; every call the procedure makes on its UI is carried out by ui on the
/// calling thread, in order (a message waits there for its answer), and the cancel flag the
/// procedure and its line test is raised within cancelPollMs of ui.isCancelled() turning true.
void RunOnWorkerThread(const TransferProcedure &procedure, CTransferUi &ui, int cancelPollMs = 10);
