#pragma once
#include <string>

// The modal message boxes that commands show; the window that runs them
// provides them, and tests capture the texts instead.
class TMessage_Boxes {
public:
    virtual ~TMessage_Boxes() = default;
    // Error icon, caption "Error", one OK button.
    virtual void Show_Error(const std::string& text) = 0;
    // Information icon, caption "Information", one OK button.
    virtual void Show_Information(const std::string& text) = 0;
    // Warning icon, caption "Warning", Yes and No; true for Yes.
    virtual bool Ask_Warning(const std::string& text) = 0;
};
