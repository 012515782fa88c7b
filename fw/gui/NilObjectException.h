#pragma once
// The nil-object fault: a control name that does not resolve, a
// call on a missing object. It reaches UnhandledException like any escape.
#include <stdexcept>
#include <string>

namespace fw {

class NilObjectException : public std::runtime_error {
public:
    explicit NilObjectException(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace fw
