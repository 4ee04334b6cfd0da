#include "platform/vcl/ActionClient.h"

namespace vd {

TBasicAction* LinkedAction(const std::unique_ptr<TActionLink>& link) {
    return link ? link->Action() : nullptr;
}

void LinkAction(std::unique_ptr<TActionLink>& link, TBasicAction* action,
                std::function<void(TBasicAction*)> changed) {
    if (!action) {
        link.reset();
        return;
    }
    if (!link) link = std::make_unique<TActionLink>(std::move(changed));
    link->SetAction(action);
}

void ClickOrExecute(const TNotifyEvent& onClick, TObject* sender, const std::unique_ptr<TActionLink>& link) {
    if (onClick)
        onClick(sender);
    else if (link)
        link->Execute();
}

} // namespace vd
