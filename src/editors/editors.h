// The list and dictionary editors, each shown modal: the airport list and
// its entry dialog, the automatic-decode list, the company groups and the
// dictionaries with the picture registry.
#pragma once

#include "editors/airport.h"
#include "editors/airportedit.h"
#include "editors/company.h"
#include "editors/decodelist.h"
#include "editors/weather.h"
