#include "store/schema.h"

#include <utility>

#include "util/errors.h"
#include "util/text.h"

namespace store {

Schema::Schema(std::vector<Field> fields) : fields_(std::move(fields)) {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            if (util::equalsIgnoreCase(fields_[i].name(), fields_[j].name()))
                throw util::Error("Duplicate field name '" + fields_[i].name() + "'");
}

int Schema::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i)
        if (util::equalsIgnoreCase(fields_[i].name(), name)) return static_cast<int>(i);
    return -1;
}

int Schema::require(std::string_view name) const {
    const int index = indexOf(name);
    if (index < 0) throw util::Error("Field '" + std::string(name) + "' not found");
    return index;
}

void Schema::checkContains(const Schema& required, const std::string& where) const {
    for (const Field& want : required.fields()) {
        const int index = indexOf(want.name());
        if (index < 0)
            throw util::Error(where + " has no field '" + want.name() + "'");
        if (field(index).type() != want.type())
            throw util::Error(where + ": field '" + want.name() + "' is " + fieldTypeName(field(index).type()) +
                              ", expected " + fieldTypeName(want.type()));
    }
}

}  // namespace store
