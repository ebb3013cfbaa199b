// Qt's own texts (the buttons and captions of its standard dialogs and
// message boxes) in Japanese, like the rest of the program.
#pragma once

#include <QList>
#include <QString>

class QTranslator;

namespace kolde_sub {

// Installs Qt's Japanese catalogues found in folder (by default where Qt
// keeps its translations) into the application, which owns them. Gives
// the catalogues installed; none when the folder has none.
QList<QTranslator*> install_qt_translations(const QString& folder = QString());

}  // namespace kolde_sub
