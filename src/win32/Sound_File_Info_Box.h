#pragma once
#include "win32/Dialog.h"

// The notice that lists the word files to record, shown before the sound
// recorder starts; centred on the screen. However it closes, the recorder starts.
class TSound_File_Info_Box final : public TDialog {
public:
    TSound_File_Info_Box();

protected:
    BOOL Create_Controls() override;
    void On_Command(int id, int code, HWND control) override;
    POINT Position(int frame_width, int frame_height) override;
};
