#pragma once
#include <optional>
#include <string>

// The main window's menu bar height, remembered from an earlier start. Its
// height comes from the menu font's metrics, and the first measurement of
// text reads the system's whole font configuration; remembered, the window
// can be mapped at its final size first and the text measured after that,
// while it is being mapped. The file is one line: the key naming what decided
// the height (font, style, screen, program version), a tab, the height in
// pixels.

// $XDG_CACHE_HOME/horavox/menu-bar (a relative $XDG_CACHE_HOME counts as
// unset, so ~/.cache); empty when neither is known, and nothing is remembered.
std::string Menu_Bar_Memory_Path(const std::string& xdg_cache_home, const std::string& home);

// The height stored under `key`; none for another key or a damaged file.
std::optional<int> Remembered_Menu_Bar_Height(const std::string& file_text, const std::string& key);

// The file's contents remembering `height` under `key`.
std::string Menu_Bar_Memory_Text(const std::string& key, int height);
