#pragma once

#include <string>

namespace kestro {

// The message shown when the library's port or label symbol ("Port", "Label") has no
// output point, so no terminal position can be given.
inline std::string MissingOutputPointMessage(const std::string& kind) {
    return "Library information for " + kind + " is Not correct.\nThe " + kind +
           " must have one output point\nPlease edit the Library information in\nMenu:\tEdit|Edit "
           "Library\nMenu:\t  Library|Edit " +
           kind;
}

}  // namespace kestro
