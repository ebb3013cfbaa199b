// The update check on request: ask the update site for its program version,
// compare it with the installed one and tell the user; when another version
// is on offer, the user is told which one and how to install it. The check
// downloads nothing and starts nothing.
#pragma once

#include <QString>

#include <functional>

class QWidget;
namespace platform { class Transfer; }

namespace kolde_sub {

// What the reply of data/version.dat offers.
enum class UpdateOffer {
    NoVersionFile,  // the reply begins with "<" (an error page, with any
                    // status) or holds nothing but blanks
    SameVersion,    // its leading number equals the installed version
    OtherVersion,   // any other number, higher or lower
};

// The part of the reply that counts: its first four characters (all of it
// when shorter), never ending inside a character.
[[nodiscard]] QString version_reply_head(const QString& reply);
[[nodiscard]] UpdateOffer read_update_offer(const QString& head, float installed);

// The texts of the check's message boxes.
[[nodiscard]] QString latest_installed_text();
[[nodiscard]] QString latest_installed_text(const QString& installed_version);
// Another version is on offer: which one, and that it is installed through
// the system's package manager.
[[nodiscard]] QString update_offer_text(const QString& version);
[[nodiscard]] QString update_failed_text();

enum class UpdateCheckOutcome {
    Told,       // the user was told the site's version, or that it has none
    Failed,     // no reply, an unsuccessful one that is no error page, or
                // settings that cannot be read
    Abandoned,  // the caller went away during the wait; nothing was shown
};

// The whole check apart from the window's own part (the heartbeat): fetches
// base_url + "/data/version.dat" through transfer, logs and shows the
// outcome. After the wait abandoned() is asked first (when given); when it
// says true the check ends there, shows nothing and does not touch parent.
UpdateCheckOutcome run_update_check(platform::Transfer& transfer, const QString& base_url, QWidget* parent,
                                    const std::function<bool()>& abandoned = {});

}  // namespace kolde_sub
