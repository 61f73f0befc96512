#include "app/TCommandRunner.h"

#include "app/TErrorBox.h"

void TCommandRunner::Bind(TCommand id, std::function<void()> operation) {
    operations_[id] = std::move(operation);
}

void TCommandRunner::Run(TCommand id) const {
    const auto found = operations_.find(id);
    if (found == operations_.end()) return;
    // A copy: the operation may bind again or end the window.
    const std::function<void()> operation = found->second;
    errors_.Run(operation);
}
