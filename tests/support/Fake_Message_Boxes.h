#pragma once
#include <string>
#include <vector>

#include "util/Message_Boxes.h"

// Message boxes that note what they would show, as "Kind|text", and answer
// questions with `Answer`.
class TFake_Message_Boxes : public TMessage_Boxes {
public:
    void Show_Error(const std::string& text) override { Shown.push_back("Error|" + text); }
    void Show_Information(const std::string& text) override { Shown.push_back("Information|" + text); }
    bool Ask_Warning(const std::string& text) override
    {
        Shown.push_back("Warning|" + text);
        return Answer;
    }

    std::vector<std::string> Shown;
    bool Answer = false;
};
