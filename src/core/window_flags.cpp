#include "window_flags.h"

namespace kolde_sub {

bool chart_open = false;
bool camera_open = false;
bool command_open = false;
int weather_mode = 0;
bool reader_download_requested = false;

}  // namespace kolde_sub
