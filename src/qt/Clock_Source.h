#pragma once
#include <QDateTime>
#include <QTimeZone>

// Where the clock reads the local date and time; injected so tests can set
// any time and tick without waiting for the wall clock.
class TClock_Source {
public:
    virtual ~TClock_Source() = default;
    virtual QDateTime Now() const = 0;
};

// The system's local time. The C library looks at the time-zone file on
// every conversion to local time (several times a tick); this clock keeps the
// zone and asks for it again once a minute, so an ordinary tick touches no
// file and a change of zone still shows within the minute.
class TSystem_Clock : public TClock_Source {
public:
    QDateTime Now() const override;

private:
    mutable QTimeZone zone_;
    mutable qint64 zone_minute_ = -1;
};
