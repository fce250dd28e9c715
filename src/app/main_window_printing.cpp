// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands for printing, the text views and exported
// copies of station data: "&File" / "&Export", "&Import", "&Print" and
// "&View" / "&Present Data", "&Trend Data".

#include <functional>

#include <QApplication>
#include <QComboBox>
#include <QLabel>

#include "app/main_window.h"
#include "widgets/panel_view.h"
#include "observations/station_export.h"
#include "platform/core/file_io.h"
#include "platform/core/text_encoding.h"
#include "printing/core/report_text.h"
#include "printing/print_preview.h"
#include "printing/view_data.h"

namespace ventoral {

namespace {

constexpr const char* kAutoUpdateBefore = "autoUpdateBefore";
constexpr std::size_t kShortestPresentView = 5;
constexpr std::size_t kShortestTrendView = 10;

std::string messageTitle()
{
    return QApplication::applicationName().toStdString();
}

// The one text view; its Print button previews the report it shows.
void showReportView(QWidget& owner, std::function<void(PrintJob)> preview, const std::string& caption, PrintKind kind,
                    std::vector<std::string> lines)
{
    auto* view = owner.findChild<ViewData*>("frmViewData");
    if (!view)
        view = new ViewData(
            [preview = std::move(preview)](PrintKind shown, const std::vector<std::string>& shownLines) {
                preview(reportJob(shown, shownLines));
            },
            &owner);
    view->showReport(caption, kind, std::move(lines));
}

} // namespace

void MainWindow::openPrintPreview(PrintJob job)
{
    if (!m_services.printer)
        return;
    // One preview at a time; a new one takes over what the old one keeps.
    bool autoUpdateBefore = m_autoUpdateActive;
    if (auto* open = findChild<PrintPreview*>("frmPrintPreview")) {
        autoUpdateBefore = open->property(kAutoUpdateBefore).toBool();
        open->disconnect(this);
        open->setObjectName(QString());   // it goes later; the new one takes its name now
        open->close();
    }
    // The page shows the data as they were when it was drawn, so no update runs meanwhile.
    m_autoUpdateActive = false;
    auto* preview = new PrintPreview(std::move(job), {*m_services.printer, m_services.dialogs, m_services.prompter},
                                     this);
    preview->setProperty(kAutoUpdateBefore, autoUpdateBefore);
    connect(preview, &QObject::destroyed, this, [this, autoUpdateBefore] { m_autoUpdateActive = autoUpdateBefore; });
    preview->show();
}

void MainWindow::printPanel()
{
    m_state.trace.record("frmMain,mnuFilePrint_Click");
    PanelPage page;
    page.title = m_panel->stations()->currentText().toStdString();
    // On paper the report's time stays true; its age would not.
    page.dateLabel = m_panel->showsReportTime() ? decodeLegacyText(m_panel->shownDate()->caption)
                                                : m_panel->dateLabel()->text().toStdString();
    openPrintPreview(
        panelJob(m_state.shown.model(m_state.tables.units, moment()), m_state.tables, std::move(page), m_state.trace));
}

void MainWindow::showPresentReport()
{
    m_state.trace.record("frmMain,PresentDataView_Click");
    const StationSnapshot& station = m_state.shown.snapshot();
    if (station.presentText.size() < kShortestPresentView)
        return;
    showReportView(*this, [this](PrintJob job) { openPrintPreview(std::move(job)); },
                   "Present weather data for " + station.code, PrintKind::PresentText,
                   presentReportLines(station.presentText));
}

void MainWindow::showTrendReport()
{
    m_state.trace.record("frmMain,TrendDataView_Click");
    const StationSnapshot& station = m_state.shown.snapshot();
    if (station.trendText.size() < kShortestTrendView)
        return;
    showReportView(*this, [this](PrintJob job) { openPrintPreview(std::move(job)); },
                   "Trend data for " + station.code, PrintKind::LastText, trendReportLines(station.trendText));
}

void MainWindow::exportShownStation()
{
    m_state.trace.record("frmMain,nmuFileSave_Click");
    const StationSnapshot& station = m_state.shown.snapshot();
    const ExportResult result = storeOf(m_state.tables).exportCopy(station);
    switch (result.problem) {
    case ExportProblem::None:
        m_services.prompter.inform(messageTitle(), "File saved as " + result.path);
        return;
    case ExportProblem::NoData:
        m_services.prompter.warn(messageTitle(),
                                 station.code.empty()
                                     ? tr("No station is selected, so there are no data to export.").toStdString()
                                     : tr("There are no data of %1 to export. Click Update to download them.")
                                           .arg(QString::fromStdString(station.code))
                                           .toStdString());
        return;
    case ExportProblem::UnusableName:
        m_services.prompter.warn(messageTitle(),
                                 tr("The report's date line holds characters a file name cannot hold, so the data "
                                    "were not exported:\n%1")
                                     .arg(QString::fromStdString(reportDateLine(station.presentText)))
                                     .toStdString());
        return;
    case ExportProblem::NotWritten:
        m_services.prompter.warn(messageTitle(),
                                 tr("The file %1 could not be written.").arg(QString::fromStdString(result.path))
                                     .toStdString());
        return;
    }
}

void MainWindow::importStationData()
{
    m_state.trace.record("frmMain,Import_Click");
    const std::string code = m_state.shown.code();
    const auto choice = m_services.dialogs.openFile("Import Data",
                                                    joinPath(m_state.tables.folders.stationData, code + " *.txt"),
                                                    code + "*.txt|" + code + "*.txt");
    if (!choice)
        return;
    if (!importMatchesStation(choice->name, m_panel->stations()->currentText().toStdString())) {
        m_services.prompter.inform(messageTitle(), "The file does NOT correspond to the selected station");
        return;
    }
    const auto bytes = readWholeFile(choice->path);
    const auto texts = bytes ? importedTexts(*bytes, code) : std::nullopt;
    if (!texts) {
        m_services.prompter.warn(messageTitle(), tr("The file %1 holds no station data; nothing was imported.")
                                                     .arg(QString::fromStdString(choice->path))
                                                     .toStdString());
        return;
    }
    // The imported report is shown, not stored: the station's files stay as they are.
    m_state.shown.replace(snapshotOf(code, *texts), m_state.shown.extremes());
    m_panel->showStatus(m_state.shown.snapshot().status, m_state.tables.colors, false);
    redraw();
}

} // namespace ventoral
