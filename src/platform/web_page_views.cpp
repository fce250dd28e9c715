// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web_page_views.h"

#include <cxxabi.h>
#include <dlfcn.h>

#include <cstdlib>
#include <optional>

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLibrary>
#include <QOpenGLContext>

#include "platform/web/page_view_plugin.h"

namespace ventoral {

namespace {

using ShareContextSetter = void (*)(QOpenGLContext*);

// The C++ name of a mangled symbol, or the symbol itself.
QString readableSymbol(const std::string& symbol)
{
    int status = 0;
    char* name = abi::__cxa_demangle(symbol.c_str(), nullptr, nullptr, &status);
    const QString readable = QString::fromUtf8(status == 0 && name ? name : symbol.c_str());
    std::free(name);
    return readable;
}

// The engine reads the application's shared OpenGL context from the moment
// it is loaded. An application normally makes one at its start when asked
// by Qt::AA_ShareOpenGLContexts, and that start then carries the software
// rasteriser whether a viewer ever opens or not; so the context is made
// here, just before the engine comes, as the application would have made it.
// Only Qt GUI's private setter can hand it over, looked up here by setterSymbol
// rather than linked, so a Qt without it still starts; the problem is
// returned then, and the engine must not be loaded.
std::optional<QString> shareOpenGLContexts(const std::string& setterSymbol)
{
    if (QOpenGLContext::globalShareContext())
        return std::nullopt;
    const auto setShareContext = reinterpret_cast<ShareContextSetter>(dlsym(RTLD_DEFAULT, setterSymbol.c_str()));
    if (!setShareContext)
        return QCoreApplication::translate("PageView", "Qt %1 has no %2, which the web engine needs.")
            .arg(qVersion(), readableSymbol(setterSymbol));
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    context->create();   // fails without OpenGL (offscreen); the engine then renders in software
    setShareContext(context);
    // Deleted with the application: no dangling shared context is left behind.
    QObject::connect(context, &QObject::destroyed, [setShareContext] { setShareContext(nullptr); });
    return std::nullopt;
}

struct LoadedPlugin {
    MakePageViewFunction make = nullptr;
    QString problem;
};

// The library's path in the first of folders that holds it.
std::optional<QString> pluginPath(const std::vector<std::string>& folders)
{
    for (const std::string& folder : folders) {
        const QString path = QDir(QString::fromStdString(folder)).filePath(kWebPluginFileName);
        if (QFile::exists(path))
            return path;
    }
    return std::nullopt;
}

LoadedPlugin loadPlugin(const std::vector<std::string>& folders, const std::string& shareContextSetter)
{
    LoadedPlugin loaded;
    const std::optional<QString> path = pluginPath(folders);
    if (!path) {
        QStringList searched;
        for (const std::string& folder : folders)
            searched << QString::fromStdString(folder);
        loaded.problem = QCoreApplication::translate("PageView", "%1 is in none of the folders %2.")
                             .arg(kWebPluginFileName, searched.join(", "));
        return loaded;
    }
    if (const std::optional<QString> problem = shareOpenGLContexts(shareContextSetter)) {
        loaded.problem = *problem;
        return loaded;
    }
    // Never unloaded: the engine keeps threads and a helper process.
    auto* library = new QLibrary(*path, QCoreApplication::instance());
    library->setLoadHints(QLibrary::PreventUnloadHint);
    loaded.make = reinterpret_cast<MakePageViewFunction>(library->resolve(kMakePageViewSymbol));
    if (!loaded.make)
        loaded.problem = library->errorString();
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

PageViewFactory webPageViews(std::vector<std::string> folders, std::string shareContextSetter)
{
    auto plugin = std::make_shared<std::optional<LoadedPlugin>>();
    return [folders = std::move(folders), shareContextSetter = std::move(shareContextSetter),
            plugin](QWidget* parent) -> std::unique_ptr<PageView> {
        if (!*plugin)
            *plugin = loadPlugin(folders, shareContextSetter);
        if (!(*plugin)->make)
            return std::make_unique<UnavailablePageView>(parent, (*plugin)->problem);
        return std::unique_ptr<PageView>((*plugin)->make(parent));
    };
}

} // namespace ventoral
