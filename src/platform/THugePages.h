#pragma once

#include <QtGlobal>

// Memory of tens of megabytes, about to be filled, asks the system for pages of 2 MB: a
// file of 30 MB then takes 15 page faults rather than 7,500, a good part of reading it.
class THugePages {
  public:
    // Advises for the whole 2 MB pages within [data, data + size); nothing where the
    // system has no such pages.
    static void Prefer(char* data, qsizetype size);
};
