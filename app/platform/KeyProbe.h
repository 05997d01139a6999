#pragma once

namespace lumenscroll {

// Asks the keyboard whether a modifier is held right now (the Option key at launch lets
// the user start without the saved page list).
class KeyProbe {
public:
    virtual ~KeyProbe() = default;
    // The left or the right Option (Alt) key is down.
    virtual bool isOptionKeyDown() const = 0;
};

} // namespace lumenscroll
