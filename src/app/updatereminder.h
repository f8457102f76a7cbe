#pragma once

// Offers, at start, to check for an update when the last offer is more than fourteen days away.
void CheckUpdateReminder();
