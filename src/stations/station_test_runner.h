// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The short-list window's station test: the downloader fetches every
// entry's present report while a small downloader window shows progress,
// then the information window lists fresh, old and no data and offers to
// remove the stations without fresh data.

#include <functional>

#include <QDialog>

#include "download/core/downloader.h"
#include "platform/clock.h"
#include "platform/prompter.h"
#include "stations/core/short_list_editor.h"

namespace ventoral {

class DownloadPanel;
class InfoWindow;

// The downloader window of the test: two labels, the progress picture and
// a Cancel button; closing the window cancels too.
class TestDownloaderWindow : public QDialog {
    Q_OBJECT
public:
    TestDownloaderWindow(std::function<void()> cancel, QWidget* parent = nullptr);
    void setText(int label, const std::string& text);
    void showFrame(int frame);

private:
    DownloadPanel* m_panel;
};

class StationTestRunner : private DownloadView {
public:
    // mainView is the downloader's usual view; it gets every call the test
    // window does not take and is given back when the test ends.
    StationTestRunner(AppState& state, Downloader& downloader, DownloadView& mainView, Prompter& prompter,
                      const Clock& clock);

    // btnTest: tests the list, shows the results and removes the stale
    // entries when the user chooses Remove. The downloader window over
    // window is modal meanwhile.
    // A test stopped by Cancel or by no connection shows and removes nothing.
    void run(ShortListEditor& shortList, QWidget& window);

    // The result window while it waits for a choice; for tests.
    InfoWindow* resultWindow() const { return m_results; }

private:
    void downloaderLoaded() override;
    void downloaderUnloaded() override;
    void disableMenus() override { m_main.disableMenus(); }
    void setUpdateMenusEnabled(bool enabled) override { m_main.setUpdateMenusEnabled(enabled); }
    void setCaption(const std::string& caption) override { m_main.setCaption(caption); }
    void setStatus(const std::string& text) override { m_main.setStatus(text); }
    void setDownloaderText(int label, const std::string& text) override;
    void showDownloaderFrame(int frame) override;

    AppState& m_state;
    Downloader& m_downloader;
    DownloadView& m_main;
    Prompter& m_prompter;
    const Clock& m_clock;
    TestDownloaderWindow* m_window = nullptr;
    InfoWindow* m_results = nullptr;
};

} // namespace ventoral
