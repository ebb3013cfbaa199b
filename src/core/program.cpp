#include "core/program.h"

namespace kolde_sub {

QString version_text;
QString update_base_url;
QString obs_base_url;
QString taf_base_url;
QString url_radar_amedas, url_weather_points, url_amedas, url_satellite, url_radar, url_typhoon, url_pdf_chart,
    url_fax_chart, url_upper_wind;
bool online = false;
bool sound_done = true;
int cycle_tick_count = 0;
int update_interval = 1;

void postpone_next_cycle() { cycle_tick_count = 0; }

namespace {

QString address_from(const char* variable)
{
    QString url = qEnvironmentVariable(variable).trimmed();
    if (url.isEmpty())
        url = QStringLiteral("http://127.0.0.1:8737");
    while (url.endsWith(u'/'))
        url.chop(1);
    return url;
}

}  // namespace

QString builtin_update_url() { return address_from("KOLDE_UPDATE_URL"); }
QString builtin_report_url() { return address_from("KOLDE_REPORT_URL"); }
QString builtin_web_url() { return address_from("KOLDE_WEB_URL"); }
bool update_url_overridden() { return !qEnvironmentVariable("KOLDE_UPDATE_URL").trimmed().isEmpty(); }

void set_builtin_addresses()
{
    version_text = QStringLiteral("4.31");
    update_base_url = builtin_update_url();
    const QString report = builtin_report_url();
    obs_base_url = report + QStringLiteral("/pub/data/observations/metar/stations/");
    taf_base_url = report + QStringLiteral("/pub/data/forecasts/taf/stations/");
    const QString web = builtin_web_url();
    url_radar_amedas = web + QStringLiteral("/radar-amedas/");
    url_weather_points = web + QStringLiteral("/weather/imagedata/tubo/");
    url_amedas = web + QStringLiteral("/jma/amedas/images/");
    url_satellite = web + QStringLiteral("/satellite/");
    url_radar = web + QStringLiteral("/jma/radar/images/");
    url_typhoon = web + QStringLiteral("/jma/typh/images/");
    url_pdf_chart = web + QStringLiteral("/aviation/tecweather/");
    url_fax_chart = web + QStringLiteral("/fax/image4/lfax/");
    url_upper_wind = web + QStringLiteral("/airinfo/air_kishou/jsp/user/anl/index.html");
}

}  // namespace kolde_sub
