#pragma once
#include <stdexcept>

// The program's one exception type. Whatever no handler catches reaches the
// application's top-level handler, which shows the text and lets the clock go on.
class EHoravoxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that should have held a whole number did not.
class EConvertError : public EHoravoxError {
public:
    using EHoravoxError::EHoravoxError;
};
