#include "tooltips.h"

#include "handover.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

namespace kolde_sub {

namespace {
QPointer<tooltips> instance;
}

tooltips* tooltips_window()
{
    if (!instance)
        instance = new tooltips;
    return instance;
}

bool tooltips_loaded() { return !instance.isNull(); }

void unload_tooltips()
{
    delete instance.data();
    instance = nullptr;
}

// Stand-in until the translation and explanation are built: the window
// exists and shows its text, nothing fills it yet.
tooltips::tooltips()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("tooltips"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    lbl = new QLabel(this);
    lbl->setObjectName(QStringLiteral("lbl"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(lbl);
}

tooltips::~tooltips() = default;

void tooltips::mousePressEvent(QMouseEvent* e)
{
    tooltip_new = true;
    tooltip_shown = false;
    QWidget::mousePressEvent(e);
}

void tooltips::closeEvent(QCloseEvent* e)
{
    // Closing releases the window; a later use creates it again.
    e->accept();
    if (instance == this)
        instance = nullptr;
    deleteLater();
}

}  // namespace kolde_sub
