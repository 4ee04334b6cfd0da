#pragma once
// What a control and a menu item do alike as clients of an action: the link is made on the first
// action and dropped on unlinking, and a click runs OnClick before the action.
#include "platform/vcl/ActnList.h"

#include <memory>

namespace vd {

TBasicAction* LinkedAction(const std::unique_ptr<TActionLink>& link);
// A null action unlinks; changed hears of every change of the action from then on.
void LinkAction(std::unique_ptr<TActionLink>& link, TBasicAction* action,
                std::function<void(TBasicAction*)> changed);
// The client's own OnClick wins over the linked action.
void ClickOrExecute(const TNotifyEvent& onClick, TObject* sender, const std::unique_ptr<TActionLink>& link);

} // namespace vd
