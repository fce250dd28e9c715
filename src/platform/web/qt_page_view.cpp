// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web/qt_page_view.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QUrl>
#include <QWebEngineLoadingInfo>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace ventoral {

namespace {

void addChromiumFlag(QByteArray& flags, const QByteArray& flag)
{
    if (flags.split(' ').contains(flag))
        return;
    if (!flags.isEmpty())
        flags += ' ';
    flags += flag;
}

// Prints the view's page on printer and waits until it is done: the engine
// renders the page to PDF in its own process first.
void printAndWait(QWebEngineView* view, QPrinter* printer)
{
    QEventLoop loop;
    QObject::connect(view, &QWebEngineView::printFinished, &loop, &QEventLoop::quit);
    view->print(printer);
    loop.exec();
}

// A link that asks for a new window opens in the same view: the viewers are
// one-page browsers, and otherwise such a link would do nothing at all.
class OneWindowView : public QWebEngineView {
public:
    using QWebEngineView::QWebEngineView;

protected:
    QWebEngineView* createWindow(QWebEnginePage::WebWindowType) override { return this; }
};

} // namespace

void setWebEngineFlags()
{
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    addChromiumFlag(flags, "--disable-gpu");
    if (geteuid() == 0)
        addChromiumFlag(flags, "--no-sandbox");
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

void prepareWebEngine()
{
    setWebEngineFlags();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

QtPageView::QtPageView(QWidget* parent) : m_view(new OneWindowView(parent))
{
    m_view->setObjectName("WebBrowser1");
    // Each navigation reports its start, also one that joins a load still
    // running; from then on the page says whether it is still loading.
    QObject::connect(m_view->page(), &QWebEnginePage::loadingChanged, m_view,
                     [this](const QWebEngineLoadingInfo& info) {
                         if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
                             m_requested = false;
                     });
}

QtPageView::~QtPageView()
{
    // The widget belongs to its parent window; only the signals to this go.
    if (m_view)
        QObject::disconnect(m_view->page(), nullptr, m_view, nullptr);
}

QWidget* QtPageView::widget()
{
    return m_view;
}

void QtPageView::navigate(const std::string& address)
{
    const QString text = QString::fromStdString(address);
    if (text.compare("about:blank", Qt::CaseInsensitive) == 0) {
        // An empty page with a file base rather than about:blank itself: from
        // about:blank the engine does not go on to a local file.
        showPage({});
        return;
    }
    const QUrl url = QUrl::fromUserInput(text, QString(), QUrl::AssumeLocalFile);
    // An address that is no address loads nothing: there is nothing to wait for.
    m_requested = url.isValid() && !url.isEmpty();
    m_view->load(url);
}

void QtPageView::showPage(const std::string& pageText)
{
    m_requested = true;
    // A file base lets the page show the local images it names by file URL.
    m_view->setHtml(QString::fromStdString(pageText), QUrl("file:///"));
}

bool QtPageView::busy() const
{
    return m_requested || m_view->page()->isLoading();
}

void QtPageView::stop()
{
    m_view->stop();
    m_requested = false;
}

void QtPageView::setScrollBarsShown(bool shown)
{
    m_view->settings()->setAttribute(QWebEngineSettings::ShowScrollBars, shown);
}

void QtPageView::printPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, m_view->window());
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, m_view,
                     [this](QPrinter* target) { printAndWait(m_view, target); });
    preview.exec();
}

void QtPageView::print()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, m_view->window());
    if (dialog.exec() == QDialog::Accepted)
        printAndWait(m_view, &printer);
}

PageViewFactory qtPageViews()
{
    return [](QWidget* parent) -> std::unique_ptr<PageView> { return std::make_unique<QtPageView>(parent); };
}

} // namespace ventoral
