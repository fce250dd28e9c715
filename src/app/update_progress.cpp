// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/update_progress.h"

#include <QWidget>

#include "app/main_menus.h"
#include "maps/map_viewer.h"
#include "platform/qt_services.h"
#include "widgets/download_panel.h"
#include "widgets/panel_view.h"

namespace ventoral {

void UpdateProgress::downloaderLoaded()
{
    setUpdateMenusEnabled(false);
}

void UpdateProgress::downloaderUnloaded()
{
    m_parts.menus.setAllEnabled(true);
    m_parts.window.setEnabled(true);
    m_parts.window.setWindowTitle("Ventoral");
}

void UpdateProgress::disableMenus()
{
    m_parts.menus.setAllEnabled(false);
}

void UpdateProgress::setUpdateMenusEnabled(bool enabled)
{
    m_parts.menus.setUpdateMenusEnabled(enabled);
}

void UpdateProgress::setCaption(const std::string& caption)
{
    m_parts.window.setWindowTitle(toQString(caption));
}

void UpdateProgress::showDownloadPanel(bool visible)
{
    m_parts.panel.showDownloadPanel(visible);
}

void UpdateProgress::setStatus(const std::string& text)
{
    m_parts.panel.downloadPanel()->setStatus(text);
}

void UpdateProgress::setCount(const std::string& text)
{
    m_parts.panel.downloadPanel()->setCount(text);
    m_parts.panel.downloadPanel()->repaint();
}

void UpdateProgress::showFrame(int frame)
{
    m_parts.panel.downloadPanel()->showFrame(frame);
}

void UpdateProgress::noStationSelected()
{
    m_parts.panel.showLabel("No station selected", kWhite, kRed);
}

void UpdateProgress::updateFinished(const std::vector<StoredStation>& stored)
{
    if (m_parts.updateFinished)
        m_parts.updateFinished(stored);
}

void UpdateProgress::showBusyNotice()
{
    if (m_parts.busyNotice)
        m_parts.busyNotice();
}

void UpdateProgress::setMapStatus(const std::string& text)
{
    if (MapViewer* viewer = m_parts.mapViewer())
        viewer->setStatus(text);
}

void UpdateProgress::setMapBytes(const std::string& text)
{
    if (MapViewer* viewer = m_parts.mapViewer())
        viewer->setBytes(text);
}

void UpdateProgress::showMapFrame(int frame)
{
    if (MapViewer* viewer = m_parts.mapViewer())
        viewer->showFrame(frame);
}

} // namespace ventoral
