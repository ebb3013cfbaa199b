// Between displays of the same request the automatic decode cycle asks
// whether a station has published a new observation or forecast: it fetches
// each station's two files again and compares their stamps with those in
// the station table. This is the comparison and its bookkeeping; the window
// does the fetching.
#pragma once

#include "reports/request.h"

#include <QString>

#include <optional>

namespace kolde_sub {

// The key a fetched station file is compared by: its stamp (change_key).
// A file that did not arrive has none: a failed transfer, an empty body or
// the server's error page is no new version of the file.
std::optional<QString> detection_key(bool transfer_ok, const QString& reply);

// What the pad and the log say of one changed file.
struct ChangeMark {
    QString pad;           // the code and its mark, e.g. "RJTT(SPECI) "
    QString log;           // e.g. "RJTT SPECI RECEIVED"
    bool routine = true;   // observations: a routine report, not a special
};

// A changed observation: routine when the minutes of its key ("HH:MM") are
// 0, 30 or 50 and more ("CODE " and "CODE METAR CHANGED"), special otherwise
// ("CODE(SPECI) " and "CODE SPECI RECEIVED").
ChangeMark observation_change(const QString& code, const QString& key);
// A changed forecast, by its whole text: "AMD", else "COR", else "TRD"
// anywhere gives "CODE(AMD) " and "CODE TAF(AMD) RECEIVED" and so on;
// otherwise "CODE " and "CODE TAF   CHANGED".
ChangeMark forecast_change(const QString& code, const QString& reply);

// What one fetched file did to the station table.
struct FileCheck {
    bool changed = false;           // a new stamp was recorded
    std::optional<ChangeMark> mark; // the mark and log line, when the change is marked
};

// Compares a station's fetched observation (forecast) file with the stamp
// in column 1 (2) of row and records a new stamp there. A change is marked
// only while the pad (the pad label's caption) does not hold the code yet:
// later changes of a marked station are recorded but neither marked nor
// logged again.
FileCheck check_observation(StationRow& row, const QString& code, bool transfer_ok, const QString& reply,
                            const QString& pad);
FileCheck check_forecast(StationRow& row, const QString& code, bool transfer_ok, const QString& reply,
                         const QString& pad);

}  // namespace kolde_sub
