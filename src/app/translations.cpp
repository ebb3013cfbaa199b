#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kolde_sub {

QList<QTranslator*> install_qt_translations(const QString& folder)
{
    const QString where = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    QList<QTranslator*> installed;
    // The modules the program's windows use; a catalogue the system lacks
    // leaves its module's texts in English.
    for (const char* module : {"qtbase", "qtmultimedia", "qtwebengine"}) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QString::fromLatin1(module) + QStringLiteral("_ja"), where) &&
            QCoreApplication::installTranslator(translator)) {
            installed.push_back(translator);
            continue;
        }
        delete translator;
    }
    return installed;
}

}  // namespace kolde_sub
