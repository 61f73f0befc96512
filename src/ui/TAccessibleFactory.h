#pragma once

// Gives the skinned main window, its outline and the drawn menus the accessible
// interfaces that name and explain what they draw.
class TAccessibleFactory {
  public:
    // Once per process; later calls do nothing.
    static void Install();
};
