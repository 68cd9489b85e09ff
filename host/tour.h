// The scripted tour: what the reference host shows when it runs without a person, with a
// screenshot after each step.
#pragma once

#include <string>

#include "host_window.h"

namespace host {
// Runs the tour; screenshots go to `folder` as numbered BMP files. Returns the process exit code.
int RunTour(HostWindow& window, const std::string& folder);
}
