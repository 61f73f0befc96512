#pragma once

// Alt pressed and released alone: no other key, no pointer press and no input method
// event in between, and no composition of an input method going on. Such a tap opens
// the file menu; Alt+arrow and the like do not.
class TAltTap {
  public:
    // A key went down: Alt begins a tap, any other key spoils it.
    void KeyPress(int key);
    // A key went up; true when it is the Alt of a tap.
    bool KeyRelease(int key);
    // A pointer press or a loss of focus spoils the tap.
    void Interrupt();
    // An input method event; composing: whether it leaves a composition open.
    void InputMethod(bool composing);

  private:
    bool armed_ = false;
    bool composing_ = false;
};
