// The start-up sequence: learn whether the update site answers, provide the
// missing folders and files, open the store, keep the database at the
// version the site announces (carrying the user's data into a new
// database), take the site's current address and hand over to the main
// window. Nothing the site sends is ever run. Its state lives here, outside the splash window, so
// that closing the splash during a wait cannot pull it away.
#pragma once

#include "platform/msg_box.h"
#include "platform/transfer.h"

#include <QString>

#include <functional>

namespace kolde_sub {

// The three items of version.dat: newest program version, auto-update
// program version, database version. Items are separated by commas or line
// breaks; line breaks and blanks at the very end separate nothing. An item
// that is present but empty stays empty (it reads as version 0); only
// missing items repeat the last one read.
struct VersionFile {
    QString program, update, database;
};
[[nodiscard]] VersionFile parse_version_file(const QString& text);

// The program folder and the store belong to the user alone: makes the
// folder (mode 0700) when it is missing and gives an existing folder that
// mode, and the store and its companions mode 0600.
void keep_program_folder_private();

// True for an absolute http or https address with a host.
[[nodiscard]] bool is_site_url(const QString& text);

// A version number as shortest decimal text ("4.32", "5").
[[nodiscard]] QString version_text_of(float v);

class StartupSequence {
public:
    struct Hooks {
        std::function<void()> close_splash;        // unload the splash
        std::function<void()> show_no_connection;  // modal notice; returns when closed
        std::function<void()> show_main_window;    // modeless
    };
    enum class Outcome { NotRun, NoConnection, MainWindow };

    explicit StartupSequence(Hooks hooks);

    // The splash's own part, set by the splash itself: how to unload it
    // (in place of the hook above) and what to do when it is the active
    // window again after a message box of the sequence. Empty functions
    // detach the splash.
    void set_splash_hooks(std::function<void()> close_splash, std::function<void()> splash_activated);

    // The whole sequence, once.
    void run();
    // Ends the transfer under way (the splash's unload).
    void cancel();

    Outcome outcome() const { return outcome_; }

private:
    QString probe();
    // Opens the store; a store without its settings row gets one made of
    // the defaults, and the user is told. False when it cannot be used.
    bool open_store();
    void read_stored_base_url();
    void provide_missing_files();
    void stamp_program_version();
    VersionFile announced_versions(const QString& reply);
    void upgrade_database(float announced);
    void take_server_address();
    void tell(const QString& title, const QString& text);
    void close_splash();
    QString url(const char* path) const;

    Hooks hooks_;
    std::function<void()> splash_activated_;
    platform::Transfer inet_;
    Outcome outcome_ = Outcome::NotRun;
    bool store_opened_ = false;
    bool ran_ = false;
};

}  // namespace kolde_sub
