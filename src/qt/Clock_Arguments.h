#pragma once
#include <QString>
#include <QStringList>

// What the command line asks of the clock. Qt's own options (-platform,
// -style ...) are taken out by the application object before this sees them.
struct TClock_Arguments {
    bool say_now = false;
    bool help = false;
    QString error;  // empty when the line was understood
};

TClock_Arguments Parse_Clock_Arguments(const QStringList& arguments);

extern const char* const Clock_Usage;
