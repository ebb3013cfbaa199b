// Test fixtures: the Qt application, a temporary program folder, copies of
// the served site and database.
#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace kolde_test {

// Creates the QApplication once (tests run with QT_QPA_PLATFORM=offscreen).
void ensure_app();

// The folder the build assembled for the update site.
QString site_root();
// The served database file.
QString seed_database();

// Copies a folder tree; false when anything fails.
bool copy_tree(const QString& from, const QString& to);

// A temporary program folder: KOLDE_HOME points at it while it lives, and
// the shared store is released when it goes.
class ProgramFolder {
public:
    ProgramFolder();
    ~ProgramFolder();
    QString path() const { return dir_.path(); }
    QString file(const QString& relative) const { return dir_.path() + u'/' + relative; }
    // Puts a copy of the served database in place as kolde.mdb (or another name).
    bool install_seed_database(const QString& relative = QStringLiteral("kolde.mdb")) const;

private:
    QTemporaryDir dir_;
    QByteArray old_home_;
    bool had_home_ = false;
};

}  // namespace kolde_test
