// Saves what the screen shows as a 24-bit BMP (the tour's scripts turn them into PNG files).
#pragma once

#include <string>

namespace host {
bool SaveScreenshot(const std::string& path);
}
