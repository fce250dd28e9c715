// SPDX-License-Identifier: GPL-3.0-or-later
#include "stations/station_test_runner.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QPushButton>

#include "about/info_window.h"
#include "widgets/download_panel.h"
#include "widgets/picture_panel.h"
#include "download/core/station_test.h"
#include "platform/qt_services.h"

namespace ventoral {

TestDownloaderWindow::TestDownloaderWindow(std::function<void()> cancel, QWidget* parent) : QDialog(parent)
{
    setObjectName("frmMessage");
    setWindowTitle("Ventoral");
    m_panel = new DownloadPanel("panel", {true, false}, this);
    QPushButton* cancelButton = m_panel->cancelButton();
    cancelButton->setObjectName("btnCancel");
    cancelButton->setText("&Cancel");
    connect(cancelButton, &QPushButton::clicked, this, cancel);
    connect(this, &QDialog::rejected, this, cancel);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_panel);
    setMinimumWidth(twipsToPixels(*this, 6000));
}

void TestDownloaderWindow::setText(int label, const std::string& text)
{
    if (label == 2)
        m_panel->setCount(text);
    else
        m_panel->setStatus(text);
}

void TestDownloaderWindow::showFrame(int frame)
{
    m_panel->showFrame(frame);
}

StationTestRunner::StationTestRunner(AppState& state, Downloader& downloader, DownloadView& mainView,
                                     Prompter& prompter, const Clock& clock)
    : m_state(state), m_downloader(downloader), m_main(mainView), m_prompter(prompter), m_clock(clock)
{
}

void StationTestRunner::downloaderLoaded()
{
    m_main.downloaderLoaded();
    if (m_window) {
        m_window->show();
        m_window->raise();
    }
}

void StationTestRunner::downloaderUnloaded()
{
    if (m_window)
        m_window->hide();
    m_main.downloaderUnloaded();
}

void StationTestRunner::setDownloaderText(int label, const std::string& text)
{
    if (m_window)
        m_window->setText(label, text);
    QApplication::processEvents();
}

void StationTestRunner::showDownloaderFrame(int frame)
{
    if (m_window)
        m_window->showFrame(frame);
}

void StationTestRunner::run(ShortListEditor& shortList, QWidget& window)
{
    DownloadState& d = m_state.download;
    if (d.busy) {
        m_prompter.warn("Ventoral", "Sorry,\nVnTL is bussy downloading\nfiles at the moment");
        return;
    }
    m_downloader.btnCancel_Click();
    d.cancelRequested = false;
    d.pictureFile.clear();

    TestDownloaderWindow downloaderWindow([this] { m_downloader.btnCancel_Click(); }, &window);
    m_window = &downloaderWindow;
    // The downloader window holds the short-list window off while it is
    // shown; disabling that window would disable its Cancel button too.
    downloaderWindow.setWindowModality(Qt::ApplicationModal);
    m_downloader.setView(this);
    const std::optional<std::vector<std::string>> results =
        TestAll(m_downloader, m_state, shortList.entries(), *this);
    m_downloader.setView(&m_main);
    m_window = nullptr;
    d.busy = false;
    if (!results)
        return;

    const CivilTime nowUtc = m_clock.nowUtc();
    const double offsetHours = m_clock.zone().offsetMinutesAt(nowUtc) / 60.0;
    const StationTestSummary summary = sortTestResults(*results, m_clock.zone().localTime(nowUtc), offsetHours);
    QStringList labels;
    labels << (summary.fresh.empty() ? QString() : toQString("Fresh data was found for:" + summary.fresh));
    labels << (summary.old.empty() ? QString() : toQString("Old data was found for:" + summary.old));
    labels << (summary.noData.empty() ? QString() : toQString("No data was found for:" + summary.noData));
    labels << toQString(removeHint(summary));

    InfoWindow info(&window);
    info.setObjectName("frmInfo");
    info.setTransferDoneHandler([&d] { d.transferDone = true; });
    d.transferDone = false;
    info.showResults("Station data test results", labels, summary.anyStale());
    m_results = &info;
    info.exec();
    m_results = nullptr;

    if (d.transferDone) {
        shortList.removeUnless([&summary](std::size_t i) { return i >= summary.stale.size() || !summary.stale[i]; });
        d.transferDone = false;
    }
}

} // namespace ventoral
