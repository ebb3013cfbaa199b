// The web pages the program opens, where they are, and the rules of the
// browser pane that need no window: the address box's "h" completion and
// whether the web engine can run in this process.
#pragma once

#include "platform/shell.h"

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace kolde_sub {

using platform::open_in_default_browser;
using platform::set_default_browser_opener;

enum class WebPage {
    Ais,             // the national AIS site, its root page
    AirportWeather,  // the portal's airport weather page
    HomePage,        // the program's home folder
    HomeIndex,       // the home folder's index.html
    Help,            // the online help
    AccessCounter,   // the access counter, on the update site
};

// The page's path: a folder (ending in "/") or a file, always beginning
// with "/".
QString web_page_path(WebPage page);
// The page's whole address: the update site's address for the access
// counter, the outside pages' address for every other page (each without
// a trailing "/"), followed by the path.
QString web_page_url(WebPage page, const QString& web_base, const QString& update_base);
// The same with the built-in outside address and the current update site.
QString web_page_url(WebPage page);
// What the communication log says when the page is opened.
QString web_page_log_text(WebPage page);
// The file a site folder serves for the path: the path itself, or the
// folder's index.html for a folder path.
QString web_page_file(const QString& path);

// The address box on the release of a key: the text "h" (lower case, the
// whole text) becomes "http://www." on the release of H; anything else is
// left alone (null result).
QString address_completion(const QString& text, int key_code);

// What decides whether the web engine can start. Run as root, its sandbox
// refuses to start (and takes the process down with it) unless the
// sandbox is switched off; without its helper program it cannot start at all.
struct WebEngineEnvironment {
    bool root = false;
    QString chromium_flags;        // $QTWEBENGINE_CHROMIUM_FLAGS
    bool sandbox_disabled = false; // $QTWEBENGINE_DISABLE_SANDBOX set, not "0"
    QStringList arguments;         // the program's command line
    bool helper_found = false;     // the engine's helper program exists
};
bool webengine_can_start(const WebEngineEnvironment& env);
WebEngineEnvironment current_webengine_environment();

}  // namespace kolde_sub
