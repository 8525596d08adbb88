#include "state/display_settings.h"

DisplaySettings displaySettings;
