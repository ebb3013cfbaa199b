#include "placeholder.h"

#include "program.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kolde_sub {

placeholder_window::placeholder_window(const QString& name, const QString& caption, const QString& purpose,
                                       bool postpones_cycle, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(name);
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(purpose, this);
    text->setObjectName(QStringLiteral("lbl"));
    text->setWordWrap(true);
    layout->addWidget(text);
    auto* close_button = new QPushButton(QStringLiteral("閉じる"), this);
    close_button->setObjectName(QStringLiteral("cmd"));
    connect(close_button, &QPushButton::clicked, this, &QDialog::close);
    layout->addWidget(close_button);
    resize(360, 140);
    if (postpones_cycle)
        cycle_tick_count = 0;
}

}  // namespace kolde_sub
