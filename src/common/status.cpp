#include "common/status.h"

namespace payvo
{

void StatusSink::UpdateStatus(double dInc)
{
    const double next = progressValue() + dInc;
    if (next < 100.0)
        setProgressValue(next);
}

} // namespace payvo
