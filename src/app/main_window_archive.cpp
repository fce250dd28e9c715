// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands over the archive: the span of the graphs,
// File > Export History and the Records window, and the archive's notices.

#include <QPointer>

#include "app/main_window.h"
#include "editors/records_window.h"
#include "observations/history_csv.h"
#include "platform/core/file_io.h"
#include "platform/qt_services.h"

namespace ventoral {

namespace {

constexpr const char* kMessageTitle = "Ventoral";
constexpr int kMinutesPerDay = 24 * 60;

} // namespace

void MainWindow::readShownSpan()
{
    m_state.shown.readSpan(storeOf(m_state.tables), m_state.tables.archive.graphSpan, m_services.clock.nowUtc());
    showArchiveNotices();
}

void MainWindow::setGraphSpan(GraphSpan span)
{
    m_state.tables.archive.graphSpan = span;
    m_menus->check("mnuView", "graphSpan" + std::to_string(spanDays(span)));
    WriteGraphSpan(m_state.settingsFile, span);
    readShownSpan();
    redraw();
}

void MainWindow::exportHistory()
{
    const std::string code = m_state.shown.code();
    if (code.size() < 4) {
        m_services.prompter.warn(kMessageTitle, tr("No station is selected, so there is no history to export.")
                                                    .toStdString());
        return;
    }
    const CivilTime nowUtc = m_services.clock.nowUtc();
    const int days = spanDays(m_state.tables.archive.graphSpan);
    const std::vector<ArchivedObservation> observations =
        storeOf(m_state.tables).archivedObservations(code, nowUtc.plusMinutes(-days * kMinutesPerDay), nowUtc);
    showArchiveNotices();
    const std::optional<FileChoice> choice = m_services.dialogs.saveFile(
        "Export History", m_state.tables.folders.stationData, "CSV files (*.csv)|*.csv");
    if (!choice)
        return;
    if (!writeFileAtomically(choice->path, historyCsv(observations))) {
        m_services.prompter.warn(kMessageTitle,
                                 tr("The file %1 could not be written.").arg(toQString(choice->path)).toStdString());
        return;
    }
    m_services.prompter.inform(kMessageTitle, tr("%n observation(s) of %1 saved as %2", nullptr,
                                                 static_cast<int>(observations.size()))
                                                  .arg(toQString(code), toQString(choice->path))
                                                  .toStdString());
}

void MainWindow::openRecords()
{
    QPointer<QWidget>& window = m_editors["frmRecords"];
    if (!window)
        window = new RecordsWindow(this);
    const std::string code = m_state.shown.code();
    StationRecords records;
    if (code.size() >= 4)
        records = storeOf(m_state.tables).archiveRecords(code, m_services.clock.nowUtc());
    static_cast<RecordsWindow*>(window.data())->load(code.size() >= 4 ? code : std::string(), records,
                                                     m_state.displayUnits());
    showArchiveNotices();
    window->show();
    window->raise();
    window->activateWindow();
}

void MainWindow::showArchiveNotices()
{
    if (!m_archive)
        return;
    for (const ArchiveNotice& notice : m_archive->takeNotices()) {
        if (notice.kind == ArchiveNotice::Kind::SetAside)
            m_services.prompter.warn(kMessageTitle,
                                     tr("The archive %1 was damaged, so it was set aside as %2 and a new one "
                                        "started. Observations from now on are kept in the new one.")
                                         .arg(toQString(notice.file), toQString(notice.asidePath))
                                         .toStdString());
        else
            m_services.prompter.warn(kMessageTitle, tr("The archive %1 cannot be opened (%2), so no observation "
                                                       "is kept this time.")
                                                        .arg(toQString(notice.file), toQString(notice.detail))
                                                        .toStdString());
    }
}

} // namespace ventoral
