#pragma once

#include <optional>
#include <span>

#include "main/form/geometry.h"

// The work area the failure box opens on: the screen holding most of the
// program's active window, so that the box shows where the user looks; when
// no window of the program is active, or the active one lies on no screen,
// the screen of Form1, the application's own window.
TRect FailureBoxScreen(std::span<const TRect> screens, const std::optional<TRect>& active, const TRect& application);
