#pragma once
#include <istream>
#include <optional>
#include <string>

#include "exchange/field_line.h"

namespace exchange {

// Reads an exchange file line by line from a byte stream (code page 1251, CR LF or LF line ends).
// Nothing ever waits for more input: a file that ends inside a record, or inside a value that is
// still missing its end byte 0x80, raises util::Error naming the line where the record or the value
// began.
class ExchangeReader {
public:
    explicit ExchangeReader(std::istream& in) : in_(in) {}

    // The next physical line without its line end; nullopt at the end of the file.
    std::optional<std::string> nextLine();

    // The next line trimmed of blanks and control characters, as headers are compared;
    // nullopt at the end of the file.
    std::optional<std::string> nextHeader();

    // Starts a record whose header has just been read; `section` names it in messages ("[PHASES]").
    void beginRecord(std::string section);

    enum class Item {
        Field,    // `field` holds a parsed field line
        Ignored,  // a line (or gathered lines) that does not parse as a field line
        End       // the end line ">"
    };
    // Reads the next field line of the current record. With `gather`, a value that runs over
    // several physical lines is joined with CR LF until the line holding the byte 0x80.
    Item nextField(bool gather, FieldLine& field);

    // Number of the line read last (1 for the first line).
    int lineNumber() const { return line_; }

private:
    std::istream& in_;
    int line_ = 0;
    int recordLine_ = 0;
    std::string section_;
};

}  // namespace exchange
