// The chart window: the dated chart stamps, the menu table against the
// local site, the load image, sizes and the refresh timer; printing; the
// downloads a press lets through. The camera menu against the local site.
#include "core/clock.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"
#include "core/twips.h"
#include "platform/printers.h"
#include "platform/shell.h"
#include "platform/transfer.h"
#include "server.h"
#include "sidewin/chart_stamps.h"
#include "sidewin/side_windows.h"
#include "support/fixtures.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QtWebEngineCore/QWebEngineDownloadRequest>
#include <QtWebEngineCore/QWebEnginePage>
#include <QtWebEngineCore/QWebEngineProfile>
#include <QtWebEngineWidgets/QWebEngineView>

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include <unistd.h>

namespace {

using namespace kolde_sub;
using Kind = ChartMenuItem::Kind;

// ------------------------------------------------------------ stamps

TEST(DatedChartStamps, LatestIssueAtTheBandEdges)
{
    struct Case {
        QDate today;
        int hour;
        const char* difference;
        ChartCycle cycle;
        const char* stamp;
    };
    const QDate may10(2026, 5, 10);
    const auto six = ChartCycle::SixHourly;
    const auto three = ChartCycle::ThreeHourly;
    const Case cases[] = {
        {may10, 5, "+9", six, "202605091800"},
        {may10, 6, "+9", six, "202605100000"},
        {may10, 11, "+9", six, "202605100000"},
        {may10, 12, "+9", six, "202605100600"},
        {may10, 18, "+9", six, "202605101200"},
        {may10, 23, "+9", six, "202605101200"},
        {may10, 2, "+9", three, "202605092100"},
        {may10, 3, "+9", three, "202605100000"},
        {may10, 8, "+9", three, "202605100300"},
        {may10, 9, "+9", three, "202605100600"},
        {may10, 21, "+9", three, "202605101800"},
        // the day before across month, year and leap-day boundaries
        {QDate(2023, 3, 1), 2, "+9", three, "202302282100"},
        {QDate(2024, 3, 1), 2, "+9", three, "202402292100"},
        {QDate(2100, 3, 1), 2, "+9", three, "210002282100"},
        {QDate(2026, 1, 1), 0, "+9", six, "202512311800"},
        {QDate(2026, 5, 1), 1, "+9", three, "202604302100"},
        {QDate(2026, 8, 1), 1, "+9", three, "202607312100"},
        // the time difference moves the hour, and the day with it
        {may10, 23, "+10", three, "202605102100"},
        {may10, 14, "-5", six, "202605091800"},
        {may10, 20, "-5", six, "202605100000"},
        // 時差 read as everywhere in the program: "±0", and a text that is no
        // time difference counts as 0
        {may10, 9, "±0", three, "202605092100"},
        {may10, 15, "±0", three, "202605100300"},
        {may10, 15, "", three, "202605100300"},
        {may10, 15, "abc", three, "202605100300"},
        {may10, 9, "+9h", three, "202605092100"},
        {may10, 9, "+9:00", three, "202605092100"},
        {may10, 0, "+99999999999", six, "202605090600"},
        {may10, 0, "-24", six, "202605080600"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2h %3").arg(c.today.toString(Qt::ISODate)).arg(c.hour).arg(c.difference)
                         .toStdString());
        // The date and hour of a clock at Japan time; a clock at UTC or New
        // York time at the same moment picks the same chart.
        const QDateTime japan(c.today, QTime(c.hour, 0), Qt::OffsetFromUTC, 9 * 3600);
        for (const QDateTime& now : {japan, japan.toUTC(), japan.toOffsetFromUtc(-5 * 3600)})
            EXPECT_EQ(dated_chart_stamp(now, QString::fromUtf8(c.difference), c.cycle), QString::fromLatin1(c.stamp));
    }
}

// ------------------------------------------------------------ window

// Whether the web engine may start in this test process; run as root it
// needs its sandbox off.
bool allow_web_engine(std::optional<kolde_test::EnvironmentVariable>& flags)
{
#if defined(__SANITIZE_ADDRESS__)
    // The web engine's own library fails AddressSanitizer's new/delete size
    // check when a page closes: under the sanitizer the windows take their
    // path without the engine (its helper program is not found).
    flags.emplace("QTWEBENGINE_PROCESS_PATH", "/nonexistent/QtWebEngineProcess");
    return web_engine_can_run();
#endif
    // As root the engine runs without its sandbox; the flag alone says so
    // (a variable added while the engine's threads read the environment
    // could move the environment under them).
    if (::geteuid() == 0)
        flags.emplace("QTWEBENGINE_CHROMIUM_FLAGS", qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --no-sandbox");
    return web_engine_can_run();
}

class WebWindows : public kolde_test::SeededStore {
protected:
    void SetUp() override
    {
        SeededStore::SetUp();
        ASSERT_GT(site.start(0), 0);
        base = QString::fromStdString(site.base_url());
        web.emplace("KOLDE_WEB_URL", base.toUtf8());
        set_builtin_addresses();
        platform::set_default_browser_opener([this](const QUrl& u) {
            opened << u.toString();
            return true;
        });
    }
    void TearDown() override
    {
        kolde_sub::reset_clock();
        platform::set_default_browser_opener({});
        web.reset();
        set_builtin_addresses();
        SeededStore::TearDown();
    }

    static QString path_of(const QString& url) { return QUrl(url).path(); }

    // Waits (bounded) until the site has served the path.
    bool served(const QString& url)
    {
        const std::string path = path_of(url).toStdString();
        for (int i = 0; i < 400 && site.count(path) == 0; ++i)
            QTest::qWait(25);
        return site.count(path) > 0;
    }

    kolde_site::Server site;
    QString base;
    std::optional<kolde_test::EnvironmentVariable> web;
    QStringList opened;
};

// The site answers each address with a stand-in of the address's kind.
void expect_standin(const QString& url)
{
    platform::Transfer t;
    const platform::TransferResult r = t.get(url);
    ASSERT_TRUE(r.ok) << url.toStdString();
    const QString path = QUrl(url).path();
    if (path.endsWith(QStringLiteral(".pdf")))
        EXPECT_TRUE(r.body.startsWith("%PDF-")) << url.toStdString();
    else if (path.endsWith(QStringLiteral(".jpg")) || path.endsWith(QStringLiteral("GetOneShot")))
        EXPECT_TRUE(r.body.startsWith("\xFF\xD8")) << url.toStdString();
    else if (path.endsWith(QStringLiteral(".png")) || path.endsWith(QStringLiteral(".gif")))
        EXPECT_TRUE(r.body.startsWith("\x89PNG")) << url.toStdString();
    else
        EXPECT_TRUE(r.body.contains("<html")) << url.toStdString();
}

// Every chart item opens its address in the window, titled by its caption,
// sized or maximised, with 印刷 off for PDF charts; the site serves each
// address, and where the web engine runs the view's request reaches it.
TEST_F(WebWindows, EveryMenuItemReachesTheSite)
{
    std::optional<kolde_test::EnvironmentVariable> flags;
    const bool engine = allow_web_engine(flags);
    ASSERT_TRUE(set_setting(key::time_difference, platform::Value(QStringLiteral("+9"))));
    // 02:30 in Japan.
    kolde_sub::set_clock(QDateTime(QDate(2024, 3, 1), QTime(2, 30), Qt::OffsetFromUTC, 9 * 3600));
    chart w;
    w.show();
    int charts = 0;
    for (int row = 0; row < static_cast<int>(w.items().size()); ++row) {
        const ChartMenuItem& item = w.items()[row];
        if (item.kind == Kind::Submenu || item.kind == Kind::Separator)
            continue;
        SCOPED_TRACE(item.name.toStdString() + " " + std::to_string(item.index));
        ++charts;
        w.item_actions()[row]->trigger();
        const QString url = w.shown_url();
        EXPECT_TRUE(url.startsWith(base + u'/'));
        EXPECT_EQ(w.windowTitle(), QStringLiteral(" ") + item.caption);
        EXPECT_EQ(w.isMaximized(), item.width == 0);
        if (item.width != 0) {
            EXPECT_EQ(w.browser_size(), QSize(px(item.width), px(item.height)));
        }
        EXPECT_EQ(w.menu_print->isEnabled(), !url.endsWith(QStringLiteral("pdf")));
        if (engine) {
            EXPECT_TRUE(served(url));
        }
        expect_standin(url);
    }
    EXPECT_EQ(charts, 94);
    // The dated charts carry the stamp of the hour (the day before's last).
    for (const char* path : {"/fax/image4/lfax/fxjp106_202402292100.png", "/fax/image4/lfax/fbjp_202402291800.png",
                             "/fax/image4/lfax/fbjp112_202402292100.png"})
        EXPECT_GE(site.count(path), 1) << path;
    if (engine) {
        EXPECT_TRUE(opened.isEmpty() || opened.first().endsWith(QStringLiteral(".pdf")));
    }
}

// Every camera opens its address, captioned by the camera's name; the site
// serves each, and where the web engine runs the view's request reaches it.
TEST_F(WebWindows, EveryCameraReachesTheSite)
{
    std::optional<kolde_test::EnvironmentVariable> flags;
    const bool engine = allow_web_engine(flags);
    camera w;
    w.show();
    ASSERT_EQ(w.items().size(), 10u);
    for (int row = 0; row < 10; ++row) {
        const CameraItem& item = w.items()[row];
        SCOPED_TRACE(item.name.toStdString());
        w.item_actions()[row]->trigger();
        EXPECT_EQ(w.windowTitle(), item.caption);
        EXPECT_EQ(w.shown_url(), w.camera_url);
        EXPECT_TRUE(w.camera_url.startsWith(base + u'/'));
        if (engine) {
            EXPECT_TRUE(served(w.camera_url));
        }
        expect_standin(w.camera_url);
    }
}

// The window opens on the day image before noon and the night image from
// noon; the refresh comes every 300th tick, whatever chart is chosen.
TEST_F(WebWindows, LoadImageAndRefresh)
{
    struct Case {
        int hour, minute;
        const char* title;
        const char* file;
    };
    // The hour is Japan time (時差 +9), whatever zone the computer runs in.
    for (const char* zone : {"UTC", "Asia/Tokyo"})
        for (const Case c : {Case{11, 59, " 天気のツボ (昼)", "LBWwb_tubo_1.jpg"}, Case{12, 0, " 天気のツボ (夜)", "LBWwb_tubo_2.jpg"}}) {
            SCOPED_TRACE(zone);
            const kolde_test::TimeZoneAt tz(zone);
            kolde_sub::set_clock(QDateTime(QDate(2026, 5, 10), QTime(c.hour, c.minute), Qt::OffsetFromUTC, 9 * 3600));
            chart w;
            EXPECT_EQ(w.windowTitle(), QString::fromUtf8(c.title));
            EXPECT_EQ(w.shown_url(), addresses().weather_points + QLatin1String(c.file));
            EXPECT_TRUE(w.Timer->isActive());
        }
    chart w;
    for (int tick = 1; tick <= 900; ++tick) {
        if (tick == 100)
            w.item_actions()[1]->trigger();  // a change keeps the count going
        w.Timer_Timer();
        EXPECT_EQ(w.refresh_count(), tick < 100 ? 0 : (tick / 300)) << tick;
    }
}

// A chart answered with an empty body shows its address in place of the
// chart before it, under its own title, and the refresh asks for it again;
// the next chart that comes is shown.
TEST_F(WebWindows, AnEmptyChartShowsItsAddressNotTheChartBefore)
{
    std::optional<kolde_test::EnvironmentVariable> flags;
    if (!allow_web_engine(flags))
        GTEST_SKIP() << "the web engine cannot start here";
    chart w;
    w.show();
    const auto* address = w.findChild<QLabel*>(QStringLiteral("address"));
    ASSERT_NE(address, nullptr);
    ASSERT_TRUE(served(w.shown_url()));
    const auto item = [&](const char* name) {
        return w.item_actions().indexOf(w.findChild<QAction*>(QString::fromLatin1(name)));
    };
    // A bounded wait, long enough for a machine under load.
    const auto shows_address = [&](bool on) {
        return QTest::qWaitFor([&] { return w.WebBrowser->isHidden() == on && address->isVisible() == on; }, 30000);
    };

    const int row = item("menu_chart_today(3)");
    ASSERT_GE(row, 0);
    const QString empty = w.items()[row].address;
    site.set_fault(path_of(empty).toStdString(), kolde_site::Fault::Empty);
    w.item_actions()[row]->trigger();
    EXPECT_TRUE(shows_address(true));
    EXPECT_EQ(w.windowTitle(), QStringLiteral(" 実況天気図"));
    EXPECT_EQ(address->text(), empty);
    site.clear_requests();
    w.refresh();
    EXPECT_TRUE(served(empty));

    site.clear_faults();
    w.item_actions()[item("menu_chart_today(4)")]->trigger();
    EXPECT_TRUE(shows_address(false));
}

// A press in the view hands the desktop's browser the one download it
// started, shortly after it, in the chart and the camera window alike: its
// link's, or its link's own download, and none of the page's own: its
// script adds a frame that answers as a download every 400 ms.
// Each case runs as a test of its own, well within a test's time limit.
class WebPresses : public WebWindows, public testing::WithParamInterface<int> {};

TEST_P(WebPresses, APressHandsOverOnlyTheDownloadItStarted)
{
    std::optional<kolde_test::EnvironmentVariable> flags;
    if (!allow_web_engine(flags))
        GTEST_SKIP() << "the web engine cannot start here";
    // A link that another server sends on to the download.
    httplib::Server mover;
    mover.Get("/moved", [this](const httplib::Request&, httplib::Response& res) {
        res.set_redirect(base.toStdString() + "/dl/moved.bin");
    });
    const int mover_port = mover.bind_to_any_port("127.0.0.1");
    ASSERT_GT(mover_port, 0);
    std::thread mover_thread([&] { mover.listen_after_bind(); });
    struct StopMover {
        httplib::Server& s;
        std::thread& t;
        ~StopMover() { s.stop(); t.join(); }
    } stop_mover{mover, mover_thread};

    // The page's frames: few enough that the engine has told of them all
    // before the next case loads the page again.
    constexpr int frames = 4;
    for (int n = 1; n <= frames; ++n)
        site.set_file("/dl/tick" + std::to_string(n) + ".bin", "tick");
    for (const char* path : {"/dl/link.bin", "/dl/own.bin", "/dl/moved.bin"})
        site.set_file(path, "file");
    const auto box = [](const std::string& attributes, int top) {
        return "<a " + attributes + " style='position:absolute;left:0;top:" + std::to_string(top)
               + "px;width:200px;height:100px;display:block'>x</a>";
    };
    site.set_file("/dl/page.htm",
                  "<html><body style='margin:0'>" + box("href='/dl/link.bin'", 0)
                      + box("href='/dl/own.bin' download", 100)
                      + box("href='http://127.0.0.1:" + std::to_string(mover_port) + "/moved'", 200)
                      + "<script>let n = 0; const t = setInterval(() => { const f = document.createElement('iframe');"
                        " f.src = '/dl/tick' + ++n + '.bin'; document.body.appendChild(f); if (n == "
                      + std::to_string(frames) + ") clearInterval(t); }, 400);</script></body></html>");

    using namespace std::chrono_literals;
    struct Case {
        const char* what;
        bool camera;
        std::optional<QPoint> press;       // where the view is clicked, if anywhere
        std::chrono::milliseconds window;  // how long a press lets a download through
        const char* link;                  // the download the press starts, or null
        bool handed;                       // whether the desktop gets it
    };
    const Case cases[] = {
        {"no press", false, std::nullopt, 60s, nullptr, false},
        {"a blank part", false, QPoint(500, 350), 60s, nullptr, false},
        {"a link", false, QPoint(100, 50), 60s, "/dl/link.bin", true},
        {"a link's own download", false, QPoint(100, 150), 60s, "/dl/own.bin", true},
        {"a link sent on to its download", false, QPoint(100, 250), 60s, "/dl/moved.bin", true},
        {"a link pressed too long before its download", false, QPoint(100, 50), 0ms, "/dl/link.bin", false},
        {"a blank part of a camera page", true, QPoint(500, 350), 60s, nullptr, false},
        {"a link of a camera page", true, QPoint(100, 50), 60s, "/dl/link.bin", true},
    };
    // The case's window; the downloads its view asked for, told after the
    // window has had its say.
    std::unique_ptr<web_side_window> w;
    QStringList asked;
    bool loaded = false;
    for (const Case& c : cases) {
        if (&c - cases != GetParam())
            continue;
        SCOPED_TRACE(c.what);
        if (!w || (qobject_cast<camera*>(w.get()) != nullptr) != c.camera) {
            w.reset();
            if (c.camera)
                w = std::make_unique<camera>();
            else
                w = std::make_unique<chart>();
            ASSERT_NE(w->WebBrowser, nullptr);
            w->set_browser_size(QSize(640, 480));
            w->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
            QObject::connect(w->WebBrowser->page()->profile(), &QWebEngineProfile::downloadRequested, w.get(),
                             [&](QWebEngineDownloadRequest* d) { asked << d->url().path(); });
            QObject::connect(w->WebBrowser, &QWebEngineView::loadFinished, w.get(), [&](bool ok) { loaded = ok; });
        }
        w->set_press_window(c.window);
        opened.clear();
        asked.clear();
        loaded = false;
        // Bounded waits, long enough for a machine under load.
        const QString page = base + QStringLiteral("/dl/page.htm?") + QString::number(&c - cases);
        w->navigate(page);
        ASSERT_TRUE(QTest::qWaitFor([&] { return loaded && w->WebBrowser->url() == QUrl(page); }, 30000));
        if (c.press) {
            QWidget* view = w->WebBrowser->focusProxy() ? w->WebBrowser->focusProxy() : w->WebBrowser;
            QTest::mouseClick(view, Qt::LeftButton, {}, *c.press);
        }
        const auto told = [&] {
            return asked.filter(QStringLiteral("/dl/tick")).size() == frames
                   && (!c.link || asked.contains(QLatin1String(c.link)));
        };
        EXPECT_TRUE(QTest::qWaitFor(told, 30000)) << asked.join(u' ').toStdString();
        EXPECT_EQ(opened, c.handed ? QStringList{base + QLatin1String(c.link)} : QStringList());
    }
}

INSTANTIATE_TEST_SUITE_P(EachCase, WebPresses, testing::Range(0, 8));

// PDF charts take the main window's inner size less 700 twips, however
// wide the screen (no 16-bit limit).
TEST_F(WebWindows, PdfSizeFromAWideMainWindow)
{
    QWidget main_window;
    kolde_sub::set_main_window(&main_window);
    main_window.resize(2600, 1500);
    chart w;
    for (int row = 0; row < static_cast<int>(w.items().size()); ++row)
        if (w.items()[row].name == QStringLiteral("menu_SPAS"))
            w.item_actions()[row]->trigger();
    EXPECT_EQ(w.chart_width, tw(2600) - 700);
    EXPECT_EQ(w.chart_height, tw(1500) - 700);
    EXPECT_GT(w.chart_width, 32767);
}

// 印刷 prints the shown page on the current printer: "PDF" writes a file.
TEST_F(WebWindows, PrintsOnThePdfPrinter)
{
    std::optional<kolde_test::EnvironmentVariable> flags;
    if (!allow_web_engine(flags))
        GTEST_SKIP() << "the web engine cannot start here";
    platform::set_printer_queues_for_tests({}, QString());
    ASSERT_TRUE(platform::set_current_printer(platform::pdf_printer_name));
    chart w;
    ASSERT_NE(w.WebBrowser, nullptr);
    bool loaded = false;
    QObject::connect(w.WebBrowser, &QWebEngineView::loadFinished, [&](bool ok) { loaded = ok; });
    w.show();
    // Bounded waits, long enough for a machine under load.
    for (int i = 0; i < 1200 && !loaded; ++i)
        QTest::qWait(25);
    ASSERT_TRUE(loaded) << "the web engine started but the page never finished loading";
    std::optional<bool> finished;
    QObject::connect(&w, &web_side_window::print_finished, [&](bool ok) { finished = ok; });
    ASSERT_TRUE(w.menu_print->isEnabled());
    w.menu_print->trigger();
    for (int i = 0; i < 2400 && !finished; ++i)
        QTest::qWait(25);
    platform::reset_printers();
    ASSERT_TRUE(finished.has_value());
    EXPECT_TRUE(*finished);
    EXPECT_TRUE(w.last_print_file().startsWith(folder.file(QStringLiteral("print/KOLDE-"))));
    EXPECT_TRUE(kolde_test::read_file(w.last_print_file()).startsWith("%PDF"));
}

}  // namespace
