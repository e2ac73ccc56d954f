#include "system/Run_Values.h"

#include <windows.h>

#include <optional>

#include "util/Horavox_Error.h"

namespace {

HKEY Root_Of(const std::string& root)
{
    const struct {
        const char* name;
        HKEY key;
    } roots[] = {{"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
                 {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
                 {"HKEY_USERS", HKEY_USERS},
                 {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT}};
    for (const auto& known : roots)
        if (root == known.name)
            return known.key;
    return nullptr;
}

// The key opened with full access and never created, also to test that it
// exists or to read from it: a key this user may not write counts as missing.
class TOpen_Key {
public:
    explicit TOpen_Key(const TRun_Key& key)
    {
        // The leading backslash only says that the path starts at the root.
        const std::string path = key.key.starts_with('\\') ? key.key.substr(1) : key.key;
        const HKEY root = Root_Of(key.root);
        if (root == nullptr || RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &handle_) != ERROR_SUCCESS)
            handle_ = nullptr;
    }
    ~TOpen_Key()
    {
        if (handle_ != nullptr)
            RegCloseKey(handle_);
    }
    TOpen_Key(const TOpen_Key&) = delete;
    TOpen_Key& operator=(const TOpen_Key&) = delete;

    explicit operator bool() const { return handle_ != nullptr; }
    HKEY Handle() const { return handle_; }

private:
    HKEY handle_ = nullptr;
};

bool Value_Exists(HKEY key, const std::string& name)
{
    return RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// A string value's text up to its first terminator. Stored data need not end
// in one, so the text is bounded by the size the registry reports, never by
// a terminator that may be missing. None for a missing or non-string value.
std::optional<std::string> Query_String(HKEY key, const std::string& name)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    std::string data;
    LONG result = ERROR_MORE_DATA;
    // The value may grow between the two calls.
    while (result == ERROR_MORE_DATA) {
        data.resize(size + 1);
        result = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    }
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::nullopt;
    data.resize(size);
    data.resize(data.find('\0') == std::string::npos ? data.size() : data.find('\0'));
    return data;
}

std::string System_Message(LONG error)
{
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(error), 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length != 0 ? std::string(text, length) : "error " + std::to_string(error);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
        message.pop_back();
    return message;
}

}  // namespace

TRun_Key Auto_Run_Key()
{
    return {"HKEY_LOCAL_MACHINE", "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"};
}

bool Write_Run_Value(const TRun_Key& key, const std::string& name, const std::string& data, TMessage_Boxes& boxes)
{
    const TOpen_Key opened(key);
    if (!opened) {
        boxes.Show_Error(Run_Value_Error_Text(TRun_Value_Error::Missing_Key_On_Write, key, name, data));
        return false;
    }
    const LONG result = RegSetValueExA(opened.Handle(), name.c_str(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(data.c_str()), static_cast<DWORD>(data.size() + 1));
    if (result != ERROR_SUCCESS)
        throw EHoravoxError("Failed to set data for '" + name + "': " + System_Message(result));
    if (Query_String(opened.Handle(), name) != data) {
        boxes.Show_Error(Run_Value_Error_Text(TRun_Value_Error::Write_Not_Verified, key, name, data));
        return false;
    }
    return true;
}

bool Delete_Run_Value(const TRun_Key& key, const std::string& name, TMessage_Boxes& boxes)
{
    const TOpen_Key opened(key);
    if (!opened) {
        boxes.Show_Error(Run_Value_Error_Text(TRun_Value_Error::Missing_Key_On_Delete, key, name));
        return false;
    }
    // Whether the deletion worked is told by looking, not by its result.
    RegDeleteValueA(opened.Handle(), name.c_str());
    if (Value_Exists(opened.Handle(), name)) {
        boxes.Show_Error(Run_Value_Error_Text(TRun_Value_Error::Still_Present, key, name));
        return false;
    }
    return true;
}

std::string Read_Run_Value(const TRun_Key& key, const std::string& name)
{
    const TOpen_Key opened(key);
    if (!opened)
        return {};
    return Query_String(opened.Handle(), name).value_or("");
}
