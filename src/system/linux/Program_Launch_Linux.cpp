#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "system/Program_Launch.h"

std::string Find_Program(const std::string& name, const std::string& path_list)
{
    std::size_t start = 0;
    while (start <= path_list.size()) {
        std::size_t end = path_list.find(':', start);
        if (end == std::string::npos)
            end = path_list.size();
        const std::string directory = Normalise_Directory(path_list.substr(start, end - start));
        if (!directory.empty() && directory.front() == '/') {
            const std::string candidate = directory + name;
            struct stat file {};
            if (::stat(candidate.c_str(), &file) == 0 && S_ISREG(file.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
                return candidate;
        }
        start = end + 1;
    }
    return {};
}

// Started from a child that ends at once, so the program is nobody's child
// here and leaves no zombie; a pipe closed on exec tells whether it started.
bool Start_Detached(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    int started[2];
    if (::pipe2(started, O_CLOEXEC) != 0)
        return false;
    const pid_t child = ::fork();
    if (child == 0) {
        ::setsid();
        if (::fork() == 0) {
            ::execv(program.c_str(), argv.data());
            const int error = errno;
            [[maybe_unused]] const auto written = ::write(started[1], &error, sizeof error);
        }
        ::_exit(0);
    }
    ::close(started[1]);
    int exec_error = 0;
    bool ok = child > 0;
    if (ok) {
        int status = 0;
        while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        ssize_t got;
        while ((got = ::read(started[0], &exec_error, sizeof exec_error)) < 0 && errno == EINTR) {
        }
        ok = got == 0;
    }
    ::close(started[0]);
    return ok;
}
