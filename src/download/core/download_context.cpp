// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/core/download_context.h"

namespace ventoral {

void DownloadContext::load()
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_view->downloaderLoaded();
}

void DownloadContext::unload()
{
    if (!m_loaded)
        return;
    m_loaded = false;
    m_view->downloaderUnloaded();
    m_events.letEventsRun();
}

void DownloadContext::showMessage(const std::string& title, const std::string& text)
{
    const bool wasBusy = m_record.busy;
    m_record.busy = true;
    m_prompter.inform(title, text);
    m_record.busy = wasBusy;
}

void DownloadContext::showErrors()
{
    if (m_record.errorList.empty())
        return;
    showMessage("Error", m_record.errorList);
    m_record.errorList.clear();
}

void DownloadContext::cannotConnect()
{
    m_record.cancelRequested = true;
    m_view->setStatus("Error connecting");
    m_record.transferDone = true;
    m_record.busy = false;
    m_view->setCaption(kProgramCaption);
    unload();
    showMessage(kProgramCaption, "Cannot connect, try later");
}

} // namespace ventoral
