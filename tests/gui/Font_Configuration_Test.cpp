#include "system/Font_Configuration.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

// However often the program waits for the read (not at all when it ends
// early, as --help does), the read ends once, and the toolkit measures text
// with the configuration it left.
TEST(Font_Configuration_Read_Ahead, Ends_Once_Whether_Waited_For_Or_Not)
{
    for (const int waits : {0, 1, 2}) {
        {
            TFont_Configuration_Read_Ahead read_ahead;
            for (int wait = 0; wait < waits; ++wait)
                read_ahead.Wait();
        }
        QFont face("Times New Roman");
        face.setPointSize(20);
        face.setBold(true);
        EXPECT_FALSE(QFontInfo(face).family().isEmpty()) << waits << " waits";
        EXPECT_GT(QFontMetrics(face).height(), 0) << waits << " waits";
    }
}

}  // namespace
