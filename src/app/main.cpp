// KOLDE: aviation weather reports for Japanese pilots and dispatchers.
#include "opening.h"
#include "translations.h"

#include "core/shared.h"
#include "mainwin/fonts.h"
#include "mainwin/view.h"
#include "startup/notices.h"
#include "startup/startup_sequence.h"
#include "platform/wait.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

int main(int argc, char** argv)
{
    // The browser pane shares its graphics context with the windows.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("KOLDE"));
    // Before any window: Qt's own dialogs speak Japanese too.
    kolde_sub::install_qt_translations();
    // The program ends when its main window goes (or after the no-network
    // notice), not whenever the splash closes.
    QApplication::setQuitOnLastWindowClosed(false);
    kolde_sub::install_font_substitutions();
    // Until the store is open, 時差 is what the computer's zone proposes:
    // the log rows of the start are stamped in that local time, not in UTC.
    kolde_sub::read_time_zone();

    QPointer<view> main_window;
    // The splash unloads itself through the sequence (it attaches itself).
    kolde_sub::StartupSequence sequence({
        {},
        [&] {
            auto* notice = new kolde_sub::noconnectmsg;
            platform::exec_modal(notice);
            QTimer::singleShot(0, &app, &QCoreApplication::quit);
        },
        [&] {
            main_window = new view;
            main_window->setAttribute(Qt::WA_DeleteOnClose);
            QObject::connect(main_window, &QObject::destroyed, &app, &QCoreApplication::quit);
            main_window->show();
        },
    });

    opening start(&sequence);
    if (!start.Form_Load())
        return 0;
    return app.exec();
}
