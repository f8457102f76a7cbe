#include "app/cobrand.h"

#include <cmath>

qint16 coBrandNumber(float r)
{
    // Single precision throughout, and ties to even (2.5 gives 2), so that 1 and 7 are only
    // half as likely as the numbers between them.
    const float x = r * 6.0f + 1.0f;
    return static_cast<qint16>(std::nearbyint(x));
}
