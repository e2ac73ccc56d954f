#include "qt/Qt_Handle_Watcher.h"

#include <utility>

#include <QSocketNotifier>

namespace {

class TQt_Handle_Watch final : public THandle_Watch {
public:
    TQt_Handle_Watch(TWaitable_Handle handle, std::function<void()> on_ready)
        : notifier_(static_cast<qintptr>(handle), QSocketNotifier::Read), on_ready_(std::move(on_ready))
    {
        QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { on_ready_(); });
    }
    // Not watched any more before its owner closes the descriptor.
    ~TQt_Handle_Watch() override { notifier_.setEnabled(false); }
    TQt_Handle_Watch(const TQt_Handle_Watch&) = delete;
    TQt_Handle_Watch& operator=(const TQt_Handle_Watch&) = delete;

    void Set_Enabled(bool enabled) override { notifier_.setEnabled(enabled); }

private:
    QSocketNotifier notifier_;
    std::function<void()> on_ready_;
};

}  // namespace

std::unique_ptr<THandle_Watch> TQt_Handle_Watcher::Watch(TWaitable_Handle handle, std::function<void()> on_ready)
{
    return std::make_unique<TQt_Handle_Watch>(handle, std::move(on_ready));
}
