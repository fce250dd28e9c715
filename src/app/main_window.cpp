#include "app/main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

#include "app/core/display_cycle.h"
#include "platform/core/text_encoding.h"
#include "platform/qt_services.h"

namespace ventoral {

namespace {

QString colorCss(std::int32_t ref)
{
    return QString("rgb(%1,%2,%3)").arg(ref & 0xFF).arg((ref >> 8) & 0xFF).arg((ref >> 16) & 0xFF);
}

QString fromReport(const std::string& bytes)
{
    return QString::fromStdString(decodeLegacyText(bytes));
}

} // namespace

MainWindow::MainWindow(AppState& state, const Clock& clock, const DateForms& forms, UserStore& store,
                       QWidget* parent)
    : QMainWindow(parent), m_state(state), m_clock(clock), m_forms(forms), m_store(store),
      m_stations(new QComboBox), m_dateLabel(new QLabel), m_strip(new QLabel), m_values(new QLabel)
{
    setObjectName("frmMain");
    setWindowTitle("Ventoral");
    m_stations->setObjectName("Combo1");
    m_dateLabel->setObjectName("Label78");
    m_dateLabel->setToolTip("Date and time of data");
    m_dateLabel->setAlignment(Qt::AlignCenter);
    m_strip->setObjectName("Picture11");
    m_strip->setAlignment(Qt::AlignCenter);
    m_values->setObjectName("presentValues");
    m_values->setTextFormat(Qt::PlainText);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(m_stations);
    layout->addWidget(m_dateLabel);
    layout->addWidget(m_strip);
    layout->addWidget(m_values, 1);
    setCentralWidget(central);

    QMenu* file = menuBar()->addMenu("&File");
    QAction* exitAction = file->addAction("E&xit");
    exitAction->setObjectName("mnuFileExit");
    connect(exitAction, &QAction::triggered, this, &QWidget::close);
    connect(m_stations, qOverload<int>(&QComboBox::activated), this, &MainWindow::Combo1_Click);
    resize(720, 420);
}

void MainWindow::stationsLoaded()
{
    m_stations->clear();
    for (const std::string& entry : m_state.tables.shortList.entries)
        m_stations->addItem(toQString(entry));
    m_stations->setCurrentIndex(m_state.tables.shortList.selected);
}

void MainWindow::startProg()
{
    m_state.trace.record("frmMain,startProg");
    const ColorScheme& colors = m_state.tables.colors;
    setStyleSheet(QString("QMainWindow { background: %1; } QLabel { color: %2; }")
                      .arg(colorCss(colors.backgroundColor), colorCss(colors.windowTextColor)));
    selectStation(m_state);
    loadStation(m_state);
    redraw();
}

void MainWindow::showWindow()
{
    show();
}

void MainWindow::Combo1_Click(int index)
{
    m_state.trace.record("frmMain,Combo1_Click");
    if (!m_state.startupComplete || index < 0)
        return;
    m_state.tables.shortList.selected = index;
    WriteLastStation(m_state.settingsFile, index);
    selectStation(m_state);
    loadStation(m_state);
    redraw();
}

void MainWindow::redraw()
{
    const PresentResult result = redrawData(m_state, m_forms, m_clock.nowLocal());
    if (result.dateLabel) {
        const ColorScheme& colors = m_state.tables.colors;
        m_dateLabel->setText(toQString(result.dateLabel->caption));
        m_dateLabel->setStyleSheet(result.dateLabel->stale
                                       ? QString("color: rgb(255,0,0); background: rgb(255,255,255);")
                                       : QString("color: %1; background: %2;")
                                             .arg(colorCss(colors.textColor), colorCss(colors.faceColor)));
    }
    QStringList strip;
    for (const StripLine& line : result.strip)
        strip << fromReport(line.text).trimmed();
    m_strip->setText(strip.join('\n'));

    const Observation& obs = m_state.observation;
    if (result.reportAbsent) {
        m_values->setText(fromReport(m_state.station.presentText));
        return;
    }
    const UnitSettings& units = m_state.tables.units;
    m_values->setText(QString("%1\n\nWind: %2 degrees, %3 %4\nTemperature: %5 %6, dew point %7\n"
                              "Relative humidity: %8%\nPressure: %9 %10")
                          .arg(fromReport(obs.stationLine), toQString(obs.windDirectionText),
                               toQString(obs.windSpeedText), toQString(units.speedUnit),
                               toQString(obs.temperatureText), toQString(units.temperatureUnit),
                               toQString(obs.dewPointText), toQString(obs.humidityText),
                               toQString(obs.pressureText))
                          .arg(toQString(units.pressureUnit)));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    m_state.trace.record("frmMain,Form_Unload");
    m_state.trace.close();
    event->accept();
}

} // namespace ventoral
