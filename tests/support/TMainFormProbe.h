#pragma once

#include "app/TInterchangeCommands.h"
#include "app/TItemClipboardCommands.h"
#include "app/TMainForm.h"
#include "app/TOutlineCommands.h"
#include "app/TSplitJoinCommands.h"

// What tests reach of the window's concerns; the window itself shows none of them.
class TMainFormProbe {
  public:
    explicit TMainFormProbe(TMainForm& form) : form_(form) {}

    TDocumentSession& Session() const { return *form_.session_; }
    TErrorBox& Errors() const { return *form_.errors_; }
    TItemTextBinding& Texts() const { return *form_.texts_; }
    TItemCommands& Items() const { return *form_.items_; }
    TOutlineCommands& OutlineCommands() const { return *form_.outlineCommands_; }
    TSplitJoinCommands& SplitJoin() const { return *form_.splitJoin_; }
    TItemClipboardCommands& Clipboard() const { return *form_.clipboard_; }
    TDocumentCommands& Documents() const { return *form_.documents_; }
    TSkinSurface& Skin() const { return *form_.surface_; }
    TFrameBehaviour& Frame() const { return *form_.frame_; }
    TWindowStates& WindowStates() const { return *form_.windowStates_; }
    TStartupShutdown& Lifecycle() const { return *form_.lifecycle_; }
    TSessionRecovery& Recovery() const { return *form_.recovery_; }
    TEditorCommands* EditorCommands() const { return form_.editing_.get(); }
    TOutlineFind& OutlineFind() const { return *form_.outlineFind_; }
    TOutlineCount& OutlineCount() const { return *form_.count_; }
    TOutlineVertical& OutlineVertical() const { return *form_.vertical_; }
    TDropDownMenus& Menus() const { return form_.menus_; }
    TInterchangeCommands& Interchange() const { return *form_.interchange_; }

  private:
    TMainForm& form_;
};

inline TMainFormProbe Probe(TMainForm& form) { return TMainFormProbe(form); }
