#pragma once

#include <QtGlobal>

// The banner draw: r (0 <= r < 1) becomes a number from 1 to 7. Even numbers bring the
// full-branding offer to the front, odd ones up to 5 the co-branding offer, 7 neither.
qint16 coBrandNumber(float r);
