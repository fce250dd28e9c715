// SPDX-License-Identifier: GPL-3.0-or-later
// The main window over the archive: the graphs' span, File > Export History,
// the Records window and a damaged archive.

#include <QAction>
#include <QTableWidget>

#include "editors/records_window.h"
#include "main_window_fixture.h"
#include "real_metar_days.h"
#include "observations/history_csv.h"
#include "settings/ini_file.h"

namespace ventoral::test {
namespace {

class ArchiveWindowTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        state.tables.archive.file = dir.file("archive.sqlite");
    }

    // Hourly reports of KBFI for the ten days up to the clock, at 53 minutes
    // past, warmest at 12:53 on 2 December.
    void archiveTenDays()
    {
        std::string reports;
        const CivilTime now = clock.nowUtc();
        for (int hour = 10 * 24; hour >= 0; --hour) {
            const CivilTime t = now.plusMinutes(-60L * hour - 7);
            const int temperature = t.day == 2 && t.hour == 12 ? 21 : 8 + t.hour % 5;
            char line[96];
            std::snprintf(line, sizeof line, "KBFI %02d%02d%02dZ 18008KT 10SM FEW030 %02d/04 A3001\n", t.day, t.hour,
                          t.minute, temperature);
            reports += line;
        }
        storeOf(state.tables).archiveHistory(reports, now);
    }

    void trigger(const char* name) { window->findChild<QAction*>(name)->trigger(); }
    bool checked(const char* name) const { return window->findChild<QAction*>(name)->isChecked(); }
};

TEST_F(ArchiveWindowTest, WithTheGraphsOverADayTheArchiveIsNotOpenedAtStart)
{
    start();
    EXPECT_TRUE(checked("graphSpan1"));
    EXPECT_FALSE(storeOf(state.tables).archive()->isOpen());
    EXPECT_FALSE(fileExists(state.tables.archive.file));
}

TEST_F(ArchiveWindowTest, AChosenSpanIsKeptAndTheGraphsAreDrawnOverIt)
{
    archiveTenDays();
    start();
    trigger("graphSpan7");
    EXPECT_TRUE(checked("graphSpan7"));
    EXPECT_FALSE(checked("graphSpan1"));
    EXPECT_EQ(IniDocument::load(state.settingsFile).value("Archive", "GraphSpan", ""), "7");
    EXPECT_EQ(state.tables.archive.graphSpan, GraphSpan::Week);
    const PanelModel model = state.shown.model(state.tables.units, {clock.nowLocal(), 0, &forms});
    ASSERT_TRUE(model.graph(GraphKind::Temperature).span);
    // 7 days of hourly reports, the last at the clock.
    EXPECT_EQ(model.graph(GraphKind::Temperature).span->runs.at(0).size(), 7u * 24);

    trigger("graphSpan30");
    EXPECT_EQ(state.shown.model(state.tables.units, {clock.nowLocal(), 0, &forms})
                  .graph(GraphKind::Pressure)
                  .span->runs.at(0)
                  .size(),
              10u * 24 + 1)
        << "as far as the archive reaches";

    // The next start shows the span kept.
    window.reset();
    state.tables.archive.graphSpan = ReadArchiveSettings(IniDocument::load(state.settingsFile)).graphSpan;
    start();
    EXPECT_TRUE(checked("graphSpan30"));
}

TEST_F(ArchiveWindowTest, ExportHistoryWritesTheShownStationsSpanAsCsv)
{
    archiveTenDays();
    start();
    trigger("graphSpan7");
    const std::string path = dir.file("KBFI history.csv");
    dialogs.answers.push_back(FileChoice{path, "KBFI history.csv"});
    trigger("mnuFileExportHistory");
    const std::vector<std::string> lines = linesOf(readFile(path));
    ASSERT_EQ(lines.size(), 1u + 7 * 24);
    EXPECT_EQ(lines[0], kHistoryCsvHeader);
    EXPECT_EQ(lines[1].substr(0, 17), "2023-11-29T18:53Z");
    EXPECT_EQ(prompter.messages().back().kind, "inform");
    EXPECT_NE(prompter.messages().back().text.find(path), std::string::npos);

    // A cancel writes nothing more.
    const std::size_t told = prompter.messages().size();
    trigger("mnuFileExportHistory");
    EXPECT_EQ(prompter.messages().size(), told);
}

TEST_F(ArchiveWindowTest, TheRecordsWindowShowsTheShownStationsRecords)
{
    archiveTenDays();
    start();
    trigger("RecordsView");
    auto* records = window->findChild<RecordsWindow*>("frmRecords");
    ASSERT_NE(records, nullptr);
    EXPECT_EQ(records->windowTitle(), "Records of KBFI");
    const QTableWidget* table = records->table();
    EXPECT_EQ(table->item(0, 2)->text().toStdString(), "21 \xC2\xBA" "C\n2023-12-02 12:53 UTC");
    EXPECT_EQ(table->item(0, 0)->text().toStdString(), "12 \xC2\xBA" "C\n2023-12-06 04:53 UTC");
    EXPECT_EQ(table->item(2, 2)->text().toStdString(), "-") << "no gust";
    records->close();
}

TEST_F(ArchiveWindowTest, ADamagedArchiveIsSetAsideWithAMessage)
{
    writeFile(state.tables.archive.file, std::string(5000, 'x'));
    state.tables.archive.graphSpan = GraphSpan::Week;
    start();
    ASSERT_FALSE(prompter.messages().empty());
    EXPECT_EQ(prompter.messages().back().kind, "warn");
    EXPECT_NE(prompter.messages().back().text.find("was damaged"), std::string::npos);
    archiveTenDays();
    trigger("graphSpan30");
    EXPECT_FALSE(state.shown.spanObservations().empty());
}

} // namespace
} // namespace ventoral::test
