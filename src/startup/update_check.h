// The update check on request: ask the update site for its program version,
// compare it with the installed one and tell the user; when another version
// is on offer and the user agrees, the update is accepted, and the exit then
// starts the auto-update program. The check downloads nothing itself.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;
namespace platform { class Transfer; }

namespace kolde_sub {

// What the reply of data/version.dat offers.
enum class UpdateOffer {
    NoVersionFile,  // the reply begins with "<" (an error page, with any status)
    SameVersion,    // its leading number equals the installed version
    OtherVersion,   // any other number, higher or lower; an empty reply is 0
};

// The part of the reply that counts: its first four characters (all of it
// when shorter), never ending inside a character.
[[nodiscard]] QString version_reply_head(const QString& reply);
[[nodiscard]] UpdateOffer read_update_offer(const QString& head, float installed);

// The texts of the check's message boxes.
[[nodiscard]] QString latest_installed_text();
[[nodiscard]] QString latest_installed_text(const QString& installed_version);
[[nodiscard]] QString update_offer_text(const QString& head);
[[nodiscard]] QString update_failed_text();

enum class UpdateCheckOutcome {
    Accepted,     // the user agreed to another version
    NotAccepted,  // same version, no version file, or the user declined
    Failed,       // no reply, an unsuccessful one that is no error page, or
                  // settings that cannot be read
    Abandoned,    // the caller went away during the wait; nothing was shown
};

// The whole check apart from the window's own part (the heartbeat and the
// close): fetches base_url + "/data/version.dat" through transfer, logs and
// shows the outcome, and asks when another version is offered. After the
// wait abandoned() is asked first (when given); when it says true the check
// ends there, shows nothing and does not touch parent.
UpdateCheckOutcome run_update_check(platform::Transfer& transfer, const QString& base_url, QWidget* parent,
                                    const std::function<bool()>& abandoned = {});

// ---- the auto-update program

// Starts a program detached, in the given working folder; false when it
// could not start.
using ProcessStarter =
        std::function<bool(const QString& program, const QStringList& arguments, const QString& working_folder)>;
// Replaces the starter (tests); an empty function puts the detached start
// of QProcess back.
void set_process_starter(ProcessStarter starter);

// Starts folder/update.exe (a shell script) detached through sh, with the
// program folder and the update site's address as its arguments. Nothing
// starts when folder is not absolute or holds no update.exe. Returns
// whether it started.
bool start_updater(const QString& folder, const QString& site_url);

}  // namespace kolde_sub
