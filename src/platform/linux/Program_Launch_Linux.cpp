#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QStringList>

#include "platform/Program_Launch.h"

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

bool Start_Detached(const std::string& program, const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments)
        list << QFile::decodeName(QByteArray::fromStdString(argument));
    return QProcess::startDetached(QFile::decodeName(QByteArray::fromStdString(program)), list);
}
