#include "keyboard.h"

#include <QApplication>
#include <QEvent>
#include <QInputMethod>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace platform {

namespace {

bool caps_on = false;

class UpperCaseFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!caps_on || event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const QString upper = text.toUpper();
        if (text.isEmpty() || text == upper)
            return false;
        QKeyEvent copy(QEvent::KeyPress, key->key(), key->modifiers(), upper, key->isAutoRepeat(),
                       static_cast<ushort>(key->count()));
        QCoreApplication::sendEvent(watched, &copy);
        return true;
    }
};

QPointer<UpperCaseFilter> filter;

}  // namespace

void set_input_method_open(QWidget* widget, bool open)
{
    if (widget == nullptr)
        return;
    widget->setAttribute(Qt::WA_InputMethodEnabled, open);
    if (!open && QGuiApplication::inputMethod() != nullptr)
        QGuiApplication::inputMethod()->reset();
}

void set_caps_lock(bool on)
{
    caps_on = on;
    if (on && filter.isNull() && QCoreApplication::instance() != nullptr) {
        filter = new UpperCaseFilter(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(filter);
    }
}

bool caps_lock() { return caps_on; }

}  // namespace platform
