// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A downloader over a real transfer to a loopback server, with a scripted
// prompter and a fixed clock. A fixture derives from it after the base that
// makes the application, so the application exists first.

#include "session/app_state.h"
#include "download/core/downloader.h"
#include "http_test_server.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "platform/qt_transfer.h"
#include "fixed_clock.h"
#include "scripted_prompter.h"

namespace ventoral::test {

template <class Prompter>
struct LoopbackDownloaderWith {
    HttpTestServer server;
    QtTransfer transfer;
    QtEventPump events;
    Prompter prompter;
    FixedClock clock{CivilTime{2023, 12, 7, 2, 0, 0}};
    AppState state;
    Downloader downloader{state, {transfer, events, prompter, clock}};
};
using LoopbackDownloader = LoopbackDownloaderWith<ScriptedPrompter>;

} // namespace ventoral::test
