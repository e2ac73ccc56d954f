#pragma once
#include <QDateTime>

// Where the clock reads the local date and time; injected so tests can set
// any time and tick without waiting for the wall clock.
class TClock_Source {
public:
    virtual ~TClock_Source() = default;
    virtual QDateTime Now() const = 0;
};

class TSystem_Clock : public TClock_Source {
public:
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
};
