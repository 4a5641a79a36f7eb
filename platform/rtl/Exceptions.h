#pragma once

#include <stdexcept>
#include <string>

namespace rtl {

// The general error class of the run-time library. Every error the system raises on purpose
// derives from it, so a guard that catches Exception catches them all.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message);
    std::string Message() const { return what(); }
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

class ERangeError : public Exception {
public:
    using Exception::Exception;
};

class EListError : public Exception {
public:
    using Exception::Exception;
};

class EInOutError : public Exception {
public:
    using Exception::Exception;
};

} // namespace rtl
