#include "state/app_window.h"

AppWindow appWindow;
