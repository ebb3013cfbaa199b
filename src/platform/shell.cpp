#include "shell.h"

#include <QDesktopServices>

namespace platform {

namespace {

std::function<bool(const QUrl&)>& opener()
{
    static std::function<bool(const QUrl&)> f;
    return f;
}

}  // namespace

bool open_in_default_browser(const QUrl& url)
{
    if (opener())
        return opener()(url);
    return QDesktopServices::openUrl(url);
}

void set_default_browser_opener(std::function<bool(const QUrl&)> f) { opener() = std::move(f); }

}  // namespace platform
