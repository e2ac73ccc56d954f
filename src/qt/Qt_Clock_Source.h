#pragma once
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTimeZone>

#include "clock/Clock_Source.h"
#include "clock/Display_Text.h"

// The system's local time. The C library looks at the time-zone file on
// every conversion to local time (several times a tick); this clock keeps the
// zone and asks for it again once a minute, so an ordinary tick touches no
// file and a change of zone still shows within the minute.
class TSystem_Clock : public TClock_Source {
public:
    TClock_Reading Now() const override;

private:
    mutable QTimeZone zone_;
    mutable qint64 zone_minute_ = -1;
};

// Between Qt's date and time and the clock's reading.
TClock_Reading Clock_Reading_Of(const QDateTime& local);
QDate Qt_Date_Of(const TCalendar_Date& date);

// The short date format of `locale`, for the date item.
TShort_Date_Format Short_Date_Format(const QLocale& locale = QLocale::system());
