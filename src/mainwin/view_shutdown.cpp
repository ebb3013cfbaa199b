// The main window's close, which ends the program, and the update check on
// request.

#include "view.h"

#include "heartbeat.h"
#include "menus.h"
#include "display_runner.h"
#include "tray.h"

#include "options/opton.h"

#include "platform/transfer.h"
#include "reports/request.h"
#include "startup/compaction.h"
#include "startup/update_check.h"
#include "core/database.h"
#include "core/log.h"
#include "core/logging.h"
#include "core/program.h"
#include "core/settings.h"
#include "core/shared.h"
#include "translate/tooltips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTimer>
#include <QWebEngineView>

using namespace kolde_sub;

namespace {

// Removes folder/name with everything in it. A symbolic link of that name is
// removed as a link: what it points to lies outside the program folder.
void remove_subfolder(const QString& folder, const QString& name)
{
    const QString path = folder + u'/' + name;
    const QFileInfo fi(path);
    if (fi.isSymLink()) {
        QFile::remove(path);
        return;
    }
    if (fi.isDir() && !QDir(path).removeRecursively())
        qCWarning(lc_mainwin) << "could not remove all of" << path;
}

}  // namespace

void view::closeEvent(QCloseEvent* event)
{
    // The close box (a close that comes from the window system) while the
    // browser pane is open closes only the pane.
    if (!closing_ && event->spontaneous() && close_browser_pane()) {
        event->ignore();
        return;
    }
    shut_down();
    QMainWindow::closeEvent(event);
}

void view::shut_down()
{
    if (closing_)
        return;
    closing_ = true;
    // The program folder is taken once: everything removed or replaced below
    // lies inside it, and nothing is removed without an absolute one.
    const QString folder = program_folder();
    const bool folder_usable = !folder.isEmpty() && QDir::isAbsolutePath(folder);
    if (!folder_usable)
        qCWarning(lc_mainwin) << "no absolute program folder; nothing is removed at exit:" << folder;

    // No transfer may complete, and no timer fire, once the store is gone.
    emit shutting_down();
    display_->stop();
    heartbeat_->cancel_probe();
    if (browser_view() != nullptr)
        browser_view()->stop();
    tray_->shut_down();
    heartbeat_->stop();
    for (QTimer* t : {Timer2})
        t->stop();

    const ExitCount count = count_exit(setting_int(key::start_count));
    set_setting(key::start_count, platform::Value(count.next));

    if (folder_usable) {
        remove_subfolder(folder, QStringLiteral("data"));
        remove_subfolder(folder, QStringLiteral("help"));
    }

    menus_->drop_built_items();
    current_request().set_stations({});

    release_store();
    if (count.compact_due && folder_usable && !compact_database(folder))
        qCWarning(lc_mainwin) << "the store was not compacted";

    unload_log();
    unload_tooltips();
    unload_opton();
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != this && w->parentWidget() == nullptr && w->isVisible())
            w->close();
    }

    caps_lock_off();
}

// ------------------------------------------------------------ update check

void view::menu_update_Click()
{
    write_log(QStringLiteral("SYSTEM UPDATE COMMAND"));
    check_update();
}

void view::check_update()
{
    heartbeat_->stop();

    // The check has its own request, given up when the window shuts down.
    platform::Transfer transfer;
    transfer.set_request_timeout(display_->transfer().request_timeout());
    connect(this, &view::shutting_down, &transfer, &platform::Transfer::cancel);

    QPointer<view> self(this);
    const UpdateCheckOutcome outcome =
            run_update_check(transfer, addresses().update, this, [&] { return !self || self->closing_; });
    if (!self || closing_ || outcome == UpdateCheckOutcome::Abandoned)
        return;
    heartbeat_->start();
}
