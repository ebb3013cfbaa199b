// A main window over a temporary program folder with the served database,
// an in-process update site and a recording message-box answerer.
#pragma once

#include <initializer_list>

#include "mainwin/view.h"
#include "view_driver.h"
#include "platform/msg_box.h"
#include "platform/shell.h"
#include "platform/value.h"
#include "platform/web_engine.h"
#include "server.h"
#include "core/database.h"
#include "core/log.h"
#include "core/program.h"
#include "core/settings.h"
#include "support/fixtures.h"
#include "sidewin/datachange.h"
#include "sidewin/log_window.h"
#include "translate/tooltips.h"

#include <QApplication>

#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <unistd.h>

namespace kolde_test {


// Where the report server keeps the per-station files.
inline const QString stations = QStringLiteral("/pub/data/observations/metar/stations/");
inline const QString forecasts = QStringLiteral("/pub/data/forecasts/taf/stations/");

class ViewFixture : public SeededStore {
protected:
    void SetUp() override
    {
        SeededStore::SetUp();
        if (HasFatalFailure())
            return;
        kolde_sub::set_setting(kolde_sub::key::program_version, platform::Value(4.31));
        kolde_sub::set_online(true);
        serve_version("4.31,1.10,2.05");
        platform::set_msg_box_answerer([this](const platform::MsgBoxCall& call) {
            boxes.push_back(call);
            return answer;
        });
    }

    // Serves data/version.dat with the given text.
    void serve_version(const char* text)
    {
        server.reset();
        QDir().mkpath(site.path() + QStringLiteral("/data"));
        ASSERT_TRUE(kolde_test::write_file(site.path() + QStringLiteral("/data/version.dat"), text));
        server = std::make_unique<kolde_site::Server>(site.path().toStdString());
        ASSERT_GT(server->start(0), 0);
        kolde_sub::set_update_address(QString::fromStdString(server->base_url()));
    }

    void TearDown() override
    {
        qputenv("KOLDE_REPORT_URL", QByteArray(""));  // no address, and no variable removed
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<kolde_sub::datachange*>(w))
                delete w;
        SeededStore::TearDown();
    }

    // The site answers report requests from its folder, which serve() fills;
    // the program's report addresses point at it. Returns the site's address.
    QString use_report_folder()
    {
        server->set_reports(kolde_site::ReportSource::Folder);
        const QString base = QString::fromStdString(server->base_url());
        kolde_sub::set_report_address(base);
        qputenv("KOLDE_REPORT_URL", base.toUtf8());
        return base;
    }

    // Puts a file on the site.
    void serve(const QString& path, const QByteArray& bytes)
    {
        ASSERT_TRUE(kolde_test::write_file(site.path() + path, bytes));
    }

    // Log rows, oldest first.
    static QStringList log_texts()
    {
        QStringList out;
        const kolde_sub::log_model* rows = kolde_sub::log_book();
        for (int r = rows->rowCount() - 1; r >= 0; --r)
            out << rows->row(r).text;
        return out;
    }

    // Runs action once from the event loop, as soon as the site has been
    // asked for path (a stalled request then waits for the action to clear
    // the stall). Returns whether it ran; runs body meanwhile.
    bool while_requested(const QString& path, const std::function<void()>& action, const std::function<void()>& body)
    {
        bool ran = false;
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (ran || served(path) == 0)
                return;
            ran = true;
            poll.stop();
            action();
        });
        poll.start();
        body();
        return ran;
    }

    // How often the update site served a path.
    int served(const QString& path) const { return server->count(path.toStdString()); }

    // Rewrites a list table with the given rows.
    static void fill_table(platform::Recordset& rs, const QStringList& columns, const QList<QList<platform::Value>>& rows)
    {
        ASSERT_TRUE(kolde_sub::save_shared_list(rs, columns, rows));
    }

    static void set(kolde_sub::SettingKey field, const platform::Value& v)
    {
        ASSERT_TRUE(kolde_sub::set_setting(field, v));
    }

    // Turns the switches named in off off and those in on on.
    static void switches(std::initializer_list<kolde_sub::SettingKey> off,
                         std::initializer_list<kolde_sub::SettingKey> on = {})
    {
        for (kolde_sub::SettingKey f : off)
            set(f, platform::Value::boolean(false));
        for (kolde_sub::SettingKey f : on)
            set(f, platform::Value::boolean(true));
    }

    QTemporaryDir site;
    std::unique_ptr<kolde_site::Server> server;
    std::vector<platform::MsgBoxCall> boxes;
    platform::MsgAnswer answer = platform::MsgAnswer::No;
};

// A main window whose pages go to a stand-in for the default browser, which
// records them in opened, unless the browser pane shows them.
class PageFixture : public ViewFixture {
protected:
    void SetUp() override
    {
        ViewFixture::SetUp();
        platform::set_default_browser_opener([this](const QUrl& url) {
            opened.push_back(url.toString());
            return true;
        });
    }
    void TearDown() override
    {
        platform::set_default_browser_opener({});
        ViewFixture::TearDown();
    }

    // True when the web engine can start here; as root, with its sandbox
    // switched off for the rest of the test (the flag alone does it).
    bool engine_starts()
    {
        if (::geteuid() == 0)
            flags.emplace("QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --no-sandbox");
        return platform::webengine_can_start(platform::current_webengine_environment());
    }

    std::vector<QString> opened;
    std::optional<EnvironmentVariable> flags;
};

// Shows the window and runs its first activation.
inline void activate(view& v)
{
    v.show();
    v.Form_Activate();
}

}  // namespace kolde_test

using kolde_test::drive;
