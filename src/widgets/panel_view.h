// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The instrument panel as the main window shows it: the station selector,
// the date label, the five dials, the condition strip with the source line,
// the five graphs and, over the strip while an update runs, the download
// panel. It draws whatever panel model it is given and keeps its parts in
// proportion at any size.

#include <map>
#include <optional>

#include <QFont>
#include <QWidget>

#include "instruments/panel_painter.h"
#include "observations/present_parser.h"
#include "observations/station_snapshot.h"
#include "platform/surface.h"
#include "settings/settings.h"

class QComboBox;
class QLabel;

namespace ventoral {

class DownloadPanel;
class PicturePanel;

class PanelView : public QWidget, private PanelTargets {
    Q_OBJECT
public:
    explicit PanelView(QWidget* parent = nullptr);

    QComboBox* stations() const { return m_stations; }
    QLabel* dateLabel() const { return m_dateLabel; }
    DownloadPanel* downloadPanel() const { return m_downloadPanel; }
    PicturePanel* picture(PanelPicture which) const;
    // How many times its smallest size the panel is shown; at least 1.
    double zoom() const { return m_zoom; }

    // Draws the model: the ten pictures, the strip with its flight tag, the
    // source line, the pressure tooltip and, where the model has one, the
    // report's date label.
    void draw(const PanelModel& model, const PanelStyle& style);
    void setBackground(ColorRef background);

    // The date label.
    void setLabelColours(ColorRef text, ColorRef background);
    void showLabel(const std::string& text, ColorRef textColour, ColorRef background);
    // The status of a station's data; recolour takes the scheme's colours afresh.
    void showStatus(StationDataStatus status, const ColorScheme& colors, bool recolour);
    // True while the label shows the report's time, not a status.
    bool showsReportTime() const;
    const std::optional<DateLabel>& shownDate() const { return m_shownDate; }
    // The shown report's age at nowUtc, the real UTC clock, while the label shows its time.
    void refreshAge(const CivilTime& nowUtc, const ColorScheme& colors);

    // The download panel over a cleared strip, or hidden.
    void showDownloadPanel(bool visible);

    // Places and zooms every part to fill the view, keeping its proportions.
    void layoutPanel();

signals:
    void stationChosen(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    Surface& begin(PanelPicture picture) override;
    void end(PanelPicture picture) override;
    void showDateLabel(const ColorScheme& colors);

    QComboBox* m_stations;
    QLabel* m_dateLabel;
    PicturePanel* m_strip;
    QLabel* m_sourceLabel;   // which source gave the shown present report
    std::map<PanelPicture, PicturePanel*> m_pictures;
    DownloadPanel* m_downloadPanel;
    QFont m_controlFont;   // of the selector and the labels at zoom 1
    double m_zoom = 1;
    ColorRef m_background = kWhite;
    std::optional<DateLabel> m_shownDate;   // the report's time as the date label last showed it
};

} // namespace ventoral
