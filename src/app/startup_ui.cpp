// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup_ui.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/qt_services.h"

namespace ventoral {

SetupNotice::SetupNotice(QWidget* parent) : QWidget(parent, Qt::Dialog), m_label(new QLabel(this))
{
    setObjectName("frmMessage");
    setWindowTitle("Ventoral");
    m_label->setObjectName("Label1");
    m_label->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
}

void SetupNotice::showText(const QString& text)
{
    m_label->setText(text);
    const QFontMetrics metrics(m_label->font());
    // The text's width plus 300 twips, 1300 twips high.
    const double pixelsPerTwip = logicalDpiX() / 1440.0;
    setFixedSize(metrics.horizontalAdvance(text) + static_cast<int>(300 * pixelsPerTwip),
                 static_cast<int>(1300 * logicalDpiY() / 1440.0));
    show();
    QApplication::processEvents();
}

QtStartupUi::QtStartupUi() = default;
QtStartupUi::~QtStartupUi() = default;

void QtStartupUi::showSetupNotice(const std::string& text)
{
    if (!m_notice)
        m_notice = std::make_unique<SetupNotice>();
    m_notice->showText(toQString(text));
}

void QtStartupUi::hideSetupNotice()
{
    if (m_notice)
        m_notice->close();
    m_notice.reset();
}

bool QtStartupUi::noticeShown() const
{
    return m_notice && m_notice->isVisible();
}

} // namespace ventoral
