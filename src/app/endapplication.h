#pragma once

// The one way out: closes every window, running each window's own close handler, and ends the
// process. Windows whose handlers call it again while it runs are safe: the nested call returns
// at once and the first call finishes the walk and ends the process, once.
void EndApplication();

// Whether EndApplication is closing the windows: a window closed now must not put up another.
bool ApplicationEnding();
