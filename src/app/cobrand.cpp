#include "app/cobrand.h"

#include <cmath>

qint16 coBrandNumber(float r)
{
    // Single precision throughout, and ties to even (2.5 gives 2), so that 1 and 7 are only
    // half as likely as the numbers between them: lrint rounds in the current mode, which is to
    // the nearest, ties to even, and gives the integer at once.
    const float x = r * 6.0f + 1.0f;
    return static_cast<qint16>(std::lrint(x));
}
