#include "system/Volumes.h"

#include <algorithm>
#include <set>
#include <sstream>

namespace {

// File systems the kernel makes up for its own use: nothing a user keeps
// sound files on. devtmpfs is /dev, device nodes only.
const std::set<std::string> Pseudo_File_Systems{
    "autofs",   "binfmt_misc", "bpf",        "cgroup",   "cgroup2",    "configfs", "debugfs",
    "devpts",   "devtmpfs",    "efivarfs",   "fusectl",  "hugetlbfs",  "mqueue",   "nsfs",
    "proc",     "pstore",      "rpc_pipefs", "securityfs", "selinuxfs", "sysfs",   "tracefs",
};

// Trees whose mounts are the system's or installed programs', however they are typed.
const char* const System_Trees[]{"/proc", "/sys", "/dev", "/snap"};

bool Is_Inside(const std::string& path, const std::string& tree)
{
    return path == tree || (path.size() > tree.size() && path.compare(0, tree.size(), tree) == 0 &&
                            (tree == "/" || path[tree.size()] == '/'));
}

bool Is_Octal_Digit(char c)
{
    return c >= '0' && c <= '7';
}

// The mounts table writes blank, tab, line break and backslash as "\" and
// three octal digits; anything else after a backslash stands for itself.
std::string Decode_Mount_Field(const std::string& field)
{
    std::string decoded;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && Is_Octal_Digit(field[i + 1]) &&
            Is_Octal_Digit(field[i + 2]) && Is_Octal_Digit(field[i + 3])) {
            const int code = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
            decoded += static_cast<char>(code);
            i += 3;
        } else {
            decoded += field[i];
        }
    }
    return decoded;
}

}  // namespace

std::vector<std::string> Browsable_Mount_Points(const std::string& mounts_table)
{
    std::set<std::string> others;  // sorted by bytes, each once
    std::istringstream lines(mounts_table);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, mount_point, type;
        if (!(fields >> device >> mount_point >> type))
            continue;
        mount_point = Decode_Mount_Field(mount_point);
        if (mount_point.empty() || mount_point.front() != '/' || Pseudo_File_Systems.count(type) != 0)
            continue;
        if (std::any_of(std::begin(System_Trees), std::end(System_Trees),
                        [&](const char* tree) { return Is_Inside(mount_point, tree); }))
            continue;
        // A trailing "/" would make one volume look like two.
        while (mount_point.size() > 1 && mount_point.back() == '/')
            mount_point.pop_back();
        if (mount_point != "/")
            others.insert(mount_point);
    }
    std::vector<std::string> volumes{"/"};
    volumes.insert(volumes.end(), others.begin(), others.end());
    return volumes;
}

std::string Volume_Holding(const std::string& directory, const std::vector<std::string>& mount_points)
{
    std::string best = "/";
    for (const auto& mount_point : mount_points)
        if (mount_point.size() > best.size() && Is_Inside(directory, mount_point))
            best = mount_point;
    return best;
}
