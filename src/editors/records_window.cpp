// SPDX-License-Identifier: GPL-3.0-or-later
#include "editors/records_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "observations/history_csv.h"

namespace ventoral {

namespace {

constexpr const char* kColumns[] = {"Today (UTC)", "This month (UTC)", "All the archive holds"};

// "2026-08-18 03:55 UTC".
QString timeText(std::int64_t minutes)
{
    QString text = QString::fromStdString(utcTimeText(minutes));
    return text.replace('T', ' ').replace("Z", " UTC");
}

} // namespace

std::string recordValueText(double value, RecordKind::Quantity quantity, DisplayUnits units)
{
    switch (quantity) {
    case RecordKind::Quantity::Temperature:
        return units.celsius ? shortNumber(value, 1) + " \xC2\xBA" "C"
                             : shortNumber(celsiusToFahrenheit(value), 1) + " \xC2\xBA" "F";
    case RecordKind::Quantity::Pressure:
        return units.hpa ? shortNumber(value, 1) + " hPa" : shortNumber(hpaToInches(value), 2) + " inHg";
    case RecordKind::Quantity::Speed:
        break;
    }
    return units.kph ? shortNumber(value, 1) + " km/h" : shortNumber(kphToMph(value), 1) + " mph";
}

RecordsWindow::RecordsWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("frmRecords");
    setAttribute(Qt::WA_DeleteOnClose);
    m_table = new QTableWidget(static_cast<int>(std::size(kRecordKinds)), static_cast<int>(std::size(kColumns)), this);
    m_table->setObjectName("recordsTable");
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int c = 0; c < m_table->columnCount(); ++c)
        m_table->setHorizontalHeaderItem(c, new QTableWidgetItem(tr(kColumns[c])));
    for (int r = 0; r < m_table->rowCount(); ++r)
        m_table->setVerticalHeaderItem(r, new QTableWidgetItem(tr(kRecordKinds[r].name)));
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* note = new QLabel(this);
    note->setObjectName("recordsNote");
    auto* close = new QPushButton(tr("&Close"), this);
    close->setObjectName("closeButton");
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(note);
    layout->addWidget(close, 0, Qt::AlignRight);
}

void RecordsWindow::load(const std::string& code, const StationRecords& records, DisplayUnits units)
{
    setWindowTitle(code.empty() ? tr("Records") : tr("Records of %1").arg(QString::fromStdString(code)));
    const RecordSet* sets[] = {&records.today, &records.month, &records.allTime};
    bool any = false;
    for (int r = 0; r < m_table->rowCount(); ++r) {
        for (int c = 0; c < m_table->columnCount(); ++c) {
            const RecordKind& kind = kRecordKinds[r];
            const std::optional<RecordValue>& record = sets[c]->*kind.record;
            QString text = QStringLiteral("-");
            if (record) {
                text = QString::fromStdString(recordValueText(record->value, kind.quantity, units)) + "\n" +
                       timeText(record->timeMinutes);
                any = true;
            }
            m_table->setItem(r, c, new QTableWidgetItem(text));
        }
    }
    auto* note = findChild<QLabel*>("recordsNote");
    if (code.empty())
        note->setText(tr("No station is selected."));
    else if (!any)
        note->setText(tr("The archive holds no observation of %1 yet. Click Update to download them.")
                          .arg(QString::fromStdString(code)));
    else
        note->setText(tr("From every report of %1 the archive holds.").arg(QString::fromStdString(code)));
    adjustSize();
}

} // namespace ventoral
