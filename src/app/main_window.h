#pragma once
// The main window: station selector, date label, condition strip and a
// panel of the present values.

#include <QMainWindow>

#include "app/core/app_state.h"
#include "app/core/startup.h"
#include "platform/clock.h"
#include "platform/user_store.h"

class QComboBox;
class QLabel;

namespace ventoral {

class MainWindow : public QMainWindow, public MainWindowHost {
    Q_OBJECT
public:
    MainWindow(AppState& state, const Clock& clock, const DateForms& forms, UserStore& store,
               QWidget* parent = nullptr);

    void stationsLoaded() override;
    void startProg() override;
    void showWindow() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Combo1_Click(int index);
    void redraw();

    AppState& m_state;
    const Clock& m_clock;
    const DateForms& m_forms;
    UserStore& m_store;
    QComboBox* m_stations;
    QLabel* m_dateLabel;
    QLabel* m_strip;
    QLabel* m_values;
};

} // namespace ventoral
