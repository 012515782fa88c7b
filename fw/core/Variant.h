#pragma once
// A value of a dictionary or a settings store: text, integer, real or boolean.
#include <cstdint>
#include <variant>

#include "fw/core/String.h"

namespace fw {

class Variant {
public:
    Variant() = default;                       // nil
    Variant(const String& s) : v_(s) {}        // NOLINT
    Variant(const char* s) : v_(String(s)) {}  // NOLINT
    Variant(int v) : v_(int64_t(v)) {}         // NOLINT
    Variant(int64_t v) : v_(v) {}              // NOLINT
    Variant(double v) : v_(v) {}               // NOLINT
    Variant(bool v) : v_(v) {}                 // NOLINT

    bool IsNull() const { return v_.index() == 0; }
    bool IsString() const { return std::holds_alternative<String>(v_); }
    bool IsInteger() const { return std::holds_alternative<int64_t>(v_); }
    bool IsDouble() const { return std::holds_alternative<double>(v_); }
    bool IsBoolean() const { return std::holds_alternative<bool>(v_); }

    // Numbers as decimal text, booleans as "True"/"False", nil as "".
    String StringValue() const;
    // Text read by Val and truncated toward zero, saturated to the type's range.
    int64_t IntegerValue() const;
    int32_t Int32Value() const;
    double DoubleValue() const;
    // Text "true" (any case) or a non-zero number is true.
    bool BooleanValue() const;

private:
    std::variant<std::monostate, String, int64_t, double, bool> v_;
};

}  // namespace fw
