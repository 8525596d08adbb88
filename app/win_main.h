// The program's entry: the Linux main() and the Windows WinMain() both come here.
#pragma once

#include "platform/platform.h"

// Returns the process exit code: 0 after the window closed, 1 when the window or its rendering
// context could not be made, 2 when graphics start-up failed, 3 when the scene was not built.
int WinMain(InstanceHandle instance, InstanceHandle previousInstance, char* commandLine,
            int showCommand);
