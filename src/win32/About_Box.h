#pragma once
#include <memory>
#include <string>

#include "clock/Clock_Source.h"
#include "engine/Random_Source.h"
#include "win32/Dialog.h"

// The About box: product name and version, shown modally. Each showing
// reseeds the random generator from the clock.
class TAboutBox final : public TDialog {
public:
    TAboutBox(std::string version, std::shared_ptr<const TClock_Source> clock, std::shared_ptr<TSeeded_Random> random);

protected:
    BOOL Create_Controls() override;
    void On_Command(int id, int code, HWND control) override;

private:
    std::string version_;
    std::shared_ptr<const TClock_Source> clock_;
    std::shared_ptr<TSeeded_Random> random_;
};
