// Qt's own dialogs and message boxes speak Japanese once the program has
// installed Qt's catalogues.
#include "app/translations.h"

#include "support/fixtures.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

bool japanese(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; });
}

TEST(QtTranslations, QtsOwnDialogsSpeakJapanese)
{
    kolde_test::ensure_app();
    const QList<QTranslator*> installed = kolde_sub::install_qt_translations();
    ASSERT_FALSE(installed.isEmpty()) << "Qt's Japanese catalogues are missing (scripts/setup installs them)";
    const struct {
        const char* context;
        const char* text;
    } cases[] = {
            {"QPlatformTheme", "Cancel"},  {"QPlatformTheme", "&Yes"},   {"QPlatformTheme", "&No"},
            {"QPlatformTheme", "Save"},    {"QFileDialog", "Look in:"}, {"QColorDialog", "&Basic colors"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.context) + " " + c.text);
        EXPECT_TRUE(japanese(QCoreApplication::translate(c.context, c.text)));
    }
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(japanese(box.button(QMessageBox::Yes)->text())) << box.button(QMessageBox::Yes)->text().toStdString();

    for (QTranslator* t : installed) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    // A folder without catalogues installs none.
    QTemporaryDir empty;
    EXPECT_TRUE(kolde_sub::install_qt_translations(empty.path()).isEmpty());
}

}  // namespace
