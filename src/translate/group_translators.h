// The translators of single report groups as the translation of a whole
// report uses them: a group they cannot read throws Untranslatable.
#pragma once

#include <QString>
#include <QStringView>

namespace kolde_sub::jp {

// The unit of a wind group's speeds.
enum class WindUnit { knots, metres_per_second };

// A surface wind group; fewer than 5 characters cannot be read. Speeds are
// told in the unit given, whatever letters the group ends in.
QString wind_text(QStringView group, WindUnit unit = WindUnit::knots);
// The pressure of an "SLP" remark group from the three characters after
// "SLP", which must begin with a digit.
QString slp_text(QStringView group);
// A runway visual range group; it needs a "/" after the runway designator.
// "FT" anywhere after the value makes its unit feet ("R05/P6000FT/N").
QString rvr_text(QStringView group);

}  // namespace kolde_sub::jp
