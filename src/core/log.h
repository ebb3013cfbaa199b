// The communication log: the program's running record of what it did, kept
// in memory, newest row on top, at most 1000 rows. Callers hand the text to
// write_log(). The rows live here; the log window shows them.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>

#include <deque>

namespace kolde_sub {


// Adds text as the newest row and trims. Loads the log (its three start rows)
// on first use.
void write_log(const QString& text);

// What a row reports, which gives its colour.
enum class log_kind {
    plain,    // grey
    report,   // black
    special,  // the special-report colour
};

// The kind of a row by its message text: plain; a report when it holds "TAF"
// or "METAR" and not "HOMEPAGE"; special when it holds "TRD", "COR", "AMD" or
// "SPECI". Case-sensitive.
log_kind log_row_kind(const QString& text);
// Grey 0x808080, black, or the special-report colour (0x00BBGGRR).
QColor log_kind_colour(log_kind kind, long long speci_colour);
// The colour rule of a row, applied to all three of its cells.
QColor log_row_colour(const QString& text, long long speci_colour);

struct log_row {
    QString date;  // dd-MM-yyyy
    QString time;  // HH:mm:ss
    QString text;
    log_kind kind = log_kind::plain;
};

// The rows of the log as a three-column table (date, time, message). The
// colour of a row is worked out from its kind when it is asked for, with the
// special-report colour read at the latest write, so a new row costs the same
// however many rows are present.
class log_model : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int max_rows = 1000;
    static constexpr int column_count = 3;

    // The three start rows, stamped now.
    explicit log_model(long long speci_colour);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    // Row r, 0 being the newest.
    const log_row& row(int r) const { return rows_[static_cast<size_t>(r)]; }
    // A new row on top; the oldest goes past max_rows. Every row takes
    // speci_colour from now on.
    void add(log_row row, long long speci_colour);

private:
    std::deque<log_row> rows_;
    long long speci_colour_;
};

// The rows, loaded on first access.
log_model* log_book();
// True when the log is loaded.
bool log_loaded();
// Unloads the log (and with it its window); the next access starts afresh.
void unload_log();

}  // namespace kolde_sub
