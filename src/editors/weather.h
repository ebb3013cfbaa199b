// The dictionary editor: the weather abbreviations (気象略語), the words of
// the Japanese translation (日本語解析) or the picture registry (データ),
// chosen by its mode when the window is created. It is the company
// group editor's window over another table; in the picture registry a
// picture dropped onto its preview is stored for the selected name.
#pragma once

#include "editors/company.h"

#include <QStringList>

class QImage;

namespace kolde_sub {

// The caption of the dictionary editor in a mode (0, 1 or 2).
QString weather_caption(int mode);

class weather : public grid_editor {
    Q_OBJECT
public:
    // mode: 0 abbreviations, 1 translation words, 2 pictures.
    explicit weather(int mode = 0, QWidget* parent = nullptr);
    ~weather() override;

    // The preview and drop target, shown in the picture registry only.
    QLabel* Picture1 = nullptr;

    // Files were dropped onto the preview; only the first one counts.
    void Picture1_OLEDragDrop(const QStringList& files);

protected:
    std::optional<QString> checked_entry(int col, const QString& box_text) override;
    void txt_GotFocus() override;
    void txt_LostFocus() override;
    void row_selected() override;
    void Form_QueryUnload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void show_stored_picture();
    void show_preview(const QImage& image);
    int mode_ = 0;
};

}  // namespace kolde_sub
