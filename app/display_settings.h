// Reading the display settings at start-up.
#pragma once

#include "state/display_settings.h"

// Fills `displaySettings`. Each value gets the raw bytes of its registry value; the first value
// that cannot be read, and every value after it, gets its default. Never fails.
void ReadDisplaySettings();
