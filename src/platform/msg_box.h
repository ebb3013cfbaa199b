// Every message box of the program goes through msg_box(). Tests install an
// answerer; with KOLDE_MSGBOX_AUTO=ok|yes|no in the environment the box is
// not shown: "MSGBOX|title|text" goes to standard error and the box answers
// as set ("ok" and "yes" take the affirmative button, "no" the negative one).
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace platform {

enum class MsgIcon { None, Information, Question, Warning, Critical };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct MsgBoxCall {
    MsgIcon icon = MsgIcon::None;
    QString title;
    QString text;
    MsgButtons buttons = MsgButtons::Ok;
};

using MsgBoxAnswerer = std::function<MsgAnswer(const MsgBoxCall&)>;

// Installs (or, with an empty function, removes) the test answerer.
void set_msg_box_answerer(MsgBoxAnswerer answerer);

MsgAnswer msg_box(QWidget* parent, MsgIcon icon, const QString& title, const QString& text,
                  MsgButtons buttons = MsgButtons::Ok);

}  // namespace platform
