#pragma once
#include <exception>
#include <functional>
#include <string>
#include <vector>

// An error text as the error box shows it: a full stop is added when the
// last character sorts after "." (a letter or a digit, for instance), so
// texts ending in punctuation or a blank are left as they are. A character
// beyond ASCII sorts after it too.
std::string With_Full_Stop(const std::string& text);

// What the top-level handler shows for an exception that no handler caught:
// its text with the full-stop rule; a sound file's device error shows the
// file's path on a line after the device's text, which takes the full stop.
std::string Unhandled_Error_Text(const std::exception& error);

// The texts of the error boxes open now. A box runs a nested message loop in
// which the clock goes on, so an error that comes back at every announcement
// would otherwise stack boxes without end.
class TOpen_Error_Boxes {
public:
    // Runs `show` (which returns when the box closes) unless a box with
    // `text` is open already.
    void Show_Once(const std::string& text, const std::function<void()>& show);

private:
    std::vector<std::string> open_;
};
