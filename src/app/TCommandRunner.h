#pragma once

#include <functional>
#include <map>

#include "ui/TCommand.h"

class TErrorBox;

// Runs the main window's commands, wherever they are started from (menu entry, skin
// button, key): each command is bound once to its operation, and every run goes through
// the error box.
class TCommandRunner {
  public:
    explicit TCommandRunner(TErrorBox& errors) : errors_(errors) {}

    void Bind(TCommand id, std::function<void()> operation);
    bool IsBound(TCommand id) const { return operations_.count(id) != 0; }
    // Runs the command's operation; a failure it does not handle goes to the error box.
    void Run(TCommand id) const;

  private:
    TErrorBox& errors_;
    std::map<TCommand, std::function<void()>> operations_;
};
