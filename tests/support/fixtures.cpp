#include "fixtures.h"

#include "core/clock.h"
#include "core/database.h"
#include "core/log.h"
#include "core/program.h"
#include "core/shared.h"
#include "platform/msg_box.h"
#include "reports/request.h"
#include "translate/tooltips.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QDialog>
#include <QTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <csignal>
#include <memory>
#include <ctime>

#include <sys/resource.h>
#include <sys/stat.h>

namespace kolde_test {

void ensure_app()
{
    if (QCoreApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kolde-tests";
    static char* argv[] = {name, nullptr};
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    new QApplication(argc, argv);
}

QString site_root() { return QStringLiteral(KOLDE_SITE_ROOT); }
QString seed_database() { return site_root() + QStringLiteral("/data/kolde.mdb"); }

bool copy_tree(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString dst = to + u'/' + QDir(from).relativeFilePath(src);
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(dst))
                return false;
        } else {
            QDir().mkpath(QFileInfo(dst).path());
            QFile::remove(dst);
            if (!QFile::copy(src, dst))
                return false;
            QFile::setPermissions(dst, QFile::permissions(src) | QFile::WriteOwner);
        }
    }
    return true;
}

ProgramFolder::ProgramFolder()
{
    had_home_ = qEnvironmentVariableIsSet("KOLDE_HOME");
    old_home_ = qgetenv("KOLDE_HOME");
    qputenv("KOLDE_HOME", dir_.path().toUtf8());
}

ProgramFolder::~ProgramFolder()
{
    kolde_sub::release_store();
    if (had_home_)
        qputenv("KOLDE_HOME", old_home_);
    else
        qunsetenv("KOLDE_HOME");
}

bool ProgramFolder::install_seed_database(const QString& relative) const
{
    const QString target = file(relative);
    QDir().mkpath(QFileInfo(target).path());
    QFile::remove(target);
    if (!QFile::copy(seed_database(), target))
        return false;
    return QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
}

QByteArray png(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray read_file(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool write_file(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size() && f.flush();
}

struct FileSizeLimit::Saved {
    rlimit limit{};
    void (*handler)(int) = nullptr;
};

FileSizeLimit::FileSizeLimit(long long limit)
    : saved_(new Saved)
{
    saved_->handler = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_->limit);
    rlimit lowered = saved_->limit;
    lowered.rlim_cur = static_cast<rlim_t>(limit);
    active_ = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &saved_->limit);
    std::signal(SIGXFSZ, saved_->handler);
    delete saved_;
}

EnvironmentVariable::EnvironmentVariable(const char* name, const QByteArray& value)
    : name_(name)
    , had_(qEnvironmentVariableIsSet(name))
    , old_(qgetenv(name))
{
    qputenv(name, value);
}

EnvironmentVariable::~EnvironmentVariable()
{
    if (had_)
        qputenv(name_, old_);
    else
        qunsetenv(name_);
}

ClockAt::ClockAt(const QDateTime& moment, bool runs) { kolde_sub::set_clock(moment, runs); }

ClockAt::~ClockAt() { kolde_sub::reset_clock(); }

TimeZoneAt::TimeZoneAt(const QByteArray& tz)
{
    tz_.emplace("TZ", tz);
    tzset();
}

TimeZoneAt::~TimeZoneAt()
{
    tz_.reset();
    tzset();
}

void reset_program_state()
{
    kolde_sub::reset_clock();
    kolde_sub::set_builtin_addresses();
    kolde_sub::set_online(false);
    kolde_sub::set_code_history(QStringLiteral(" "));
    kolde_sub::current_request().set_codes(QString());
    kolde_sub::current_request().forget_group();
    kolde_sub::unload_log();
    kolde_sub::unload_tooltips();
    platform::set_msg_box_answerer({});
}

void SeededStore::SetUp()
{
    ensure_app();
    reset_program_state();
    ASSERT_TRUE(folder.install_seed_database());
    ASSERT_TRUE(kolde_sub::open_database());
}

void SeededStore::TearDown() { reset_program_state(); }

}  // namespace kolde_test

namespace kolde_test {

ModalCloser::ModalCloser(std::function<void(QWidget*)> on_shown)
    : on_shown_(std::move(on_shown))
    , timer_(new QTimer)
{
    // The timer runs in the nested event loop of the modal window.
    timer_->setInterval(5);
    QObject::connect(timer_, &QTimer::timeout, [this] {
        QWidget* w = QApplication::activeModalWidget();
        // The wait notice of the options dialog closes itself and opens the
        // dialog; closing it here would race its own timer.
        if (!w || !w->isVisible() || w->objectName() == QStringLiteral("fontmsg"))
            return;
        shown_.append({w->objectName(), w->windowTitle()});
        if (on_shown_)
            on_shown_(w);
        if (w->isVisible())
            w->close();
    });
    timer_->start();
}

ModalCloser::~ModalCloser() { delete timer_; }

QStringList ModalCloser::names() const
{
    QStringList names;
    for (const Shown& s : shown_)
        names << s.name;
    return names;
}

int file_mode(const QString& path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return static_cast<int>(st.st_mode & 07777);
}

kolde_sub::TranslationSources hashed_translation_sources()
{
    using Table = QHash<QString, QString>;
    const auto table = [](platform::Recordset& rs, const QString& key, const QString& meaning) {
        auto out = std::make_shared<Table>();
        for (rs.move_first(); !rs.eof(); rs.move_next())
            if (const QString k = rs.field(key).to_text(); !out->contains(k))
                out->insert(k, rs.field(meaning).to_text());
        return out;
    };
    const auto look_up = [](std::shared_ptr<Table> t) { return [t](QStringView k) { return t->value(k.toString()); }; };
    const QString code = QStringLiteral("ICAOコード"), word = QStringLiteral("略語"), meaning = QStringLiteral("意味");
    kolde_sub::TranslationSources sources;
    sources.airport_name = look_up(table(kolde_sub::rs_airport(), code, QStringLiteral("飛行場名")));
    sources.translation_word = look_up(table(kolde_sub::rs_translation(), word, meaning));
    sources.weather_abbr = look_up(table(kolde_sub::rs_abbrev(), word, meaning));
    return sources;
}

}  // namespace kolde_test
