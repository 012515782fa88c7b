#include "fw/core/Variant.h"

#include <cmath>

#include "fw/core/Numbers.h"

namespace fw {

String Variant::StringValue() const {
    switch (v_.index()) {
    case 1: return std::get<String>(v_);
    case 2: return Str(std::get<int64_t>(v_));
    case 3: return Str(std::get<double>(v_));
    case 4: return String(std::get<bool>(v_) ? "True" : "False");
    default: return String();
    }
}

int64_t Variant::IntegerValue() const {
    switch (v_.index()) {
    case 1: return ToInt64(Val(std::get<String>(v_)));
    case 2: return std::get<int64_t>(v_);
    case 3: return ToInt64(std::get<double>(v_));
    case 4: return std::get<bool>(v_) ? 1 : 0;
    default: return 0;
    }
}

int32_t Variant::Int32Value() const { return SaturateToInt32(IntegerValue()); }

double Variant::DoubleValue() const {
    switch (v_.index()) {
    case 1: return Val(std::get<String>(v_));
    case 2: return static_cast<double>(std::get<int64_t>(v_));
    case 3: return std::get<double>(v_);
    case 4: return std::get<bool>(v_) ? 1.0 : 0.0;
    default: return 0.0;
    }
}

bool Variant::BooleanValue() const {
    switch (v_.index()) {
    case 1: {
        const String& s = std::get<String>(v_);
        // String equality ignores case, so "TRUE" and "True" both match.
        if (Trim(s) == String("true")) return true;
        double d = Val(s);
        return d != 0.0 && !std::isnan(d);
    }
    case 2: return std::get<int64_t>(v_) != 0;
    case 3: {
        double d = std::get<double>(v_);
        return d != 0.0 && !std::isnan(d);
    }
    case 4: return std::get<bool>(v_);
    default: return false;
    }
}

}  // namespace fw
