#pragma once

// The one way out: closes every window and ends the process. The caller returns at once.
void EndApplication();
