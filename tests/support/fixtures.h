// Test fixtures: the Qt application, a temporary program folder, copies of
// the served site and database.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QStringList>

class QTimer;
class QWidget;
#include <QString>
#include <QTemporaryDir>

#include "translate/translation.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

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

// The whole content of a file; empty when it cannot be read.
QByteArray read_file(const QString& path);
// The bytes of a red PNG picture of the given size.
QByteArray png(int width, int height);
// Writes a file whole, creating its folder; false when anything fails.
bool write_file(const QString& path, const QByteArray& bytes);

// While it lives, no file of this process can grow beyond limit bytes: a
// write past it fails as on a full disk (even for root, unlike a folder
// without write permission).
class FileSizeLimit {
public:
    explicit FileSizeLimit(long long limit);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return active_; }

private:
    struct Saved;
    Saved* saved_ = nullptr;
    bool active_ = false;
};

// Sets an environment variable while it lives, then puts back what was there.
class EnvironmentVariable {
public:
    EnvironmentVariable(const char* name, const QByteArray& value);
    ~EnvironmentVariable();
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

// While it lives, the program's clock reads moment (standing still, or with
// runs going on from there at the real pace); then the computer's clock again.
class ClockAt {
public:
    explicit ClockAt(const QDateTime& moment, bool runs = false);
    ~ClockAt();
    ClockAt(const ClockAt&) = delete;
    ClockAt& operator=(const ClockAt&) = delete;
};

// While it lives, the computer's clock runs in the time zone tz (as TZ
// names it, e.g. "UTC" or "Asia/Tokyo"); then in the one before.
class TimeZoneAt {
public:
    explicit TimeZoneAt(const QByteArray& tz);
    ~TimeZoneAt();
    TimeZoneAt(const TimeZoneAt&) = delete;
    TimeZoneAt& operator=(const TimeZoneAt&) = delete;

private:
    std::optional<EnvironmentVariable> tz_;
};

// Puts the program-wide values that tests touch back to their start values:
// offline, empty request and history, built-in addresses, no log or tip
// window, no message-box answerer.
void reset_program_state();

// A test over a temporary program folder with the served database open.
class SeededStore : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    ProgramFolder folder;
};

}  // namespace kolde_test

namespace kolde_test {

// While it lives, every modal window that opens (a dialog run with exec) is
// recorded by object name and caption, handed to on_shown when one is set,
// and closed, so a handler that shows it modal goes on. The options dialog's
// wait notice is left to hand over to the dialog by itself.
class ModalCloser {
public:
    struct Shown {
        QString name;
        QString caption;
    };
    explicit ModalCloser(std::function<void(QWidget*)> on_shown = {});
    ~ModalCloser();
    ModalCloser(const ModalCloser&) = delete;
    ModalCloser& operator=(const ModalCloser&) = delete;
    const QList<Shown>& shown() const { return shown_; }
    QStringList names() const;

private:
    QList<Shown> shown_;
    std::function<void(QWidget*)> on_shown_;
    QTimer* timer_ = nullptr;
};

// The permission bits of a file or folder (0700, 0644 ...); -1 when there
// is none.
int file_mode(const QString& path);

// The translation's look-ups over hash tables made from the open store's
// airport catalogue and dictionaries (the first row of a key counts), in
// UTC; faster than the program's row-by-row look-ups.
kolde_sub::TranslationSources hashed_translation_sources();

}  // namespace kolde_test
