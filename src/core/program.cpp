#include "core/program.h"

namespace kolde_sub {

namespace {

struct ProgramState {
    Addresses addresses;
    bool online = false;
    int cycle_ticks = 0;
    int update_interval = 1;
};

ProgramState& state()
{
    static ProgramState s;
    return s;
}

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

QString version_text() { return QStringLiteral("4.31"); }

const Addresses& addresses() { return state().addresses; }
void set_update_address(const QString& url) { state().addresses.update = url; }

void set_report_address(const QString& base)
{
    state().addresses.observations = base + QStringLiteral("/pub/data/observations/metar/stations/");
    state().addresses.forecasts = base + QStringLiteral("/pub/data/forecasts/taf/stations/");
}

bool is_online() { return state().online; }
void set_online(bool online) { state().online = online; }

int cycle_ticks() { return state().cycle_ticks; }
void count_cycle_tick() { ++state().cycle_ticks; }
void postpone_next_cycle() { state().cycle_ticks = 0; }
void set_cycle_ticks(int ticks) { state().cycle_ticks = ticks; }

int update_interval() { return state().update_interval; }
void set_update_interval(int interval) { state().update_interval = interval; }

QString builtin_update_url() { return address_from("KOLDE_UPDATE_URL"); }
QString builtin_report_url() { return address_from("KOLDE_REPORT_URL"); }
QString builtin_web_url() { return address_from("KOLDE_WEB_URL"); }
bool update_url_overridden() { return !qEnvironmentVariable("KOLDE_UPDATE_URL").trimmed().isEmpty(); }

void set_builtin_addresses()
{
    Addresses& a = state().addresses;
    a.update = builtin_update_url();
    set_report_address(builtin_report_url());
    const QString web = builtin_web_url();
    a.radar_amedas = web + QStringLiteral("/radar-amedas/");
    a.weather_points = web + QStringLiteral("/weather/imagedata/tubo/");
    a.amedas = web + QStringLiteral("/jma/amedas/images/");
    a.satellite = web + QStringLiteral("/satellite/");
    a.radar = web + QStringLiteral("/jma/radar/images/");
    a.typhoon = web + QStringLiteral("/jma/typh/images/");
    a.pdf_chart = web + QStringLiteral("/aviation/tecweather/");
    a.fax_chart = web + QStringLiteral("/fax/image4/lfax/");
    a.upper_wind = web + QStringLiteral("/airinfo/air_kishou/jsp/user/anl/index.html");
}

}  // namespace kolde_sub
