#pragma once

#include <cstdint>
#include <string>

namespace quiz {

// The operations the rules call on the window's controls. A provider
// implements them with real widgets or in memory; either way an operation
// given a row outside the list stops the program (raiseRunTimeError).

class ListBox
{
public:
    virtual ~ListBox() = default;

    virtual void Clear() = 0;
    virtual void AddItem(const std::u16string &text) = 0;
    virtual std::int16_t ListCount() const = 0;
    virtual std::u16string List(std::int16_t row) const = 0;
    virtual std::int16_t ListIndex() const = 0;
    // -1 clears the selection. A write that changes the selection may call
    // back into the rules at once; one that leaves it as it was must not.
    virtual void SetListIndex(std::int16_t row) = 0;
    virtual void RemoveItem(std::int16_t row) = 0;
};

class OptionButton
{
public:
    virtual ~OptionButton() = default;

    virtual bool Value() const = 0;
    // Only ever called with false; must not report a click back.
    virtual void SetValue(bool chosen) = 0;
    virtual std::u16string Caption() const = 0;
};

class TextBox
{
public:
    virtual ~TextBox() = default;

    // Returns exactly the text last written, CR LF pairs included.
    virtual std::u16string Text() const = 0;
    virtual void SetText(const std::u16string &text) = 0;
};

// The control arrays, addressed by 16-bit index: List1(0..3), Option1(0..3),
// Text1(0). Any other index stops the program.
class ControlSurface
{
public:
    virtual ~ControlSurface() = default;

    virtual ListBox &List1(std::int16_t index) = 0;
    virtual OptionButton &Option1(std::int16_t index) = 0;
    virtual TextBox &Text1(std::int16_t index) = 0;
};

} // namespace quiz
