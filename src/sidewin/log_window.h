// The log window " 通信ログ": the rows of the communication log, newest on
// top, hidden again by a click anywhere on the grid.
#pragma once

#include <QWidget>

class QTableView;

namespace kolde_sub {

class log;
// The log window, created (loaded, hidden) on first access; it loads the log
// when needed and goes when the log is unloaded.
log* log_window();

class log : public QWidget {
    Q_OBJECT
public:
    log();
    ~log() override;
    QTableView* grid = nullptr;

protected:
    void showEvent(QShowEvent* e) override;  // Activate: topmost, marked open
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;  // clicks on the empty grid area

private:
    void Form_Load();
    void grid_Click();
};

}  // namespace kolde_sub
