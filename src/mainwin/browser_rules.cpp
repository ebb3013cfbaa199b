#include "browser_rules.h"

#include "core/program.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>

#include <unistd.h>

namespace kolde_sub {

QString web_page_path(WebPage page)
{
    switch (page) {
    case WebPage::Ais:
        return QStringLiteral("/ais/");
    case WebPage::AirportWeather:
        return QStringLiteral("/weather/jp/leisure/airport/");
    case WebPage::HomePage:
        return QStringLiteral("/home/");
    case WebPage::HomeIndex:
        return QStringLiteral("/home/index.html");
    case WebPage::Help:
        return QStringLiteral("/home/kolde/help/help.html");
    case WebPage::AccessCounter:
        return QStringLiteral("/index2.htm");
    }
    return QStringLiteral("/");
}

QString web_page_url(WebPage page, const QString& web_base, const QString& update_base)
{
    return (page == WebPage::AccessCounter ? update_base : web_base) + web_page_path(page);
}

QString web_page_url(WebPage page) { return web_page_url(page, builtin_web_url(), addresses().update); }

QString web_page_log_text(WebPage page)
{
    switch (page) {
    case WebPage::Ais:
        return QStringLiteral("DISPLAY AIS-JAPAN");
    case WebPage::AirportWeather:
        return QStringLiteral("DISPLAY Yahoo! WEATHER");
    case WebPage::HomePage:
    case WebPage::HomeIndex:
        return QStringLiteral("DISPLAY KOLDE HOMEPAGE");
    case WebPage::Help:
        return QStringLiteral("DISPLAY ONLINE HELP");
    case WebPage::AccessCounter:
        return QStringLiteral("DISPLAY ACCESS COUNTER");
    }
    return QString();
}

QString web_page_file(const QString& path)
{
    return path.endsWith(u'/') ? path + QStringLiteral("index.html") : path;
}

QString address_completion(const QString& text, int key_code)
{
    if (key_code == Qt::Key_H && text == QStringLiteral("h"))
        return QStringLiteral("http://www.");
    return QString();
}

QUrl address_url(const QString& text) { return QUrl::fromUserInput(text); }

}  // namespace kolde_sub
