// The browser pane: the pages and their stand-ins, the address box, when
// the web engine may start, opening pages in the pane or the default
// browser, browser mode, and closing the pane alone.

#include "view_fixture.h"

#include "mainwin/browser_rules.h"
#include "platform/transfer.h"

#include <QFileInfo>
#include <QStatusBar>
#include <QTest>
#include <QWebEngineView>

#include <functional>
#include <optional>


using kolde_sub::WebPage;
using kolde_test::activate;
using platform::Value;

namespace {

const QString loading = QStringLiteral("取得中");
const QString shown = QStringLiteral("ページが表示されました");

QString newest_log_text()
{
    const kolde_sub::log_model* rows = kolde_sub::log_book();
    return rows->rowCount() > 0 ? rows->row(0).text : QString();
}

TEST(WebPages, AddressesLogTextsAndStandIns)
{
    const QString web = QStringLiteral("http://web.example");
    const QString update = QStringLiteral("http://update.example");
    struct Case {
        WebPage page;
        QString url;
        QString log;
    };
    const Case cases[] = {
            {WebPage::Ais, web + "/ais/", "DISPLAY AIS-JAPAN"},
            {WebPage::AirportWeather, web + "/weather/jp/leisure/airport/", "DISPLAY Yahoo! WEATHER"},
            {WebPage::HomePage, web + "/home/", "DISPLAY KOLDE HOMEPAGE"},
            {WebPage::HomeIndex, web + "/home/index.html", "DISPLAY KOLDE HOMEPAGE"},
            {WebPage::Help, web + "/home/kolde/help/help.html", "DISPLAY ONLINE HELP"},
            {WebPage::AccessCounter, update + "/index2.htm", "DISPLAY ACCESS COUNTER"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.url.toStdString());
        EXPECT_EQ(kolde_sub::web_page_url(c.page, web, update), c.url);
        EXPECT_EQ(kolde_sub::web_page_log_text(c.page), c.log);
        // The local site has a page of its own for each address.
        const QString file = kolde_test::site_root() + kolde_sub::web_page_file(kolde_sub::web_page_path(c.page));
        EXPECT_TRUE(QFileInfo(file).isFile()) << file.toStdString();
    }
    EXPECT_EQ(kolde_sub::web_page_file(QStringLiteral("/a/")), QStringLiteral("/a/index.html"));
    EXPECT_EQ(kolde_sub::web_page_file(QStringLiteral("/a/b.html")), QStringLiteral("/a/b.html"));
}

// The local site serves every stand-in page, folder addresses included.
TEST(WebPages, LocalSiteServesTheStandInPages)
{
    kolde_test::ensure_app();
    kolde_site::Server site;
    ASSERT_GT(site.start(0), 0);
    const QString base = QString::fromStdString(site.base_url());
    platform::Transfer transfer;
    for (const WebPage page : {WebPage::Ais, WebPage::AirportWeather, WebPage::HomePage, WebPage::HomeIndex,
                               WebPage::Help, WebPage::AccessCounter}) {
        const QString url = kolde_sub::web_page_url(page, base, base);
        SCOPED_TRACE(url.toStdString());
        const platform::TransferResult r = transfer.get(url);
        EXPECT_TRUE(r.ok);
        EXPECT_TRUE(r.body.contains("<html"));
    }
}

TEST(AddressBox, LowerCaseHBecomesTheWebPrefix)
{
    struct Case {
        QString text;
        int key;
        QString result;  // null: left alone
    };
    const Case cases[] = {
            {"h", Qt::Key_H, "http://www."},
            {"H", Qt::Key_H, QString()},
            {"h", Qt::Key_J, QString()},
            {"hh", Qt::Key_H, QString()},
            {" h", Qt::Key_H, QString()},
            {"", Qt::Key_H, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const QString got = kolde_sub::address_completion(c.text, c.key);
        EXPECT_EQ(got.isNull(), c.result.isNull());
        EXPECT_EQ(got, c.result);
    }
}

// A typed address is read as a browser reads it: without a scheme it is a
// web address.
TEST(AddressBox, TypedAddressIsReadAsABrowserReadsIt)
{
    const struct {
        const char* typed;
        const char* url;  // empty: nothing to open
    } cases[] = {
            {"127.0.0.1:8737/home/", "http://127.0.0.1:8737/home/"},
            {"localhost:8737/home/", "http://localhost:8737/home/"},
            {"www.example.jp", "http://www.example.jp"},
            {"http://www.", "http://www."},
            {"https://example.jp/a b", "https://example.jp/a%20b"},
            {"about:blank", "about:blank"},
            {"  example.jp/x  ", "http://example.jp/x"},
            {"", ""},
            {"   ", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const QUrl url = kolde_sub::address_url(QString::fromUtf8(c.typed));
        EXPECT_EQ(url.toString(QUrl::FullyEncoded).toStdString(), c.url);
        EXPECT_EQ(url.isValid(), *c.url != 0);
    }
}

TEST(WebEngine, StartsOnlyWhereItsSandboxAndHelperAllow)
{
    using Env = kolde_sub::WebEngineEnvironment;
    struct Case {
        const char* what;
        Env env;
        bool starts;
    };
    const Case cases[] = {
            {"user", {false, "", false, {}, true}, true},
            {"root without switch", {true, "", false, {}, true}, false},
            {"root, flag", {true, "--no-sandbox", false, {}, true}, true},
            {"root, flag among others", {true, "  --disable-gpu   --no-sandbox ", false, {}, true}, true},
            {"root, a longer flag", {true, "--no-sandboxing", false, {}, true}, false},
            {"root, sandbox disabled", {true, "", true, {}, true}, true},
            {"root, argument", {true, "", false, {"kolde", "--no-sandbox"}, true}, true},
            {"no helper", {false, "", false, {}, false}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(kolde_sub::webengine_can_start(c.env), c.starts);
    }
}

class BrowserPane : public kolde_test::PageFixture {
protected:
    // The menu items browser mode turns off.
    static bool browser_mode_items(const view& v, bool enabled)
    {
        const char* const names[] = {"menu_print",      "menu_save",   "menu_list",   "menu_company",
                                     "menu_info_weather", "menu_airport", "menu_autodecode", "menu_option",
                                     "menu_update",     "menu_command", "menu_info_log"};
        return std::all_of(std::begin(names), std::end(names),
                           [&](const char* n) { return drive(v).menu_item(n)->isEnabled() == enabled; });
    }
    static bool browser_mode_items_enabled(const view& v) { return browser_mode_items(v, true); }
    static bool browser_mode_items_disabled(const view& v) { return browser_mode_items(v, false); }
};

TEST_F(BrowserPane, IsNotCreatedAtStart)
{
    view v;
    activate(v);
    QCoreApplication::processEvents();
    EXPECT_EQ(v.browser_view(), nullptr);
    EXPECT_FALSE(drive(v).browser_pane()->isVisible());
    EXPECT_FALSE(drive(v).address_bar()->isVisible());
}

TEST_F(BrowserPane, WithoutThePaneSettingPagesGoToTheDefaultBrowser)
{
    set(kolde_sub::key::browser, Value::boolean(false));
    view v;
    activate(v);
    const QString url = kolde_sub::web_page_url(WebPage::Help);
    v.open_page(url, QStringLiteral("DISPLAY ONLINE HELP"));
    EXPECT_EQ(opened, std::vector<QString>{url});
    EXPECT_EQ(newest_log_text(), QStringLiteral("DISPLAY ONLINE HELP"));
    EXPECT_EQ(drive(v).current_url(), url);
    EXPECT_EQ(v.browser_view(), nullptr);
    EXPECT_FALSE(drive(v).browser_pane()->isVisible());
    EXPECT_FALSE(drive(v).address_bar()->isVisible());
    EXPECT_TRUE(browser_mode_items_enabled(v));
    EXPECT_FALSE(v.close_browser_pane());
}

// Where the web engine cannot start, the pane setting falls back to the
// default browser rather than failing (or taking the program down).
TEST_F(BrowserPane, WithoutTheWebEngineHelperPagesGoToTheDefaultBrowser)
{
    set(kolde_sub::key::browser, Value::boolean(true));
    kolde_test::EnvironmentVariable helper("QTWEBENGINE_PROCESS_PATH", "/nonexistent/QtWebEngineProcess");
    view v;
    activate(v);
    const QString url = kolde_sub::web_page_url(WebPage::HomeIndex);
    v.open_page(url, QStringLiteral("DISPLAY KOLDE HOMEPAGE"));
    EXPECT_EQ(opened, std::vector<QString>{url});
    EXPECT_EQ(v.browser_view(), nullptr);
    EXPECT_FALSE(drive(v).browser_pane()->isVisible());
    EXPECT_TRUE(browser_mode_items_enabled(v));
}

TEST_F(BrowserPane, AisPageNeedsTheNetwork)
{
    set(kolde_sub::key::browser, Value::boolean(false));
    view v;
    activate(v);
    kolde_sub::set_online(false);
    v.show_ais_page();
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, QStringLiteral(" 確認"));
    EXPECT_EQ(boxes[0].text, QStringLiteral("インターネットに接続できません　　"));
    EXPECT_EQ(newest_log_text(), QStringLiteral("SYSTEM NO NETWORK CONNECTION"));

    kolde_sub::set_online(true);
    v.show_ais_page();
    EXPECT_EQ(opened, std::vector<QString>{kolde_sub::web_page_url(WebPage::Ais)});
    EXPECT_EQ(newest_log_text(), QStringLiteral("DISPLAY AIS-JAPAN"));
}

// The status text kept for the console is the console's: a second page
// opened while the pane shows the first does not replace it by the pane's.
TEST_F(BrowserPane, SecondPageKeepsTheConsoleStatusText)
{
    set(kolde_sub::key::browser, Value::boolean(false));
    view v;
    activate(v);
    drive(v).set_status_panel_text(QStringLiteral("console status"));
    v.open_page(QStringLiteral("http://a.example/"));
    EXPECT_EQ(drive(v).status_text(), QStringLiteral("console status"));
    drive(v).browser_pane()->show();
    drive(v).set_status_panel_text(shown);
    v.open_page(QStringLiteral("http://b.example/"));
    EXPECT_EQ(drive(v).status_text(), QStringLiteral("console status"));
}

TEST_F(BrowserPane, StatusPanelFollowsThePaneWhileItIsShown)
{
    view v;
    activate(v);
    drive(v).set_status_panel_text(QStringLiteral("before"));
    v.WebBrowser_StatusTextChange(QStringLiteral("http://x.example/"));
    EXPECT_EQ(drive(v).status_panel_text(), QStringLiteral("before"));  // pane hidden

    drive(v).browser_pane()->show();
    v.WebBrowser_StatusTextChange(QStringLiteral("http://x.example/"));
    EXPECT_EQ(drive(v).status_panel_text(), loading);
    drive(v).set_status_panel_text(QStringLiteral("other"));
    v.WebBrowser_StatusTextChange(loading);
    EXPECT_EQ(drive(v).status_panel_text(), QStringLiteral("other"));
    v.WebBrowser_StatusTextChange(shown);
    EXPECT_EQ(drive(v).status_panel_text(), shown);

    // The address box takes the address of the completed page.
    drive(v).address_bar()->setText(QStringLiteral("http://typed.example/"));
    v.WebBrowser_DocumentComplete(QStringLiteral("http://redirected.example/"));
    EXPECT_EQ(drive(v).address_bar()->text(), QStringLiteral("http://redirected.example/"));
    EXPECT_EQ(drive(v).address_bar()->cursorPosition(), drive(v).address_bar()->text().size());
}

TEST_F(BrowserPane, AddressBoxAndGoButton)
{
    view v;
    activate(v);
    drive(v).browser_pane()->show();
    v.enter_browser_mode();
    drive(v).address_bar()->setFocus();
    QTest::keyClick(drive(v).address_bar(), Qt::Key_H);
    EXPECT_EQ(drive(v).address_bar()->text(), QStringLiteral("http://www."));
    EXPECT_EQ(drive(v).address_bar()->cursorPosition(), 11);

    // The go button: the normal face uncovers the active one only with an
    // address to go to; the press looks pressed until the release.
    drive(v).address_bar()->clear();
    v.imgGo_MouseMove(1);
    EXPECT_TRUE(drive(v).go_button(false)->isVisible());
    drive(v).address_bar()->setText(QStringLiteral("about:blank"));
    v.imgGo_MouseMove(1);
    EXPECT_FALSE(drive(v).go_button(false)->isVisible());
    v.inputURL_MouseMove();
    EXPECT_TRUE(drive(v).go_button(false)->isVisible());
    v.imgGo_MouseDown(0);
    EXPECT_NE(drive(v).go_button(true)->frameShape(), QFrame::NoFrame);
    v.imgGo_MouseUp(0);
    EXPECT_EQ(drive(v).go_button(true)->frameShape(), QFrame::NoFrame);
}

TEST_F(BrowserPane, LeavingBrowserModeKeepsThePadWhenItIsShown)
{
    for (const bool pad : {true, false}) {
        SCOPED_TRACE(pad);
        set(kolde_sub::key::scratch_pad, Value::boolean(pad));
        view v;
        activate(v);
        // The menus come back whatever the network.
        kolde_sub::set_online(false);
        v.set_network_menus_enabled(false);
        v.enter_browser_mode();
        EXPECT_TRUE(browser_mode_items_disabled(v));
        EXPECT_TRUE(drive(v).pad_frame()->isVisible());
        EXPECT_EQ(drive(v).menu_item("menu_exit")->text(), QStringLiteral("ブラウザーを閉じる"));
        EXPECT_EQ(drive(v).button(kolde_sub::Button::exit)->toolTip(), QStringLiteral(" ブラウザーを閉じる "));
        v.leave_browser_mode();
        EXPECT_TRUE(browser_mode_items_enabled(v));
        EXPECT_EQ(drive(v).pad_frame()->isVisible(), pad);
        EXPECT_FALSE(drive(v).address_bar()->isVisible());
        EXPECT_FALSE(drive(v).go_button(true)->isVisible());
        EXPECT_EQ(drive(v).menu_item("menu_exit")->text(), QStringLiteral("KOLDE を終了"));
        EXPECT_EQ(drive(v).button(kolde_sub::Button::exit)->toolTip(), QStringLiteral(" KOLDE を終了 "));
        kolde_sub::set_online(true);
    }
}

// The web engine's threads read the environment while they run, and a
// variable added meanwhile may move the environment's table under them (a
// crash now and then in a whole shuffled run). What these tests set in the
// environment is there before any thread starts: each setting changes a
// value and adds no variable, nor does putting it back.
TEST_F(BrowserPane, EnvironmentSettingsAddNoVariable)
{
    const auto variables = [] {
        int n = 0;
        for (char** e = environ; *e != nullptr; ++e)
            ++n;
        return n;
    };
    std::optional<kolde_test::EnvironmentVariable> setting;
    const struct {
        const char* what;
        std::function<void()> set;
    } cases[] = {
            {"the sandbox switch", [&] { engine_starts(); }},
            {"the web address", [&] { setting.emplace("KOLDE_WEB_URL", "http://web.example"); }},
            {"a missing helper", [&] { setting.emplace("QTWEBENGINE_PROCESS_PATH", "/nonexistent/QtWebEngineProcess"); }},
            {"the report folder", [&] { use_report_folder(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int before = variables();
        c.set();
        EXPECT_EQ(variables(), before);
        setting.reset();
        flags.reset();
        EXPECT_EQ(variables(), before);
    }
}

// A page from the local site in the pane: browser mode while it shows,
// and closing the pane leaves the window open and browser mode off.
TEST_F(BrowserPane, ShowsALocalPageAndClosesThePaneAlone)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the web engine's own library fails AddressSanitizer's new/delete size check when a "
                    "page closes; the default-browser path and the pane's rules are tested without it";
#endif
    if (!engine_starts())
        GTEST_SKIP() << "the web engine cannot start here (its helper program is missing)";

    kolde_site::Server site;
    ASSERT_GT(site.start(0), 0);
    const QString base = QString::fromStdString(site.base_url());
    const QString url = kolde_sub::web_page_url(WebPage::Help, base, base);

    set(kolde_sub::key::browser, Value::boolean(true));
    set(kolde_sub::key::scratch_pad, Value::boolean(false));
    view v;
    activate(v);
    // No heartbeat display may change the status text during the wait.
    drive(v).heartbeat_timer()->stop();
    drive(v).set_status_panel_text(QStringLiteral("console status"));
    v.open_page(url, QStringLiteral("DISPLAY ONLINE HELP"));
    ASSERT_NE(v.browser_view(), nullptr);
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(drive(v).browser_pane()->isVisible());
    EXPECT_TRUE(browser_mode_items_disabled(v));
    EXPECT_TRUE(drive(v).address_bar()->isVisible());

    // Bounded wait for the page (not a timing check).
    for (int i = 0; i < 600 && drive(v).status_panel_text() != shown; ++i)
        QTest::qWait(50);
    ASSERT_EQ(drive(v).status_panel_text(), shown) << "the web engine started but the page never finished loading";
    EXPECT_EQ(site.count("/home/kolde/help/help.html"), 1);
    EXPECT_EQ(drive(v).address_bar()->text(), url);

    // An address typed without a scheme, then Enter, opens the page from the site.
    const int before = site.count("/home/");
    drive(v).address_bar()->clear();
    drive(v).address_bar()->setFocus();
    QTest::keyClicks(drive(v).address_bar(), base.mid(base.indexOf(QStringLiteral("//")) + 2) + QStringLiteral("/home/"));
    QTest::keyClick(drive(v).address_bar(), Qt::Key_Return);
    // Bounded wait for the request (not a timing check).
    for (int i = 0; i < 600 && site.count("/home/") == before; ++i)
        QTest::qWait(50);
    EXPECT_EQ(site.count("/home/"), before + 1);

    EXPECT_TRUE(v.close_browser_pane());
    EXPECT_TRUE(v.isVisible());
    EXPECT_FALSE(drive(v).browser_pane()->isVisible());
    EXPECT_EQ(drive(v).status_panel_text(), QStringLiteral("console status"));
    EXPECT_TRUE(browser_mode_items_enabled(v));
    EXPECT_FALSE(drive(v).address_bar()->isVisible());
    EXPECT_FALSE(drive(v).pad_frame()->isVisible());
    EXPECT_EQ(drive(v).menu_item("menu_exit")->text(), QStringLiteral("KOLDE を終了"));
    EXPECT_FALSE(v.close_browser_pane());
}

}  // namespace

// Browser mode and the network both hold the sequence, group and update
// entries off; the network does not switch them on in browser mode.
TEST_F(BrowserPane, NetworkAndBrowserModeBothHoldTheirMenusOff)
{
    view v;
    activate(v);
    const auto held = [&v] {
        return std::array<bool, 3>{drive(v).menu_item("menu_list")->isEnabled(), drive(v).menu_item("menu_company")->isEnabled(),
                                   drive(v).menu_item("menu_update")->isEnabled()};
    };
    const std::array<bool, 3> off{false, false, false};
    const std::array<bool, 3> on{true, true, true};

    v.enter_browser_mode();
    v.set_network_menus_enabled(true);
    EXPECT_EQ(held(), off);
    EXPECT_TRUE(drive(v).menu_item("menu_chart")->isEnabled());
    // Leaving browser mode brings them back whatever the network; the
    // network's next loss takes them off again.
    v.set_network_menus_enabled(false);
    v.leave_browser_mode();
    EXPECT_EQ(held(), on);
    EXPECT_TRUE(drive(v).menu_item("menu_print")->isEnabled());
    v.set_network_menus_enabled(false);
    EXPECT_EQ(held(), off);
    v.set_network_menus_enabled(true);
    EXPECT_EQ(held(), on);

    // Without groups the pop-up group entry stays off: its one item would
    // repeat an old request.
    drive(v).group_menu_count() = 0;
    v.set_network_menus_enabled(true);
    EXPECT_FALSE(drive(v).menu_item("menu_popup_group")->isEnabled());
}
