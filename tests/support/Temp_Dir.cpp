#include "support/Temp_Dir.h"

#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

std::string Read_File(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

TTemp_Dir::TTemp_Dir()
{
    std::random_device entropy;
    for (;;) {
        path_ = std::filesystem::temp_directory_path() / ("horavox-test-" + std::to_string(entropy()));
        if (std::filesystem::create_directory(path_))
            return;
    }
}

TTemp_Dir::~TTemp_Dir()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string TTemp_Dir::Write(const std::string& name, const std::string& content) const
{
    auto file = path_ / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << content;
    return file.string();
}
