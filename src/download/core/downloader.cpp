// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/core/downloader.h"

namespace ventoral {

Downloader::Downloader(AppState& state, DownloaderServices services)
    : m_context(state.download, services.prompter, services.events, state.trace),
      m_transfers(state.download, services.transfer, services.events, state.trace),
      m_maps(m_context, m_transfers, state.tables),
      m_update(state, m_context, m_transfers, m_maps, services.clock)
{
}

void Downloader::cancel()
{
    m_context.trace("frmMessage,Cancel");
    m_transfers.cancel();
    m_context.view().setUpdateMenusEnabled(false);
    m_context.unload();
}

void Downloader::stopAndClose()
{
    m_context.trace("frmMessage,btnCancel_Click");
    m_transfers.cancel();
    m_context.unload();
}

} // namespace ventoral
