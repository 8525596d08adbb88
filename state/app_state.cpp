#include "state/app_state.h"

AppState appState;
ModelVisibility modelVisibility;
RenderMode renderMode;
