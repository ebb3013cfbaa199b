// The desktop's default browser.
#pragma once

#include <QUrl>

#include <functional>

namespace platform {

// Hands an address to the desktop's default browser; false when nothing
// took it. Tests may put an opener of their own in its place (an empty one
// restores the desktop's).
bool open_in_default_browser(const QUrl& url);
void set_default_browser_opener(std::function<bool(const QUrl&)> opener);

}  // namespace platform
