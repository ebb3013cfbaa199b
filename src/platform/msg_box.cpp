#include "msg_box.h"
#include "wait.h"

#include <QApplication>
#include <QMessageBox>
#include <QMutex>
#include <QMutexLocker>

#include <cstdio>

namespace platform {

namespace {

QMutex answerer_mutex;
MsgBoxAnswerer installed_answerer;

enum class AutoAnswer { None, Affirmative, Negative };

AutoAnswer auto_answer_from_environment()
{
    const QByteArray value = qgetenv("KOLDE_MSGBOX_AUTO").trimmed().toLower();
    if (value == "ok" || value == "yes")
        return AutoAnswer::Affirmative;
    if (value == "no")
        return AutoAnswer::Negative;
    return AutoAnswer::None;
}

MsgAnswer affirmative(MsgButtons buttons)
{
    return (buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel) ? MsgAnswer::Yes
                                                                                : MsgAnswer::Ok;
}

MsgAnswer negative(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return MsgAnswer::Ok;
    case MsgButtons::OkCancel:
        return MsgAnswer::Cancel;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        return MsgAnswer::No;
    }
    return MsgAnswer::Ok;
}

// One box, one line: line breaks are written as the two characters "\n".
QString one_line(const QString& s)
{
    QString out = s;
    out.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
    out.replace(QLatin1Char('\r'), QLatin1String("\\n"));
    out.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return out;
}

void report_to_stderr(const QString& title, const QString& text)
{
    const QByteArray line =
        (QStringLiteral("MSGBOX|") + one_line(title) + QLatin1Char('|') + one_line(text)
         + QLatin1Char('\n'))
            .toUtf8();
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
    std::fflush(stderr);
}

QMessageBox::Icon to_qt(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons to_qt(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MsgAnswer show_box(QWidget* parent, MsgIcon icon, const QString& title, const QString& text,
                   MsgButtons buttons)
{
    auto* box = new QMessageBox(to_qt(icon), title, text, to_qt(buttons), parent);
    box->setWindowModality(Qt::ApplicationModal);
    switch (exec_modal(box).value_or(-1)) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    default:
        return negative(buttons);  // closed without a button
    }
}

}  // namespace

void set_msg_box_answerer(MsgBoxAnswerer answerer)
{
    QMutexLocker lock(&answerer_mutex);
    installed_answerer = std::move(answerer);
}

MsgAnswer msg_box(QWidget* parent, MsgIcon icon, const QString& title, const QString& text,
                  MsgButtons buttons)
{
    MsgBoxAnswerer answerer;
    {
        QMutexLocker lock(&answerer_mutex);
        answerer = installed_answerer;
    }
    if (answerer)
        return answerer(MsgBoxCall{icon, title, text, buttons});

    switch (auto_answer_from_environment()) {
    case AutoAnswer::Affirmative:
        report_to_stderr(title, text);
        return affirmative(buttons);
    case AutoAnswer::Negative:
        report_to_stderr(title, text);
        return negative(buttons);
    case AutoAnswer::None:
        break;
    }

    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        // No windows can be shown: report the box and take the way out a
        // closed box would.
        report_to_stderr(title, text);
        return negative(buttons);
    }
    return show_box(parent, icon, title, text, buttons);
}

}  // namespace platform
