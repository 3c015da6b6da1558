// The one operation bar that exists at a time: showing another index writes the current bar's
// values back and replaces it.
#pragma once

#include <functional>
#include <memory>

#include "view/tool_framework/operation_bar.h"
#include "view/tool_framework/operation_bars.h"

namespace plenwick {

class OperationBarHost {
 public:
  // `changed` is told about every replacement (the new bar, or null for none).
  OperationBarHost(OperationBarContext context, std::function<void(OperationBar*)> changed);
  OperationBarHost(const OperationBarHost&) = delete;
  OperationBarHost& operator=(const OperationBarHost&) = delete;
  ~OperationBarHost();

  // Shows bar 1..25, or none for 0 and any other index. The same index again changes nothing.
  void Show(int index);
  // Writes the values back and removes the bar (the main frame closing).
  void Close() { Show(kNoOperationBar); }

  int currentIndex() const { return index_; }
  OperationBar* current() const { return bar_.get(); }
  OperationBarContext& context() { return context_; }

 private:
  OperationBarContext context_;
  std::function<void(OperationBar*)> changed_;
  int index_ = kNoOperationBar;
  std::unique_ptr<OperationBar> bar_;
};

}  // namespace plenwick
