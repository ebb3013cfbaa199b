#include "translation.h"

namespace kolde_sub {

// Stand-in until the translation and explanation are built.
QString translate_observation(const QString& code, const QString& time, const QString& body)
{
    Q_UNUSED(code);
    Q_UNUSED(time);
    Q_UNUSED(body);
    return QString::fromUtf8(untranslatable_text);
}

}  // namespace kolde_sub
