#include "system/linux/Desktop_Entry.h"

#include <sstream>

namespace {

// The string escapes of a desktop entry value: \s \n \t \r \\.
std::string Unescape_String(const std::string& value)
{
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (const char next = value[++i]) {
        case 's': text += ' '; break;
        case 'n': text += '\n'; break;
        case 't': text += '\t'; break;
        case 'r': text += '\r'; break;
        case '\\': text += '\\'; break;
        default: text += '\\'; text += next; break;
        }
    }
    return text;
}

std::string Expand_Percent(const std::string& argument)
{
    std::string text;
    for (std::size_t i = 0; i < argument.size(); ++i) {
        text += argument[i];
        if (argument[i] == '%' && i + 1 < argument.size() && argument[i + 1] == '%')
            ++i;
    }
    return text;
}

}  // namespace

std::string Desktop_Exec_Argument(const std::string& program)
{
    // Inside quotes, " ` $ and \ take a backslash; then the string escapes
    // double every backslash and spell out line breaks; a literal % is %%.
    std::string quoted = "\"";
    for (const char c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string value;
    for (const char c : quoted) {
        switch (c) {
        case '\\': value += "\\\\"; break;
        case '\n': value += "\\n"; break;
        case '\t': value += "\\t"; break;
        case '\r': value += "\\r"; break;
        case '%': value += "%%"; break;
        default: value += c; break;
        }
    }
    return value;
}

std::vector<std::string> Desktop_Exec_Arguments(const std::string& exec_value)
{
    const std::string text = Unescape_String(exec_value);
    std::vector<std::string> arguments;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ' || text[i] == '\t' || text[i] == '\n') {
            ++i;
            continue;
        }
        std::string argument;
        if (text[i] == '"') {
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                if (text[i] == '\\' && i + 1 < text.size())
                    ++i;
                argument += text[i];
            }
            if (i == text.size())
                return {};
            ++i;
        } else {
            for (; i < text.size() && text[i] != ' ' && text[i] != '\t' && text[i] != '\n'; ++i)
                argument += text[i];
        }
        arguments.push_back(Expand_Percent(argument));
    }
    return arguments;
}

std::string Desktop_Entry_Value(const std::string& content, const std::string& group, const std::string& key)
{
    std::istringstream lines(content);
    std::string line;
    bool in_group = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() == '[') {
            in_group = line == "[" + group + "]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!in_group || equals == std::string::npos)
            continue;
        std::string name = line.substr(0, equals);
        while (!name.empty() && name.back() == ' ')
            name.pop_back();
        if (name != key)
            continue;
        std::size_t start = equals + 1;
        while (start < line.size() && line[start] == ' ')
            ++start;
        return line.substr(start);
    }
    return {};
}

std::string Autostart_Desktop_Entry(const std::string& program)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Horavox\n"
           "Comment=Talking clock\n"
           "Exec=" + Desktop_Exec_Argument(program) + "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}
