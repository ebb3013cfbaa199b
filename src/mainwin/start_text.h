// The texts and checks of the main window's start: the work files cleared
// at load, the banner, the version reply of the update site and the update
// offer.
#pragma once

#include <QString>
#include <QStringList>

namespace kolde_sub {

// The work files of the previous run, relative to the program folder:
// data/sequence.dat, data/figure.dat and data/00.dat .. data/23.dat.
QStringList work_file_names();
// Deletes those of them that exist; other files stay.
void delete_work_files();

// The start banner for an installed version text.
QString banner_text(const QString& version);

// A version number as its shortest decimal text: 4.32 -> "4.32", 5 -> "5".
QString version_display_text(float version);

enum class VersionReply {
    NoAnswer,  // empty, or an error page (first character "<")
    Same,      // the site offers the installed version
    Differs,   // the site offers another version
};
// Reads the reply of data/version.dat against the installed version; the
// site's version goes to *site_version (0 when the reply holds no number).
VersionReply classify_version_reply(const QString& reply, float installed, float* site_version = nullptr);

// The console notice of a newer version when the start-up does not ask;
// it begins with the line break in front of it.
QString update_notice_text(const QString& version);

}  // namespace kolde_sub
