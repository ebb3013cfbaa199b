#include "platform/wait.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace platform {

WaitEnd wait_until(const std::function<bool()>& condition, const std::function<bool()>& guard,
                   int limit_ms)
{
    QElapsedTimer elapsed;
    elapsed.start();
    const auto verdict = [&]() -> int {
        if (guard && !guard())
            return static_cast<int>(WaitEnd::Guard);
        if (condition())
            return static_cast<int>(WaitEnd::Condition);
        if (limit_ms >= 0 && elapsed.hasExpired(limit_ms))
            return static_cast<int>(WaitEnd::Limit);
        return -1;
    };
    int end = verdict();
    if (end >= 0)
        return static_cast<WaitEnd>(end);

    QEventLoop loop;
    const auto check = [&] {
        if (end < 0)
            end = verdict();
        if (end >= 0)
            loop.quit();
    };
    // The checks run whenever the event loop has handled what was pending and
    // is about to sleep, so an event that makes the condition true ends the
    // wait at once; the slow tick covers a loop that never gets to sleep.
    QObject scope;
    if (auto* dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread()))
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &scope, check);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &scope, check);
    tick.start(50);
    QTimer limit;
    limit.setSingleShot(true);
    limit.setTimerType(Qt::PreciseTimer);
    if (limit_ms >= 0) {
        QObject::connect(&limit, &QTimer::timeout, &scope, [&] {
            if (end < 0)
                end = verdict();
            // The timer may fire a shade before the elapsed count agrees.
            if (end < 0)
                end = static_cast<int>(WaitEnd::Limit);
            loop.quit();
        });
        limit.start(static_cast<int>(std::max<qint64>(0, limit_ms - elapsed.elapsed())));
    }
    while (end < 0) {
        loop.exec(QEventLoop::AllEvents);
        if (end < 0)
            end = verdict();
    }
    return static_cast<WaitEnd>(end);
}

bool yield_events(const std::function<bool()>& guard)
{
    if (guard && !guard())
        return false;
    QCoreApplication::processEvents();
    return !guard || guard();
}

std::optional<int> exec_modal_kept(QDialog* dialog)
{
    const QPointer<QDialog> alive(dialog);
    const int result = dialog->exec();
    if (!alive)
        return std::nullopt;
    return result;
}

std::optional<int> exec_modal(QDialog* dialog, const std::function<void(int result)>& read)
{
    const QPointer<QDialog> alive(dialog);
    const std::optional<int> result = exec_modal_kept(dialog);
    if (!result)
        return std::nullopt;
    if (read)
        read(*result);
    delete alive.data();
    return result;
}

}  // namespace platform
