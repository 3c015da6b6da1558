// Replacing the current operation bar.
#include "view/tool_framework/operation_bar_host.h"

namespace plenwick {

OperationBarHost::OperationBarHost(OperationBarContext context, std::function<void(OperationBar*)> changed)
    : context_(std::move(context)), changed_(std::move(changed)) {}

OperationBarHost::~OperationBarHost() {
  if (bar_) bar_->WriteBack();
}

void OperationBarHost::Show(int index) {
  if (index < 1 || index > kOperationBarCount) index = kNoOperationBar;
  if (index == index_) return;
  if (bar_) {
    bar_->WriteBack();
    // The shell lets go of the old bar before it is deleted.
    std::unique_ptr<OperationBar> old = std::move(bar_);
    index_ = kNoOperationBar;
    if (changed_) changed_(nullptr);
  }
  index_ = index;
  bar_ = MakeOperationBar(index, context_);
  if (bar_ && changed_) changed_(bar_.get());
}

}  // namespace plenwick
