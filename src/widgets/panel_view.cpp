// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/panel_view.h"

#include <algorithm>
#include <cmath>

#include <QComboBox>
#include <QLabel>
#include <QResizeEvent>

#include "instruments/accessible_text.h"
#include "instruments/condition_strip.h"
#include "instruments/panel_layout.h"
#include "platform/core/text_encoding.h"
#include "platform/qt_services.h"
#include "session/panel_geometry.h"
#include "session/shown_station.h"
#include "widgets/download_panel.h"
#include "widgets/picture_panel.h"

namespace ventoral {

namespace {

QString colorCss(ColorRef ref)
{
    return QString("rgb(%1,%2,%3)").arg(redOf(ref)).arg(greenOf(ref)).arg(blueOf(ref));
}

struct PictureSpec {
    PanelPicture which;
    const char* name;
    int widthTwips;
    int heightTwips;
};

// Dials in the order of the print page, then the graphs.
constexpr PictureSpec kPictures[] = {
    {PanelPicture::Picture6, "Picture6", panel::kDialWidth, panel::kDialHeight},
    {PanelPicture::Picture2, "Picture2", panel::kDialWidth, panel::kDialHeight},
    {PanelPicture::Picture4, "Picture4", panel::kDialWidth, panel::kDialHeight},
    {PanelPicture::Picture8, "Picture8", panel::kDialWidth, panel::kDialHeight},
    {PanelPicture::Picture10, "Picture10", panel::kDialWidth, panel::kDialHeight},
    {PanelPicture::PresGraph, "PresGraph", panel::kWideGraphWidth, panel::kGraphHeight},
    {PanelPicture::TempGraph, "TempGraph", panel::kWideGraphWidth, panel::kGraphHeight},
    {PanelPicture::HumidGraph, "HumidGraph", panel::kNarrowGraphWidth, panel::kGraphHeight},
    {PanelPicture::WindSGraph, "WindSGraph", panel::kNarrowGraphWidth, panel::kGraphHeight},
    {PanelPicture::WindDGraph, "WindDGraph", panel::kNarrowGraphWidth, panel::kGraphHeight},
};

constexpr DialKind kDialKinds[] = {DialKind::WindDirection, DialKind::WindSpeed, DialKind::Temperature,
                                   DialKind::Humidity, DialKind::Pressure};
constexpr GraphKind kGraphKinds[] = {GraphKind::Pressure, GraphKind::Humidity, GraphKind::Temperature,
                                     GraphKind::WindSpeed, GraphKind::WindDirection};

} // namespace

PanelView::PanelView(QWidget* parent) : QWidget(parent)
{
    setObjectName("panel");
    m_stations = new QComboBox(this);
    m_stations->setObjectName("Combo1");
    m_stations->setToolTip("Select a station");
    m_dateLabel = new QLabel(this);
    m_dateLabel->setObjectName("Label78");
    m_dateLabel->setToolTip("Date and time of data");
    m_dateLabel->setAlignment(Qt::AlignCenter);
    m_dateLabel->setAutoFillBackground(true);
    m_strip = new PicturePanel("Picture11", kStripWidthTwips, kStripHeightTwips, this);
    m_sourceLabel = new QLabel(this);
    m_sourceLabel->setObjectName("lblSource");
    m_sourceLabel->setToolTip("Where the present report shown came from");
    m_sourceLabel->setWordWrap(true);
    m_sourceLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_sourceLabel->setStyleSheet("color: black;");
    for (const PictureSpec& picture : kPictures)
        m_pictures[picture.which] = new PicturePanel(picture.name, picture.widthTwips, picture.heightTwips, this);
    m_stations->setAccessibleName("Station");
    m_strip->setAccessibleName("Conditions");
    for (const DialKind kind : kDialKinds) {
        m_pictures.at(pictureOf(kind))->setAccessibleRole(PicturePanel::Role::Dial);
        m_pictures.at(pictureOf(kind))->setAccessibleName(toQString(dialName(kind)));
    }
    for (const GraphKind kind : kGraphKinds) {
        m_pictures.at(pictureOf(kind))->setAccessibleRole(PicturePanel::Role::Chart);
        m_pictures.at(pictureOf(kind))->setAccessibleName(toQString(graphName(kind)));
    }

    // The download panel stands over the condition strip while an update runs.
    m_downloadPanel = new DownloadPanel("downloadPanel", {}, this);
    m_downloadPanel->statusLabel()->setToolTip("What is being downloaded");
    m_downloadPanel->countLabel()->setToolTip("Reports received of all reports to fetch");
    m_downloadPanel->hide();

    m_controlFont = m_stations->font();
    connect(m_stations, qOverload<int>(&QComboBox::activated), this, &PanelView::stationChosen);
    layoutPanel();
}

PicturePanel* PanelView::picture(PanelPicture which) const
{
    const auto it = m_pictures.find(which);
    return it == m_pictures.end() ? nullptr : it->second;
}

Surface& PanelView::begin(PanelPicture which)
{
    return m_pictures.at(which)->begin();
}

void PanelView::end(PanelPicture which)
{
    m_pictures.at(which)->end();
}

void PanelView::draw(const PanelModel& model, const PanelStyle& style)
{
    paintPanel(*this, model, style);
    drawConditionStrip(m_strip->begin(), style.colors.backgroundColor, model.strip, model.flightCategory);
    m_strip->end();
    m_strip->setAccessibleTexts("Conditions", stripDescription(model));
    for (const DialKind kind : kDialKinds)
        m_pictures.at(pictureOf(kind))->setAccessibleTexts(dialName(kind), dialDescription(model, kind));
    for (const GraphKind kind : kGraphKinds)
        m_pictures.at(pictureOf(kind))->setAccessibleTexts(graphName(kind), graphDescription(model, kind));
    m_sourceLabel->setText(model.source.empty() ? QString() : toQString("Source: " + model.source));

    QString tip;
    if (model.pressureChangeHpa) {
        const bool hpa = model.dial(DialKind::Pressure).scale.unit == "hPa";
        tip = QString("Pressure %1, %2")
                  .arg(toQString(std::string(pressureTrendWords(pressureTrendOf(*model.pressureChangeHpa)))),
                       toQString(pressureTendencyText(*model.pressureChangeHpa, hpa)));
    }
    m_pictures.at(PanelPicture::Picture6)->setToolTip(tip);

    if (model.dateLabel) {
        m_shownDate = model.dateLabel;
        showDateLabel(style.colors);
    }
    if (model.noStation) {
        m_dateLabel->setText("No Station selected");
        setLabelColours(kRed, style.colors.faceColor);
    }
}

void PanelView::setBackground(ColorRef background)
{
    m_background = background;
    setStyleSheet(QString("#panel { background: %1; }").arg(colorCss(background)));
}

void PanelView::setLabelColours(ColorRef text, ColorRef background)
{
    m_dateLabel->setStyleSheet(QString("color: %1; background: %2;").arg(colorCss(text), colorCss(background)));
}

void PanelView::showLabel(const std::string& text, ColorRef textColour, ColorRef background)
{
    m_dateLabel->setText(toQString(text));
    setLabelColours(textColour, background);
}

void PanelView::showStatus(StationDataStatus status, const ColorScheme& colors, bool recolour)
{
    m_dateLabel->setText(statusText(status));
    if (status != StationDataStatus::Valid)
        setLabelColours(kRed, kWhite);
    else if (recolour)
        setLabelColours(colors.textColor, colors.faceColor);
}

void PanelView::showDateLabel(const ColorScheme& colors)
{
    m_dateLabel->setText(toQString(decodeLegacyText(m_shownDate->text())));
    if (m_shownDate->stale)
        setLabelColours(kRed, kWhite);
    else
        setLabelColours(colors.textColor, colors.faceColor);
}

bool PanelView::showsReportTime() const
{
    return m_shownDate && m_dateLabel->text() == toQString(decodeLegacyText(m_shownDate->text()));
}

void PanelView::refreshAge(const CivilTime& nowUtc, const ColorScheme& colors)
{
    // Only while the label still shows the report's time, not a status.
    if (!showsReportTime())
        return;
    setLabelAge(*m_shownDate, nowUtc);
    showDateLabel(colors);
}

void PanelView::showDownloadPanel(bool visible)
{
    if (visible) {
        Surface& strip = m_strip->begin();
        strip.clear(kWhite);
        m_strip->end();
        m_downloadPanel->clearTexts();
        m_downloadPanel->raise();
    }
    m_downloadPanel->setVisible(visible);
}

void PanelView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutPanel();
}

void PanelView::layoutPanel()
{
    const double twipsPerPixel = 1440.0 / logicalDpiX();
    const auto px = [this](double twips) { return twipsToPixels(*this, twips); };
    const PanelGeometry smallest = panelGeometry(1);
    setMinimumSize(static_cast<int>(std::ceil(smallest.widthTwips / twipsPerPixel)),
                   static_cast<int>(std::ceil(smallest.heightTwips / twipsPerPixel)));

    m_zoom = panelZoomFor(width() * twipsPerPixel, height() * twipsPerPixel);
    const PanelGeometry g = panelGeometry(m_zoom);
    // Room the panel does not fill is shared left and right.
    const double left = std::max(0.0, (width() * twipsPerPixel - g.widthTwips) / 2);
    const auto place = [&](QWidget& widget, const RectTwips& r) {
        widget.setGeometry(px(left + r.left), px(r.top), px(r.width), px(r.height));
    };
    const auto placePicture = [&](PicturePanel& picture, const RectTwips& r) {
        picture.setZoom(m_zoom);
        picture.move(px(left + r.left), px(r.top));
    };
    place(*m_stations, g.stations);
    place(*m_dateLabel, g.dateLabel);
    placePicture(*m_strip, g.strip);
    place(*m_sourceLabel, g.source);
    place(*m_downloadPanel, g.downloadPanel);
    for (const auto& [which, rect] : g.pictures)
        placePicture(*m_pictures.at(which), rect);

    QFont font = m_controlFont;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(m_controlFont.pointSizeF() * m_zoom);
    else
        font.setPixelSize(static_cast<int>(std::lround(m_controlFont.pixelSize() * m_zoom)));
    for (QWidget* control : {static_cast<QWidget*>(m_stations), static_cast<QWidget*>(m_dateLabel),
                             static_cast<QWidget*>(m_downloadPanel)})
        control->setFont(font);
    QFont small = m_sourceLabel->font();
    small.setPointSizeF(7 * m_zoom);
    m_sourceLabel->setFont(small);
}

} // namespace ventoral
