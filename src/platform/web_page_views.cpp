// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web_page_views.h"

#include <optional>

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLibrary>
#include <QOpenGLContext>

#include "platform/web/page_view_plugin.h"

// Exported by Qt GUI (its private qopenglcontext_p.h) and the only way to
// give the application a shared context once it exists.
void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace ventoral {

namespace {

// The engine reads the application's shared OpenGL context from the moment
// it is loaded. An application normally makes one at its start when asked
// by Qt::AA_ShareOpenGLContexts, and that start then carries the software
// rasteriser whether a viewer ever opens or not; so the context is made
// here, just before the engine comes, as the application would have made it.
void shareOpenGLContexts()
{
    if (QOpenGLContext::globalShareContext())
        return;
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    context->create();   // fails without OpenGL (offscreen); the engine then renders in software
    qt_gl_set_global_share_context(context);
}

struct LoadedPlugin {
    MakePageViewFunction make = nullptr;
    QString problem;
};

LoadedPlugin loadPlugin(const std::vector<std::string>& folders)
{
    shareOpenGLContexts();
    LoadedPlugin loaded;
    for (const std::string& folder : folders) {
        const QString path = QDir(QString::fromStdString(folder)).filePath(kWebPluginFileName);
        if (!QFile::exists(path))
            continue;
        // Never unloaded: the engine keeps threads and a helper process.
        auto* library = new QLibrary(path, QCoreApplication::instance());
        library->setLoadHints(QLibrary::PreventUnloadHint);
        loaded.make = reinterpret_cast<MakePageViewFunction>(library->resolve(kMakePageViewSymbol));
        if (!loaded.make)
            loaded.problem = library->errorString();
        return loaded;
    }
    QStringList searched;
    for (const std::string& folder : folders)
        searched << QString::fromStdString(folder);
    loaded.problem = QCoreApplication::translate("PageView", "%1 is in none of the folders %2.")
                         .arg(kWebPluginFileName, searched.join(", "));
    return loaded;
}

// Stands in for the page when the web engine cannot be loaded.
class UnavailablePageView : public PageView {
public:
    UnavailablePageView(QWidget* parent, const QString& problem)
        : m_label(new QLabel(QCoreApplication::translate("PageView", "Web pages cannot be shown: %1").arg(problem),
                             parent))
    {
        m_label->setObjectName("WebBrowser1");
        m_label->setAlignment(Qt::AlignCenter);
        m_label->setWordWrap(true);
    }

    QWidget* widget() override { return m_label; }
    void navigate(const std::string&) override {}
    void showPage(const std::string&) override {}
    bool busy() const override { return false; }
    void stop() override {}
    void setScrollBarsShown(bool) override {}
    void printPreview() override {}
    void print() override {}

private:
    QLabel* m_label;
};

} // namespace

std::vector<std::string> webPluginFolders()
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    return {QDir::cleanPath(programFolder.filePath(VENTORAL_PLUGIN_DIR_FROM_BIN)).toStdString(),
            programFolder.path().toStdString()};
}

PageViewFactory webPageViews(std::vector<std::string> folders)
{
    auto plugin = std::make_shared<std::optional<LoadedPlugin>>();
    return [folders = std::move(folders), plugin](QWidget* parent) -> std::unique_ptr<PageView> {
        if (!*plugin)
            *plugin = loadPlugin(folders);
        if (!(*plugin)->make)
            return std::make_unique<UnavailablePageView>(parent, (*plugin)->problem);
        return std::unique_ptr<PageView>((*plugin)->make(parent));
    };
}

} // namespace ventoral
