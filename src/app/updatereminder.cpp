#include "app/updatereminder.h"

void CheckUpdateReminder()
{
}
