// The translators of single report groups as the translation of a whole
// report uses them: a group they cannot read throws Untranslatable.
#pragma once

#include <QString>
#include <QStringView>

namespace kolde_sub::jp {

// A surface wind group; fewer than 5 characters cannot be read.
QString wind_text(QStringView group);
// The pressure of an "SLP" remark group from the three characters after
// "SLP", which must begin with a digit.
QString slp_text(QStringView group);
// A runway visual range group; it needs a "/" after the runway designator.
QString rvr_text(QStringView group);

}  // namespace kolde_sub::jp
