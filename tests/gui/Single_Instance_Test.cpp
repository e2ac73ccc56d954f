#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <linux/sockios.h>

#include <cstring>
#include <filesystem>
#include <future>
#include <vector>

#include <gtest/gtest.h>

#include "Pump_Events.h"
#include "qt/Single_Instance.h"
#include "system/Local_Socket.h"
#include "support/Temp_Dir.h"

namespace {

TEST(Clock_Socket_Name, Spellings_Of_One_Settings_File_Name_One_Socket)
{
    const TTemp_Dir dir;
    std::filesystem::create_directory(dir.Path() / "a");
    std::filesystem::create_directory_symlink(dir.Path() / "a", dir.Path() / "link");
    const QString base = QString::fromStdString(dir.Path().string());
    const QString name = Clock_Socket_Name(base + "/a/vocahora.ini");

    for (const QString& same : {base + "/a/./vocahora.ini", base + "/a/../a/vocahora.ini", base + "//a/vocahora.ini",
                                base + "/link/vocahora.ini"})
        EXPECT_EQ(Clock_Socket_Name(same), name) << same.toStdString();
    for (const QString& other : {base + "/vocahora.ini", base + "/a/VOCAHORA.INI", base + "/a/vocahora.ini.bak"})
        EXPECT_NE(Clock_Socket_Name(other), name) << other.toStdString();
}

using namespace std::chrono_literals;

// A client's end driven by hand, so a test can split, stretch or cut its line.
class TRaw_Client {
public:
    explicit TRaw_Client(const std::string& path)
    {
        EXPECT_EQ(Connect_Local(path, 1s, fd_), TLocal_Connect::Connected);
    }

    void Send(std::string_view data) { EXPECT_TRUE(Send_All(fd_.Get(), data, std::chrono::steady_clock::now() + 1s)); }
    // Until the server has read everything sent so far, the event loop running meanwhile.
    void Wait_Until_Read()
    {
        EXPECT_TRUE(Pump_Events_Until([this] {
            int unread = -1;
            return ioctl(fd_.Get(), SIOCOUTQ, &unread) == 0 && unread == 0;
        }));
    }
    // Everything the server says until it closes the connection.
    std::string Answer()
    {
        EXPECT_TRUE(Pump_Events_Until([&] { return Read_Available(fd_.Get(), received_, 1024) == TLocal_Read::Closed; }));
        return received_;
    }
    // What the server has said so far, read or not.
    std::string Received() const
    {
        char bytes[64];
        const auto count = recv(fd_.Get(), bytes, sizeof bytes, MSG_PEEK | MSG_DONTWAIT);
        return received_ + (count > 0 ? std::string(bytes, static_cast<std::size_t>(count)) : "");
    }
    void Leave() { fd_.Reset(); }

private:
    TUnique_Fd fd_;
    std::string received_;
};

// A socket file as another process leaves it: listening but never accepting
// (a hung clock), or closed without removing its file (a killed one).
TUnique_Fd Foreign_Socket(const std::string& path, int backlog, bool closed)
{
    TUnique_Fd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, path.c_str());
    EXPECT_EQ(bind(socket.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(listen(socket.Get(), backlog), 0);
    if (closed)
        socket.Reset();
    return socket;
}

std::size_t Open_Descriptors()
{
    const auto listing = std::filesystem::directory_iterator("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(begin(listing), end(listing)));
}

class Clock_Server_Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.On_Request = [this](TClock_Request request) {
            requests.push_back(request);
            answer_seen_by_then.push_back(client_ ? client_->Received() : "");
        };
        ASSERT_TRUE(server.Listen(QString::fromStdString(path))) << server.Error_String().toStdString();
    }

    // The client whose view On_Request records.
    TRaw_Client& Client()
    {
        client_ = std::make_unique<TRaw_Client>(path);
        return *client_;
    }
    void Wait_For_Requests(std::size_t count)
    {
        EXPECT_TRUE(Pump_Events_Until([&] { return requests.size() >= count; }));
    }

    const TTemp_Dir dir;
    const std::string path = (dir.Path() / "clock").string();
    TClock_Server server;
    std::vector<TClock_Request> requests;
    std::vector<std::string> answer_seen_by_then;

private:
    std::unique_ptr<TRaw_Client> client_;
};

TEST_F(Clock_Server_Test, Each_Line_Is_Answered_Before_The_Clock_Acts)
{
    const std::string over_long(64 * 1024, 'x');
    const struct {
        std::vector<std::string> pieces;
        std::string answer;
        std::vector<TClock_Request> requests;
    } cases[] = {
        {{"say-now\n"}, "ok\n", {TClock_Request::Say_Now}},
        {{"raise\n"}, "ok\n", {TClock_Request::Raise}},
        {{"sa", "y-n", "ow\n"}, "ok\n", {TClock_Request::Say_Now}},
        {{"raise\nsay-now\n"}, "ok\n", {TClock_Request::Raise}},
        {{"raise\r\n"}, "unknown request\n", {}},
        {{"\n"}, "unknown request\n", {}},
        // No newline ever comes: the line is refused once it outgrows any request.
        {{over_long}, "unknown request\n", {}},
    };
    for (const auto& c : cases) {
        requests.clear();
        answer_seen_by_then.clear();
        TRaw_Client& client = Client();
        // Each piece is read on its own before the next is sent.
        for (const std::string& piece : c.pieces) {
            if (&piece != &c.pieces.front())
                client.Wait_Until_Read();
            client.Send(piece);
        }
        EXPECT_EQ(client.Answer(), c.answer) << c.pieces.front().substr(0, 20);
        QCoreApplication::processEvents();
        EXPECT_EQ(requests, c.requests) << c.pieces.front().substr(0, 20);
        for (const std::string& seen : answer_seen_by_then)
            EXPECT_EQ(seen, "ok\n");
    }
}

TEST_F(Clock_Server_Test, Clients_At_Once_Are_Each_Served)
{
    TRaw_Client first(path), second(path), third(path);
    first.Send("rai");
    second.Send("say-");
    third.Send("say-now");
    third.Wait_Until_Read();
    third.Send("\n");
    second.Send("now\n");
    first.Send("se\n");
    EXPECT_EQ(third.Answer(), "ok\n");
    EXPECT_EQ(second.Answer(), "ok\n");
    EXPECT_EQ(first.Answer(), "ok\n");
    Wait_For_Requests(3);
    std::sort(requests.begin(), requests.end());
    EXPECT_EQ(requests, (std::vector{TClock_Request::Raise, TClock_Request::Say_Now, TClock_Request::Say_Now}));
}

TEST_F(Clock_Server_Test, A_Client_Gone_Before_Its_Answer_Leaves_The_Clock_Serving)
{
    // Without care the answer to a closed connection raises SIGPIPE, which ends this process.
    TRaw_Client leaving(path);
    leaving.Send("say-now\n");
    leaving.Leave();
    Wait_For_Requests(1);
    TRaw_Client next(path);
    next.Send("raise\n");
    EXPECT_EQ(next.Answer(), "ok\n");
}

TEST(Clock_Server, Every_Descriptor_And_The_Socket_File_Go)
{
    const TTemp_Dir dir;
    const std::string path = (dir.Path() / "clock").string();
    // A client that vanishes is let go at once, not when its time is up.
    const struct {
        const char* client;
        std::string sends;
        bool leaves;
        std::chrono::milliseconds client_timeout;
    } cases[] = {
        {"vanishes without a word", "", true, 60s},
        {"never finishes its line", "rai", false, 50ms},
    };
    for (const auto& c : cases) {
        const std::size_t before = Open_Descriptors();
        {
            TClock_Server server(nullptr, c.client_timeout);
            ASSERT_TRUE(server.Listen(QString::fromStdString(path)));
            TRaw_Client client(path);
            client.Send(c.sends);
            // The listener and both ends of the connection.
            EXPECT_TRUE(Pump_Events_Until([&] { return Open_Descriptors() == before + 3; })) << c.client;
            if (c.leaves)
                client.Leave();
            EXPECT_TRUE(Pump_Events_Until([&] { return Open_Descriptors() == before + (c.leaves ? 1 : 2); })) << c.client;
            EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
                      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
        }
        EXPECT_EQ(Open_Descriptors(), before) << c.client;
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(path))) << c.client;
    }
}

TEST(Clock_Server, Listens_Only_Where_No_Live_Socket_Or_Other_File_Is_In_The_Way)
{
    const TTemp_Dir dir;
    const std::string path = (dir.Path() / "clock").string();
    const struct {
        const char* what;
        std::function<TUnique_Fd()> occupy;
        bool listens;
    } cases[] = {
        {"nothing", [] { return TUnique_Fd(); }, true},
        {"a killed clock's socket", [&] { return Foreign_Socket(path, 1, true); }, true},
        {"a live socket", [&] { return Foreign_Socket(path, 1, false); }, false},
        {"a regular file",
         [&] {
             dir.Write("clock", "keep");
             return TUnique_Fd();
         },
         false},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(path);
        const TUnique_Fd occupant = c.occupy();
        TClock_Server server;
        EXPECT_EQ(server.Listen(QString::fromStdString(path)), c.listens) << c.what;
        if (c.listens) {
            TRaw_Client client(path);
            client.Send("raise\n");
            EXPECT_EQ(client.Answer(), "ok\n") << c.what;
        } else {
            EXPECT_FALSE(server.Error_String().isEmpty()) << c.what;
            EXPECT_TRUE(std::filesystem::exists(path)) << c.what;
        }
    }
    EXPECT_EQ(Read_File(path), "keep");
}

TEST(Become_The_Clock, A_Request_Reaches_A_Running_Clock_Or_Makes_This_One_Listen)
{
    const TTemp_Dir dir;
    const QString path = QString::fromStdString((dir.Path() / "clock").string());
    TClock_Server first;
    std::vector<TClock_Request> requests;
    first.On_Request = [&](TClock_Request request) { requests.push_back(request); };
    EXPECT_EQ(Become_The_Clock(first, path, TClock_Request::Raise), THand_Over::No_Clock);
    // The running clock answers from this thread's event loop while the later start waits.
    auto later = std::async(std::launch::async, [&] {
        TClock_Server unused;
        return Become_The_Clock(unused, path, TClock_Request::Say_Now);
    });
    EXPECT_TRUE(Pump_Events_Until([&] { return later.wait_for(0s) == std::future_status::ready; }));
    EXPECT_EQ(later.get(), THand_Over::Taken);
    EXPECT_TRUE(Pump_Events_Until([&] { return !requests.empty(); }));
    EXPECT_EQ(requests, std::vector{TClock_Request::Say_Now});
}

TEST(Become_The_Clock, A_Clock_That_Holds_The_Socket_But_Does_Not_Answer_Is_Left_Alone)
{
    const TTemp_Dir dir;
    const std::string path = (dir.Path() / "clock").string();
    // Hung with an empty queue: connects but hears nothing. Hung with a full
    // queue (backlog 0 and one client waiting): cannot even connect.
    for (const int waiting_clients : {0, 1}) {
        std::filesystem::remove(path);
        const TUnique_Fd hung = Foreign_Socket(path, 0, false);
        std::vector<TRaw_Client> waiting;
        for (int i = 0; i < waiting_clients; ++i)
            waiting.emplace_back(path);
        TClock_Server server;
        EXPECT_EQ(Become_The_Clock(server, QString::fromStdString(path), TClock_Request::Raise, 50ms),
                  THand_Over::No_Answer)
            << waiting_clients;
        struct stat file;
        ASSERT_EQ(stat(path.c_str(), &file), 0);
        EXPECT_TRUE(S_ISSOCK(file.st_mode));
    }
}

TEST(Become_The_Clock, A_Path_Too_Long_For_A_Socket_Is_Refused_Not_Cut)
{
    const TTemp_Dir dir;
    const std::string prefix = dir.Path().string() + "/";
    ASSERT_LT(prefix.size(), Max_Local_Socket_Path());
    // The longest path that fits, and one byte more that would be cut to it.
    const std::string longest = prefix + std::string(Max_Local_Socket_Path() - prefix.size(), 'a');
    TClock_Server fitting;
    ASSERT_TRUE(fitting.Listen(QString::fromStdString(longest))) << fitting.Error_String().toStdString();
    bool reached = false;
    fitting.On_Request = [&](TClock_Request) { reached = true; };

    TClock_Server too_long;
    EXPECT_EQ(Become_The_Clock(too_long, QString::fromStdString(longest + "b"), TClock_Request::Say_Now),
              THand_Over::No_Clock);
    EXPECT_TRUE(too_long.Error_String().contains("long")) << too_long.Error_String().toStdString();
    QCoreApplication::processEvents();
    EXPECT_FALSE(reached);
}

}  // namespace
