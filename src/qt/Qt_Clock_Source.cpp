#include "qt/Qt_Clock_Source.h"

TClock_Reading TSystem_Clock::Now() const
{
    const QDateTime utc = QDateTime::currentDateTimeUtc();
    const qint64 minute = utc.toSecsSinceEpoch() / 60;
    if (minute != zone_minute_) {
        zone_ = QTimeZone::systemTimeZone();
        zone_minute_ = minute;
    }
    return Clock_Reading_Of(utc.toTimeZone(zone_));
}

TClock_Reading Clock_Reading_Of(const QDateTime& local)
{
    const QDate date = local.date();
    const QTime time = local.time();
    TClock_Reading reading;
    reading.instant = std::chrono::system_clock::time_point(std::chrono::milliseconds(local.toMSecsSinceEpoch()));
    reading.date = {date.year(), static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day())};
    reading.hour = static_cast<unsigned>(time.hour());
    reading.minute = static_cast<unsigned>(time.minute());
    reading.second = static_cast<unsigned>(time.second());
    reading.millisecond = static_cast<unsigned>(time.msec());
    return reading;
}

QDate Qt_Date_Of(const TCalendar_Date& date)
{
    return QDate(date.year, static_cast<int>(date.month), static_cast<int>(date.day));
}

TShort_Date_Format Short_Date_Format(const QLocale& locale)
{
    return [locale](const TCalendar_Date& date) {
        return locale.toString(Qt_Date_Of(date), QLocale::ShortFormat).toStdString();
    };
}
