// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/about_box.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>

#include "widgets/named_button.h"

namespace ventoral {

namespace {

constexpr int kProgramTimeoutMs = 5000;

struct InformationProgram {
    const char* name;
    QStringList arguments;
};

// A dial with its pointer, drawn rather than shipped as a file.
QPixmap programIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette palette;
    p.setBrush(palette.color(QPalette::Base));
    p.setPen(QPen(palette.color(QPalette::Text), size / 16.0));
    p.drawEllipse(QRectF(size * 0.08, size * 0.08, size * 0.84, size * 0.84));
    p.setPen(QPen(palette.color(QPalette::Highlight), size / 12.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(size / 2.0, size / 2.0), QPointF(size * 0.75, size * 0.28));
    return pixmap;
}

} // namespace

std::optional<std::string> installedSystemInformation()
{
    const InformationProgram programs[] = {
        {"inxi", {"-b", "-c0"}},
        {"hostnamectl", {}},
        {"lsb_release", {"-a"}},
    };
    for (const InformationProgram& program : programs) {
        const QString path = QStandardPaths::findExecutable(program.name);
        if (path.isEmpty())
            continue;
        QProcess process;
        process.start(path, program.arguments);
        if (!process.waitForFinished(kProgramTimeoutMs)) {
            process.kill();
            process.waitForFinished();
            continue;
        }
        const QString output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
        if (process.exitCode() == 0 && !output.isEmpty())
            return output.toStdString();
    }
    return std::nullopt;
}

AboutBox::AboutBox(Prompter& prompter, SystemInformation systemInformation, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_systemInformation(std::move(systemInformation))
{
    setObjectName("frmAbout");
    setWindowTitle("About Ventoral");
    auto* layout = new QGridLayout(this);
    auto* icon = new QLabel(this);
    icon->setObjectName("picIcon");
    icon->setPixmap(programIcon(48));
    auto* title = new QLabel("Ventoral", this);
    title->setObjectName("lblTitle");
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    auto* description = new QLabel("Retrieves and displays weather data", this);
    description->setObjectName("lblDescription");
    auto* version = new QLabel(this);
    version->setObjectName("lblVersion");
    auto* sysInfo = namedButton("cmdSysInfo", "&System Info...", "View information about your system", this);
    auto* ok = new QPushButton("Close", this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(title, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(description, 2, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    buttons->addStretch();
    layout->addLayout(buttons, 0, 2, 3, 1);
    layout->setColumnStretch(1, 1);
    connect(sysInfo, &QPushButton::clicked, this, &AboutBox::cmdSysInfo_Click);
    connect(ok, &QPushButton::clicked, this, &AboutBox::cmdOK_Click);

    // The version of the build: major, minor and revision.
    version->setText(QString("Version ") + VENTORAL_VERSION);
}

void AboutBox::cmdSysInfo_Click()
{
    StartSysInfo();
}

void AboutBox::StartSysInfo()
{
    const std::optional<std::string> report = m_systemInformation ? m_systemInformation() : std::nullopt;
    if (report)
        m_prompter.inform("System Information", *report);
    else
        m_prompter.inform("Ventoral", kNoSystemInformation);
}

void AboutBox::cmdOK_Click()
{
    close();
}

} // namespace ventoral
