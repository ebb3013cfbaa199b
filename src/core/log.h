// The communication log: the program's running record of what it did, kept
// in memory in the grid of the window `log`, newest row on top, at most 1000
// rows. Callers put the text in log_message and call write_log().
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QTableWidget;

namespace kolde_sub {

extern QString log_message;
// The log window is shown.
extern bool log_open;

// Adds log_message as the newest row, recolours, trims, clears log_message.
// Creates the log window (hidden) on first use.
void write_log();
// Shorthand: log_message := text; write_log().
void write_log(const QString& text);

// The colour rule of a row, applied to its message text (column 2): grey
// 0x808080; black when it holds "TAF" or "METAR" and not "HOMEPAGE"; the
// special-report colour (0x00BBGGRR) when it holds "TRD", "COR", "AMD" or
// "SPECI". Case-sensitive.
QColor log_row_colour(const QString& text, long long speci_colour);

class log;
// The log window, created (loaded, hidden) on first access.
log* log_window();
// True when the log window exists.
bool log_loaded();
// Unloads the window; the next access starts a fresh log.
void unload_log();

// The log window " 通信ログ".
class log : public QWidget {
    Q_OBJECT
public:
    log();
    ~log() override;
    QTableWidget* grid = nullptr;

protected:
    void showEvent(QShowEvent* e) override;  // Activate: topmost, log_open
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;  // clicks on the empty grid area

private:
    void Form_Load();
    void grid_Click();
};

}  // namespace kolde_sub
