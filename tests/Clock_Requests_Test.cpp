#include "clock/Clock_Requests.h"

#include <gtest/gtest.h>

namespace {

TEST(Clock_Requests, Only_A_Whole_Known_Line_Is_A_Request)
{
    const struct {
        const char* line;
        std::optional<TClock_Request> request;
    } cases[] = {
        {"raise\n", TClock_Request::Raise}, {"say-now\n", TClock_Request::Say_Now}, {"raise", std::nullopt},
        {"say-now\r\n", std::nullopt},      {"RAISE\n", std::nullopt},              {"\n", std::nullopt},
        {"say-now\nraise\n", std::nullopt}, {"close\n", TClock_Request::Close}, {"close", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Parse_Request(c.line), c.request) << c.line;
    for (const TClock_Request request : {TClock_Request::Raise, TClock_Request::Say_Now, TClock_Request::Close}) {
        EXPECT_EQ(Parse_Request(Request_Line(request)), request);
        EXPECT_LT(Request_Line(request).size(), Max_Request_Line);
    }
}

TEST(Clock_Requests, The_Channel_Is_Named_From_The_Home_And_The_Settings_File)
{
    const std::string name = Clock_Channel_Name("/home/ann", "/opt/horavox/vocahora.ini");
    EXPECT_TRUE(name.size() == 24 && name.starts_with("horavox-") &&
                name.find_first_not_of("0123456789abcdef", 8) == std::string::npos)
        << name;
    EXPECT_EQ(Clock_Channel_Name("/home/ann", "/opt/horavox/vocahora.ini"), name);
    EXPECT_NE(Clock_Channel_Name("/home/bob", "/opt/horavox/vocahora.ini"), name);
    EXPECT_NE(Clock_Channel_Name("/home/ann", "/opt/horavox/vocahora.ini.bak"), name);
    // The separator keeps the two parts apart.
    EXPECT_NE(Clock_Channel_Name("/home/ann/x", "y"), Clock_Channel_Name("/home/ann", "x\ny"));
}

}  // namespace
