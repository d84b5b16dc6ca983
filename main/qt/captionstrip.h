#pragma once

class QWidget;

// Natively on Wayland, where the compositor draws no frames, Qt 6.4 draws one
// itself whose minimise and maximise buttons no window flag takes away, and a
// compositor may maximise a fixed-size window all the same. There a window of
// fixed size calls this before it is first shown: it goes without Qt's frame
// and gets a strip of the program's own, its caption and a close button, by
// which it is moved; a maximised or full-screen state the compositor imposes
// is taken at the size it gives and handed back at once. Elsewhere, the window
// system's frame stays and nothing changes.
void UseOwnCaption(QWidget* window);
