#pragma once

// How the window is first shown, from the show request the process was
// started with (wWinMain's last argument).
enum class TShowState { Normal, Maximised, MinimisedInactive };

// SW_SHOWMAXIMIZED opens it maximised and SW_SHOWMINNOACTIVE minimised and
// inactive; every other request, SW_SHOWMINIMIZED and SW_MINIMIZE included,
// shows it normally and centred.
TShowState ShowState(int showCommand);
