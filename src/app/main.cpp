// KOLDE: aviation weather reports for Japanese pilots and dispatchers.
//
// For now the program prepares its folder and its database and ends: it
// fetches kolde.mdb from the update site when it is missing, opens the store
// and reports what it holds. The start-up window and the main window come
// next.
#include "startup/database.h"
#include "startup/download.h"
#include "startup/settings.h"
#include "startup/shared.h"
#include "startup/sun_coef.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KOLDE"));

    kolde_sub::fill_sun_coef();
    kolde_sub::read_time_zone();

    QString base = qEnvironmentVariable("KOLDE_UPDATE_URL");
    if (base.isEmpty())
        base = QStringLiteral("http://127.0.0.1:8737");

    const QString folder = kolde_sub::program_folder();
    QDir().mkpath(folder + QStringLiteral("/data"));
    QDir().mkpath(folder + QStringLiteral("/sound"));
    const QString db = kolde_sub::program_path(QStringLiteral("kolde.mdb"));
    if (!kolde_sub::file_exists(db)) {
        platform::Transfer transfer;
        if (!kolde_sub::download_to(transfer, base + QStringLiteral("/data/kolde.mdb"), db)) {
            std::fprintf(stderr, "KOLDE: cannot fetch the database from %s\n", qPrintable(base));
            return 1;
        }
    }
    if (!kolde_sub::open_database()) {
        std::fprintf(stderr, "KOLDE: cannot open %s\n", qPrintable(db));
        return 1;
    }
    std::printf("KOLDE %s: database ready in %s (%d airports, %d abbreviations)\n", "4.31",
                qPrintable(folder), kolde_sub::rs_airport().record_count(),
                kolde_sub::rs_abbrev().record_count());
    kolde_sub::close_database();
    return 0;
}
