// The web pages the program opens, where they are, and the rules of the
// browser pane that need no window: the address box's "h" completion, how
// a typed address is read, and whether the web engine can run in this
// process.
#pragma once

#include "platform/web_engine.h"

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

// The address the pane opens for what the address box holds, read as a
// browser reads a typed address: one without a scheme ("localhost:8080/a/",
// "www.example.jp") is a web address; an empty address for a blank text.
QUrl address_url(const QString& text);

// The web engine's start check lives with the other platform pieces.
using platform::current_webengine_environment;
using platform::WebEngineEnvironment;
using platform::webengine_can_start;

}  // namespace kolde_sub
