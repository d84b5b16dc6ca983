#pragma once

class QWidget;

// Centres window on the primary screen now, as far as its frame is known, and
// again as the window system reports its frame and its place.
void CentreOnPrimaryScreen(QWidget* window);
