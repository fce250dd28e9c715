// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress shown while a download runs: the turning picture, a status
// label above a count label and, where the download can be stopped, a
// Cancel button. The main window, the map viewer and the station test's
// downloader window each show one.

#include <QWidget>

class QLabel;
class QPushButton;

namespace ventoral {

class PicturePanel;

struct DownloadPanelStyle {
    bool withCancel = true;
    bool framed = true;   // white, with a thin border, standing over other controls
};

class DownloadPanel : public QWidget {
    Q_OBJECT
public:
    DownloadPanel(const QString& name, DownloadPanelStyle style, QWidget* parent);

    // The status may hold a CR LF before the address it names.
    void setStatus(const std::string& text);
    void setCount(const std::string& text);
    void showFrame(int frame);
    void clearTexts();

    QLabel* statusLabel() const { return m_status; }
    QLabel* countLabel() const { return m_count; }
    // Null without one.
    QPushButton* cancelButton() const { return m_cancel; }

private:
    PicturePanel* m_picture;
    QLabel* m_status;
    QLabel* m_count;
    QPushButton* m_cancel = nullptr;
};

} // namespace ventoral
