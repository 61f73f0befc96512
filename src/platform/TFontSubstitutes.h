#pragma once

// The program asks for its fonts by their Windows names. Where no font of that name
// exists, the closest installed faces stand in (the proportional IPA faces on Linux).
class TFontSubstitutes {
  public:
    static void Install();
};
