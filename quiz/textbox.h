#pragma once

#include <string>

namespace quiz {

class TextBox
{
public:
    virtual ~TextBox() = default;

    // Returns exactly the text last written, CR LF pairs included.
    virtual std::u16string Text() const = 0;
    virtual void SetText(const std::u16string &text) = 0;
};

} // namespace quiz
