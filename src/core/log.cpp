#include "core/log.h"

#include "core/clock.h"
#include "core/settings.h"
#include "core/shared.h"

#include <QPointer>
#include <QTime>

#include <cstdio>

namespace kolde_sub {


namespace {

// The one instance of the rows; cleared as soon as they are released.
QPointer<log_model> log_instance;

const QColor grey_colour(0x80, 0x80, 0x80);

QString time_text() { return time_local().toString(QStringLiteral("HH:mm:ss")); }

long long speci_setting() { return setting_int(key::speci_colour); }

log_row make_row(const QString& date, const QString& time, const QString& text)
{
    return {date, time, text, log_row_kind(text)};
}

}  // namespace

log_kind log_row_kind(const QString& text)
{
    if (text.contains(QLatin1String("TRD")) || text.contains(QLatin1String("COR"))
        || text.contains(QLatin1String("AMD")) || text.contains(QLatin1String("SPECI")))
        return log_kind::special;
    if ((text.contains(QLatin1String("TAF")) || text.contains(QLatin1String("METAR")))
        && !text.contains(QLatin1String("HOMEPAGE")))
        return log_kind::report;
    return log_kind::plain;
}

QColor log_kind_colour(log_kind kind, long long speci_colour)
{
    switch (kind) {
    case log_kind::report:
        return QColor(0, 0, 0);
    case log_kind::special:
        return bgr_color(speci_colour);
    case log_kind::plain:
        break;
    }
    return grey_colour;
}

QColor log_row_colour(const QString& text, long long speci_colour)
{
    return log_kind_colour(log_row_kind(text), speci_colour);
}

// ------------------------------------------------------------------ rows

log_model::log_model(long long speci_colour)
    : speci_colour_(speci_colour)
{
    const QString date = today_text();
    const QString time = time_text();
    rows_.push_back(make_row(date, time, QStringLiteral("SYSTEM  CONNECTED  ZEL  DATABASE")));
    rows_.push_back(make_row(date, time, QStringLiteral("SYSTEM  LOGIN")));
    rows_.push_back(make_row(date, time, QStringLiteral("SYSTEM  LOAD")));
}

int log_model::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int log_model::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : column_count; }

QVariant log_model::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= column_count)
        return {};
    const log_row& r = row(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == 0 ? r.date : index.column() == 1 ? r.time : r.text;
    case Qt::ForegroundRole:
        return log_kind_colour(r.kind, speci_colour_);
    case Qt::TextAlignmentRole:
        return static_cast<int>(index.column() == 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    default:
        return {};
    }
}

Qt::ItemFlags log_model::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

bool log_model::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || count < 0 || row + count > rowCount())
        return false;
    if (count == 0)
        return true;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    rows_.erase(rows_.begin() + row, rows_.begin() + row + count);
    endRemoveRows();
    return true;
}

void log_model::add(log_row row, long long speci_colour)
{
    beginInsertRows(QModelIndex(), 0, 0);
    rows_.push_front(std::move(row));
    endInsertRows();
    // The oldest lines go.
    if (rowCount() > max_rows)
        removeRows(max_rows, rowCount() - max_rows);
    if (speci_colour != speci_colour_) {
        speci_colour_ = speci_colour;
        emit dataChanged(index(0, 0), index(rowCount() - 1, column_count - 1), {Qt::ForegroundRole});
    }
}

// ------------------------------------------------------------------ the log

void write_log(const QString& text)
{
    const QString date = today_text();
    const QString time = time_text();

    log_book()->add(make_row(date, time, text), speci_setting());

    if (qEnvironmentVariable("KOLDE_LOG_ECHO") == QLatin1String("1")) {
        const QByteArray line = (QStringLiteral("LOG|") + date + u'|' + time + u'|' + text + u'\n').toUtf8();
        std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
        std::fflush(stderr);
    }
}

log_model* log_book()
{
    if (log_instance.isNull())
        log_instance = new log_model(speci_setting());
    return log_instance.data();
}

bool log_loaded() { return !log_instance.isNull(); }

void unload_log()
{
    log_model* rows = log_instance.data();
    log_instance.clear();
    delete rows;
}

}  // namespace kolde_sub
