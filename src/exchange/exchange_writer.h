#pragma once
#include <string>
#include <string_view>

namespace exchange {

// Composes an exchange file in memory as code page 1251 bytes with CR LF line ends. Values come in
// as the database holds them (UTF-8). A value the format cannot carry is refused with util::Error
// naming the record's owner and the field, before anything reaches a file: a value holding "Ђ"
// (the byte 0x80 that ends every value), a character code page 1251 has no byte for, or a line
// break in a record whose field lines must stay single lines.
class ExchangeWriter {
public:
    // Header line, written as given (nested headers carry their two leading blanks).
    void header(std::string_view text);

    // Describes the record being written for refusal messages, e.g. "система «Cu+Ni»".
    void setOwner(std::string owner) { owner_ = std::move(owner); }

    // One field line. Line breaks inside the value are written as CR LF; with `multiLine` false a
    // line break is refused because the reader would not gather it.
    void field(std::string_view name, std::string_view utf8Value, bool multiLine);

    // The end line ">".
    void endRecord();

    const std::string& bytes() const { return bytes_; }

private:
    [[noreturn]] void refuse(std::string_view name, const std::string& reason) const;

    std::string bytes_;
    std::string owner_;
};

}  // namespace exchange
