#include "qt/Clock_Source.h"

QDateTime TSystem_Clock::Now() const
{
    const QDateTime utc = QDateTime::currentDateTimeUtc();
    const qint64 minute = utc.toSecsSinceEpoch() / 60;
    if (minute != zone_minute_) {
        zone_ = QTimeZone::systemTimeZone();
        zone_minute_ = minute;
    }
    return utc.toTimeZone(zone_);
}
