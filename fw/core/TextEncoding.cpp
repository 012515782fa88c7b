#include "fw/core/TextEncoding.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/udata.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <mutex>

#include "fw/core/EncodingTables.h"
#include "fw/core/Utf8.h"

namespace fw {

namespace {

enum class Kind {
    UTF8,       // our own decoder; never touches ICU
    Icu,        // an ICU converter opened by its full name
    Own,        // one of our tables, compiled into the embedded package
    AsciiOnly,  // no table exists: ASCII, everything else reported
    Unicode,    // UTF-16 / UTF-32, held big-endian; a mark is read by DefineEncoding only
};

struct EncodingInfo {
    Kind kind;
    const char* decoder;  // ICU or package converter name
    const char* encoder;  // differs only for UTF-16 and UTF-32
    bool singleByte;
    int sameAs;  // index of the table this one shares, or its own
};

constexpr int kCount = 85;

// clang-format off
const TextEncoding kEncodings[kCount] = {
    {0, "SystemDefault"}, {1, "UTF8"}, {2, "ASCII"}, {3, "DOSArabic"}, {4, "DOSBalticRim"},
    {5, "DOSCanadianFrench"}, {6, "DOSChineseSimplif"}, {7, "DOSChineseTrad"}, {8, "DOSCyrillic"},
    {9, "DOSGreek"}, {10, "DOSGreek1"}, {11, "DOSGreek2"}, {12, "DOSHebrew"}, {13, "DOSIcelandic"},
    {14, "DOSJapanese"}, {15, "DOSKorean"}, {16, "DOSLatin1"}, {17, "DOSLatin2"}, {18, "DOSLatinUS"},
    {19, "DOSNordic"}, {20, "DOSPortuguese"}, {21, "DOSRussian"}, {22, "DOSThai"}, {23, "DOSTurkish"},
    {24, "ISOLatin1"}, {25, "ISOLatin2"}, {26, "ISOLatinArabic"}, {27, "ISOLatinCyrillic"},
    {28, "ISOLatinGreek"}, {29, "ISOLatinHebrew"}, {30, "KOI8_R"}, {31, "MacArabic"},
    {32, "MacArmenian"}, {33, "MacBengali"}, {34, "MacBurmese"}, {35, "MacCeltic"},
    {36, "MacCentralEurRoman"}, {37, "MacChineseSimp"}, {38, "MacChineseTrad"}, {39, "MacCroatian"},
    {40, "MacCyrillic"}, {41, "MacDevanagari"}, {42, "MacDingbats"}, {43, "MacEthiopic"},
    {44, "MacExtArabic"}, {45, "MacGaelic"}, {46, "MacGeorgian"}, {47, "MacGreek"},
    {48, "MacGujarati"}, {49, "MacGurmukhi"}, {50, "MacHebrew"}, {51, "MacIcelandic"},
    {52, "MacJapanese"}, {53, "MacKannada"}, {54, "MacKhmer"}, {55, "MacKorean"},
    {56, "MacLaotian"}, {57, "MacMalayalam"}, {58, "MacMongolian"}, {59, "MacOriya"},
    {60, "MacRoman"}, {61, "MacRomanian"}, {62, "MacRomanLatin1"}, {63, "MacSinhalese"},
    {64, "MacSymbol"}, {65, "MacTamil"}, {66, "MacTelugu"}, {67, "MacThai"}, {68, "MacTibetan"},
    {69, "MacTurkish"}, {70, "MacVietnamese"}, {71, "ShiftJIS"}, {72, "UCS4"}, {73, "UTF16"},
    {74, "WindowsANSI"}, {75, "WindowsArabic"}, {76, "WindowsBalticRim"}, {77, "WindowsCyrillic"},
    {78, "WindowsGreek"}, {79, "WindowsHebrew"}, {80, "WindowsKoreanJohab"}, {81, "WindowsLatin1"},
    {82, "WindowsLatin2"}, {83, "WindowsLatin5"}, {84, "WindowsVietnamese"},
};
// clang-format on

// Full ICU names on purpose: short aliases such as "cp949" or "Shift_JIS"
// open IBM tables that differ from the Windows code pages.
constexpr EncodingInfo Icu(const char* name, bool sb, int self) { return {Kind::Icu, name, name, sb, self}; }
constexpr EncodingInfo Own(const char* name, bool sb, int self) { return {Kind::Own, name, name, sb, self}; }
constexpr EncodingInfo None(int self) { return {Kind::AsciiOnly, "US-ASCII", "US-ASCII", true, self}; }

// clang-format off
const EncodingInfo kInfo[kCount] = {
    {Kind::UTF8, "UTF-8", "UTF-8", false, 1},  // SystemDefault: UTF-8 whatever the locale says
    {Kind::UTF8, "UTF-8", "UTF-8", false, 1},
    Icu("US-ASCII", true, 2),
    Own("DOSArabic", true, 3),
    Own("DOSBalticRim", true, 4),
    Own("DOSCanadianFrench", true, 5),
    Icu("windows-936-2000", false, 6),
    Icu("windows-950-2000", false, 7),
    Own("DOSCyrillic", true, 8),
    Own("DOSGreek", true, 9),
    Own("DOSGreek1", true, 10),
    Own("DOSGreek2", true, 11),
    Own("DOSHebrew", true, 12),
    Own("DOSIcelandic", true, 13),
    Own("DOSJapanese", false, 14),
    Icu("windows-949-2000", false, 15),
    Own("DOSLatin1", true, 16),
    Own("DOSLatin2", true, 17),
    Own("DOSLatinUS", true, 18),
    Own("DOSNordic", true, 19),
    Own("DOSPortuguese", true, 20),
    Own("DOSRussian", true, 21),
    Icu("windows-874-2000", true, 22),
    Own("DOSTurkish", true, 23),
    Icu("ISO-8859-1", true, 24),
    Icu("ibm-912_P100-1995", true, 25),
    Icu("ibm-1089_P100-1995", true, 26),
    Icu("ibm-915_P100-1995", true, 27),
    Icu("ibm-9005_X110-2007", true, 28),
    Icu("ibm-5012_P100-1999", true, 29),
    Icu("ibm-878_P100-1996", true, 30),
    Own("MacArabic", true, 31),
    None(32), None(33), None(34),
    Own("MacCeltic", true, 35),
    Icu("macos-29-10.2", true, 36),
    Own("MacChineseSimp", false, 37),
    Own("MacChineseTrad", false, 38),
    Own("MacCroatian", true, 39),
    Icu("macos-7_3-10.2", true, 40),
    Own("MacDevanagari", false, 41),  // one byte can stand for two characters
    Own("MacDingbats", true, 42),
    None(43), None(44),
    Own("MacGaelic", true, 45),
    None(46),
    Icu("macos-6_2-10.4", true, 47),
    Own("MacGujarati", false, 48),
    Own("MacGurmukhi", false, 49),
    Own("MacHebrew", true, 50),
    Own("MacIcelandic", true, 51),
    Own("MacJapanese", false, 52),
    None(53), None(54),
    Own("MacKorean", false, 55),
    None(56), None(57), None(58), None(59),
    Icu("macos-0_2-10.2", true, 60),
    Own("MacRomanian", true, 61),
    Own("MacRomanLatin1", true, 62),
    None(63),
    Own("MacSymbol", true, 64),
    None(65), None(66),
    Own("MacThai", true, 67),
    None(68),
    Icu("macos-35-10.2", true, 69),
    None(70),
    Own("ShiftJIS", false, 71),
    {Kind::Unicode, "UTF-32BE", "UTF-32BE", false, 72},
    {Kind::Unicode, "UTF-16BE", "UTF-16BE", false, 73},
    Icu("ibm-5348_P100-1997", true, 81),  // WindowsANSI is cp1252, the same table as WindowsLatin1
    Icu("ibm-9448_X100-2005", true, 75),
    Icu("ibm-9449_P100-2002", true, 76),
    Icu("ibm-5347_P100-1998", true, 77),
    Icu("ibm-5349_P100-1998", true, 78),
    Icu("ibm-9447_P100-2002", true, 79),
    Own("WindowsKoreanJohab", false, 80),
    Icu("ibm-5348_P100-1997", true, 81),
    Icu("ibm-5346_P100-1998", true, 82),
    Icu("ibm-5350_P100-1998", true, 83),
    Icu("ibm-5354_P100-1998", true, 84),
};
// clang-format on

const EncodingInfo& info(const TextEncoding* enc) { return kInfo[enc->index]; }

// ---------------------------------------------------------------- UTF-8

void noteLoss(ConversionReport& r, size_t offset) {
    if (!r.lossy() || offset < r.firstOffset) r.firstOffset = offset;
}

// Well-formed UTF-8 copied, each ill-formed part replaced by U+FFFD.
std::string validateUTF8(std::string_view in, ConversionReport& r) {
    const auto* p = reinterpret_cast<const unsigned char*>(in.data());
    const auto* end = p + in.size();
    std::string out;      // stays empty while the input is well-formed
    const auto* run = p;  // start of the pending well-formed run
    while (p < end) {
        if (end - p >= 8 && AsciiWord(p)) {
            p += 8;
            continue;
        }
        size_t bad = 0;
        uint32_t cp;
        if (size_t n = Utf8Decode(p, end - p, cp, &bad)) {
            p += n;
            continue;
        }
        if (out.empty()) out.reserve(in.size() + 16);
        out.append(reinterpret_cast<const char*>(run), p - run);
        out += "\xEF\xBF\xBD";
        noteLoss(r, p - reinterpret_cast<const unsigned char*>(in.data()));
        ++r.invalidInput;
        p += bad;
        run = p;
    }
    if (run == reinterpret_cast<const unsigned char*>(in.data())) return std::string(in);
    out.append(reinterpret_cast<const char*>(run), end - run);
    return out;
}

// UTF-8 to UTF-16, ill-formed parts as U+FFFD. `offsets`, when given, gets
// the input offset of each UTF-16 unit.
std::u16string utf8ToUTF16(std::string_view in, ConversionReport& r, std::vector<uint32_t>* offsets) {
    const auto* begin = reinterpret_cast<const unsigned char*>(in.data());
    const auto* p = begin;
    const auto* end = p + in.size();
    std::u16string out(in.size(), u'\0');  // never more units than bytes
    if (offsets) offsets->assign(in.size(), 0);
    size_t n = 0;
    while (p < end) {
        uint32_t at = p - begin;
        if (*p < 0x80) {
            if (offsets) (*offsets)[n] = at;
            out[n++] = *p++;
            continue;
        }
        size_t bad = 0;
        uint32_t cp = 0;
        size_t len = Utf8Decode(p, end - p, cp, &bad);
        if (!len) {
            noteLoss(r, at);
            ++r.invalidInput;
            cp = 0xFFFD;
            len = bad;
        }
        if (cp >= 0x10000) {
            if (offsets) (*offsets)[n] = at;
            out[n++] = char16_t(0xD7C0 + (cp >> 10));
            cp = 0xDC00 | (cp & 0x3FF);
        }
        if (offsets) (*offsets)[n] = at;
        out[n++] = char16_t(cp);
        p += len;
    }
    out.resize(n);
    if (offsets) offsets->resize(n);
    return out;
}

std::string utf16ToUTF8(const std::u16string& in) {
    std::string out;
    out.resize(in.size() * 3);
    int32_t len = 0;
    UErrorCode err = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), int32_t(out.size()), &len, reinterpret_cast<const UChar*>(in.data()),
                       int32_t(in.size()), 0xFFFD, nullptr, &err);
    out.resize(U_SUCCESS(err) ? len : 0);
    return out;
}

// ---------------------------------------------------------------- ICU

// Our tables are compiled into one ICU data package linked into the
// program, so nothing has to be installed or found on disk.
const char kPackage[] = "varnel";

void registerPackage() {
    static std::once_flag once;
    std::call_once(once, [] {
        UErrorCode err = U_ZERO_ERROR;
        udata_setAppData(kPackage, varnelEncodingData(), &err);
    });
}

struct Losses {
    ConversionReport* report;
    const char* inputBase;   // decoding: start of the byte input
    const UChar* unitBase;   // encoding: start of the UTF-16 input
    int64_t firstUnit = -1;  // encoding: unit index of the first unmappable character
};

void U_CALLCONV toUnicodeLoss(const void* context, UConverterToUnicodeArgs* args, const char*, int32_t length,
                              UConverterCallbackReason reason, UErrorCode* err) {
    if (reason > UCNV_IRREGULAR) return;  // reset, close, clone
    auto* l = static_cast<Losses*>(const_cast<void*>(context));
    ConversionReport& r = *l->report;
    size_t at = std::max<ptrdiff_t>(0, args->source - l->inputBase - length);
    noteLoss(r, at);
    ++r.invalidInput;
    static const UChar kReplacement = 0xFFFD;
    *err = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, err);
}

void U_CALLCONV fromUnicodeLoss(const void* context, UConverterFromUnicodeArgs* args, const UChar* codeUnits,
                                int32_t length, UChar32 codePoint, UConverterCallbackReason reason, UErrorCode* err) {
    if (reason > UCNV_IRREGULAR) return;
    auto* l = static_cast<Losses*>(const_cast<void*>(context));
    if (reason == UCNV_ILLEGAL) {
        // Lone surrogates cannot come from our UTF-8 decoder; count them anyway.
        ++l->report->invalidInput;
    } else {
        ++l->report->unmappable;
    }
    if (l->unitBase && l->firstUnit < 0) l->firstUnit = std::max<ptrdiff_t>(0, args->source - l->unitBase - length);
    UCNV_FROM_U_CALLBACK_SUBSTITUTE(nullptr, args, codeUnits, length, codePoint, reason, err);
}

// One converter per encoding, direction and thread, opened at first use:
// converters keep state, and opening one per call would dominate short texts.
thread_local bool cacheGone = false;  // trivially destructible: readable to the end

struct ConverterCache {
    std::array<std::array<UConverter*, 2>, kCount> slots{};
    ~ConverterCache() {
        cacheGone = true;
        for (auto& pair : slots)
            for (UConverter* c : pair)
                if (c) ucnv_close(c);
    }
};

void keepConverter(UConverter*) {}
using Converter = std::unique_ptr<UConverter, void (*)(UConverter*)>;

UConverter* openConverter(const EncodingInfo& in, bool encode) {
    const char* name = encode ? in.encoder : in.decoder;
    UErrorCode err = U_ZERO_ERROR;
    UConverter* c;
    if (in.kind == Kind::Own) {
        registerPackage();
        c = ucnv_openPackage(kPackage, name, &err);
    } else {
        c = ucnv_open(name, &err);
    }
    if (U_FAILURE(err) || !c) {
        // Only a broken build gets here; ASCII keeps markup and reports the rest.
        err = U_ZERO_ERROR;
        c = ucnv_open("US-ASCII", &err);
        if (U_FAILURE(err)) return nullptr;
    }
    // Our own tables' only fallback is the deliberate DOSArabic "%"; ICU's
    // best-fit fallbacks would give look-alike characters silently.
    ucnv_setFallback(c, in.kind == Kind::Own);
    err = U_ZERO_ERROR;
    ucnv_setSubstChars(c, "?", 1, &err);  // fails on UTF-16/32, which never needs it
    return c;
}

Converter converter(const TextEncoding* enc, bool encode) {
    // A conversion from a destructor after the thread's cache is gone gets
    // a converter of its own.
    if (cacheGone) return Converter(openConverter(info(enc), encode), ucnv_close);
    thread_local ConverterCache cache;
    UConverter*& slot = cache.slots[enc->index][encode ? 1 : 0];
    if (!slot) slot = openConverter(info(enc), encode);
    if (slot) ucnv_reset(slot);
    return Converter(slot, keepConverter);
}

// Bytes to UTF-16 through ICU. `offsets` gets the input offset of each unit.
std::u16string icuToUTF16(std::string_view in, const TextEncoding* from, ConversionReport& r,
                          std::vector<int32_t>* offsets) {
    std::u16string out;
    Converter cnv = converter(from, false);
    UConverter* c = cnv.get();
    if (!c || in.empty()) return out;
    Losses losses{&r, in.data(), nullptr};
    UErrorCode err = U_ZERO_ERROR;
    ucnv_setToUCallBack(c, toUnicodeLoss, &losses, nullptr, nullptr, &err);
    // A byte gives at most a few units (MacJapanese maps some to four code points).
    size_t capacity = in.size() * 2 + 16;
    out.resize(capacity);
    if (offsets) offsets->assign(capacity, -1);
    const char* src = in.data();
    const char* srcEnd = src + in.size();
    UChar* dst = reinterpret_cast<UChar*>(out.data());
    for (;;) {
        UChar* dstEnd = reinterpret_cast<UChar*>(out.data()) + out.size();
        size_t before = dst - reinterpret_cast<UChar*>(out.data());
        int32_t* off = offsets ? offsets->data() + before : nullptr;
        int32_t callStart = int32_t(src - in.data());
        err = U_ZERO_ERROR;
        ucnv_toUnicode(c, &dst, dstEnd, &src, srcEnd, off, true, &err);
        size_t done = dst - reinterpret_cast<UChar*>(out.data());
        if (offsets && callStart > 0) {
            // ICU counts offsets from where each call began.
            for (size_t i = before; i < done; ++i)
                if ((*offsets)[i] >= 0) (*offsets)[i] += callStart;
        }
        if (err != U_BUFFER_OVERFLOW_ERROR) {
            out.resize(done);
            if (offsets) offsets->resize(done);
            break;
        }
        out.resize(out.size() * 2);
        if (offsets) offsets->resize(out.size(), -1);
        dst = reinterpret_cast<UChar*>(out.data()) + done;
    }
    return out;
}

// UTF-16 to bytes through ICU. Returns the unit index of the first
// unmappable character in *firstUnit (-1 when none).
std::string icuFromUTF16(const std::u16string& in, const TextEncoding* to, ConversionReport& r, int64_t* firstUnit) {
    std::string out;
    *firstUnit = -1;
    Converter cnv = converter(to, true);
    UConverter* c = cnv.get();
    if (!c || in.empty()) return out;
    const UChar* src = reinterpret_cast<const UChar*>(in.data());
    const UChar* srcEnd = src + in.size();
    Losses losses{&r, nullptr, src};
    UErrorCode err = U_ZERO_ERROR;
    ucnv_setFromUCallBack(c, fromUnicodeLoss, &losses, nullptr, nullptr, &err);
    out.resize(UCNV_GET_MAX_BYTES_FOR_STRING(in.size(), ucnv_getMaxCharSize(c)) + 16);
    char* dst = out.data();
    for (;;) {
        err = U_ZERO_ERROR;
        ucnv_fromUnicode(c, &dst, out.data() + out.size(), &src, srcEnd, nullptr, true, &err);
        size_t done = dst - out.data();
        if (err != U_BUFFER_OVERFLOW_ERROR) {
            out.resize(done);
            break;
        }
        out.resize(out.size() * 2);
        dst = out.data() + done;
    }
    *firstUnit = losses.firstUnit;
    return out;
}

std::u16string toUTF16(std::string_view bytes, const TextEncoding* from, ConversionReport& r) {
    if (info(from).kind == Kind::UTF8) return utf8ToUTF16(bytes, r, nullptr);
    return icuToUTF16(bytes, from, r, nullptr);
}

// Input offset of UTF-16 unit `unit` of the text `bytes` decodes to.
size_t inputOffsetOfUnit(std::string_view bytes, const TextEncoding* from, int64_t unit) {
    ConversionReport scratch;
    std::vector<uint32_t> o8;
    std::vector<int32_t> o16;
    if (info(from).kind == Kind::UTF8) {
        utf8ToUTF16(bytes, scratch, &o8);
        return unit < int64_t(o8.size()) ? o8[unit] : bytes.size();
    }
    icuToUTF16(bytes, from, scratch, &o16);
    for (int64_t i = unit; i < int64_t(o16.size()); ++i)
        if (o16[i] >= 0) return o16[i];
    return bytes.size();
}

// Straight from one ICU converter to the other: ICU converts between UTF-8
// and its table converters without a UTF-16 copy of the whole text. Counts
// losses but cannot place them.
std::string icuConvertDirect(std::string_view in, const TextEncoding* from, const TextEncoding* to,
                             ConversionReport& r) {
    std::string out;
    Converter srcCnv = converter(from, false);
    Converter dstCnv = converter(to, true);
    UConverter* src = srcCnv.get();
    UConverter* dst = dstCnv.get();
    if (!src || !dst || in.empty()) return out;
    Losses decodeLosses{&r, in.data(), nullptr};
    Losses encodeLosses{&r, nullptr, nullptr};
    UErrorCode err = U_ZERO_ERROR;
    ucnv_setToUCallBack(src, toUnicodeLoss, &decodeLosses, nullptr, nullptr, &err);
    ucnv_setFromUCallBack(dst, fromUnicodeLoss, &encodeLosses, nullptr, nullptr, &err);
    UChar pivot[4096];
    UChar* pivotSource = pivot;
    UChar* pivotTarget = pivot;
    const char* source = in.data();
    out.resize(in.size() + in.size() / 2 + 64);
    char* target = out.data();
    bool reset = true;
    for (;;) {
        err = U_ZERO_ERROR;
        ucnv_convertEx(dst, src, &target, out.data() + out.size(), &source, in.data() + in.size(), pivot,
                       &pivotSource, &pivotTarget, pivot + 4096, reset, true, &err);
        reset = false;
        size_t done = target - out.data();
        if (err != U_BUFFER_OVERFLOW_ERROR) {
            out.resize(U_SUCCESS(err) ? done : 0);
            return out;
        }
        out.resize(out.size() * 2);
        target = out.data() + done;
    }
}

// Through UTF-16, keeping track of where each loss was in the input.
std::string convertTracked(std::string_view bytes, const TextEncoding* from, const TextEncoding* to,
                           ConversionReport& r) {
    if (info(to).kind == Kind::UTF8) return utf16ToUTF8(icuToUTF16(bytes, from, r, nullptr));
    std::u16string units = toUTF16(bytes, from, r);
    ConversionReport encodeLosses;
    int64_t firstUnit = -1;
    std::string out = icuFromUTF16(units, to, encodeLosses, &firstUnit);
    if (encodeLosses.lossy()) {
        bool decodeLossy = r.lossy();
        size_t at = inputOffsetOfUnit(bytes, from, firstUnit);
        r.unmappable += encodeLosses.unmappable;
        r.invalidInput += encodeLosses.invalidInput;
        r.firstOffset = decodeLossy ? std::min(r.firstOffset, at) : at;
    }
    return out;
}

// The whole conversion; `from` bytes to `to` bytes. Without `r` nobody
// asks where the losses were.
std::string convert(std::string_view bytes, const TextEncoding* from, const TextEncoding* to, ConversionReport* r) {
    ConversionReport quick;
    if (info(from).kind == Kind::UTF8 && info(to).kind == Kind::UTF8) return validateUTF8(bytes, r ? *r : quick);
    std::string out = icuConvertDirect(bytes, from, to, quick);
    if (!quick.lossy() || !r) return out;
    // Losses are rare; convert again the slow way to place the first one.
    return convertTracked(bytes, from, to, *r);
}

// ---------------------------------------------------------------- CharStarts

std::vector<uint32_t> utf8Starts(std::string_view bytes) {
    const auto* begin = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* p = begin;
    const auto* end = p + bytes.size();
    std::vector<uint32_t> starts(bytes.size() + 1);
    uint32_t* out = starts.data();
    while (p < end) {
        uint32_t at = p - begin;
        if (end - p >= 8 && AsciiWord(p)) {
            for (uint32_t i = 0; i < 8; ++i) out[i] = at + i;
            out += 8;
            p += 8;
            continue;
        }
        *out++ = at;
        p += Utf8Length(p, end - p);  // each byte of an ill-formed sequence is a character, as String counts them
    }
    *out++ = bytes.size();
    starts.resize(out - starts.data());
    return starts;
}

}  // namespace

// ---------------------------------------------------------------- TextEncoding

bool TextEncoding::IsUTF8() const { return kInfo[index].kind == Kind::UTF8; }

bool TextEncoding::IsSingleByte() const { return kInfo[index].singleByte; }

bool TextEncoding::Equals(const TextEncoding* other) const {
    return other && kInfo[index].sameAs == kInfo[other->index].sameAs;
}

std::vector<uint32_t> TextEncoding::CharStarts(std::string_view bytes) const {
    if (IsUTF8()) return utf8Starts(bytes);
    std::vector<uint32_t> starts;
    if (IsSingleByte()) {
        starts.resize(bytes.size() + 1);
        for (uint32_t i = 0; i <= bytes.size(); ++i) starts[i] = i;
        return starts;
    }
    // Each decoded unit knows the offset of the byte sequence it came from;
    // a new offset is a new character. Several units from one sequence
    // (surrogate pairs, MacJapanese's composed characters) stay one.
    ConversionReport scratch;
    std::vector<int32_t> offsets;
    icuToUTF16(bytes, this, scratch, &offsets);
    starts.reserve(offsets.size() + 2);
    if (!bytes.empty()) starts.push_back(0);
    for (size_t i = 1; i < offsets.size(); ++i)
        if (offsets[i] > 0 && uint32_t(offsets[i]) > starts.back()) starts.push_back(offsets[i]);
    starts.push_back(bytes.size());
    return starts;
}

// ---------------------------------------------------------------- Encodings

const TextEncoding* const Encodings::SystemDefault = &kEncodings[0];
const TextEncoding* const Encodings::UTF8 = &kEncodings[1];
const TextEncoding* const Encodings::ASCII = &kEncodings[2];
const TextEncoding* const Encodings::UTF16 = &kEncodings[73];
const TextEncoding* const Encodings::UCS4 = &kEncodings[72];
const TextEncoding* const Encodings::ISOLatin1 = &kEncodings[24];
const TextEncoding* const Encodings::WindowsLatin1 = &kEncodings[81];
const TextEncoding* const Encodings::WindowsANSI = &kEncodings[74];
const TextEncoding* const Encodings::MacRoman = &kEncodings[60];
const TextEncoding* const Encodings::ShiftJIS = &kEncodings[71];

int Encodings::Count() { return kCount; }

const TextEncoding* Encodings::At(int index) { return index >= 0 && index < kCount ? &kEncodings[index] : nullptr; }

const TextEncoding* Encodings::ByName(std::string_view name) {
    for (const TextEncoding& e : kEncodings)
        if (name == e.name) return &e;
    return nullptr;
}

bool Encodings::HasTable(const TextEncoding* enc) { return enc && kInfo[enc->index].kind != Kind::AsciiOnly; }

// ---------------------------------------------------------------- conversions

std::string DecodeToUTF8(std::string_view bytes, const TextEncoding* from, ConversionReport* report) {
    if (report) *report = ConversionReport{};
    return convert(bytes, from ? from : Encodings::UTF8, Encodings::UTF8, report);
}

std::string EncodeFromUTF8(std::string_view utf8, const TextEncoding* to, ConversionReport* report) {
    if (report) *report = ConversionReport{};
    return convert(utf8, Encodings::UTF8, to ? to : Encodings::UTF8, report);
}

String ConvertEncoding(const String& s, const TextEncoding* enc, ConversionReport* report) {
    if (report) *report = ConversionReport{};
    if (!enc) return String::FromBytes(s.bytes(), nullptr);
    const TextEncoding* from = s.encoding();
    if (from && from->Equals(enc)) return String::FromBytes(s.bytes(), enc);
    return String::FromBytes(convert(s.bytes(), from ? from : Encodings::UTF8, enc, report), enc);
}

String DefineEncoding(const String& s, const TextEncoding* enc) {
    // UTF16 and UCS4 texts are held big-endian without a byte-order mark, so
    // that slicing and joining never separate a piece from its mark and every
    // piece reads in the one order; a U+FEFF or U+FFFE inside is a character.
    // The mark is read here, where bytes take on the encoding, and only
    // reorders bytes: odd trailing bytes and lone surrogates stay as they are.
    // A text already carrying the encoding is held so already.
    int unit = !enc ? 0 : enc->Equals(Encodings::UTF16) ? 2 : enc->Equals(Encodings::UCS4) ? 4 : 0;
    if (unit == 0 || (s.encoding() && s.encoding()->Equals(enc))) return String::FromBytes(s.bytes(), enc);
    const std::string_view big = unit == 2 ? std::string_view("\xFE\xFF", 2) : std::string_view("\0\0\xFE\xFF", 4);
    const std::string_view little = unit == 2 ? std::string_view("\xFF\xFE", 2) : std::string_view("\xFF\xFE\0\0", 4);
    const std::string& b = s.bytes();
    if (b.starts_with(big)) return String::FromBytes(b.substr(big.size()), enc);
    if (!b.starts_with(little)) return String::FromBytes(b, enc);
    std::string held = b.substr(little.size());
    for (size_t i = 0; i + unit <= held.size(); i += unit) std::reverse(held.begin() + i, held.begin() + i + unit);
    return String::FromBytes(std::move(held), enc);
}

ConversionReport CheckEncoding(const String& s) {
    ConversionReport r;
    const TextEncoding* enc = s.encoding() ? s.encoding() : Encodings::UTF8;
    if (enc->IsUTF8()) {
        validateUTF8(s.bytes(), r);
    } else {
        icuToUTF16(s.bytes(), enc, r, nullptr);
    }
    return r;
}

}  // namespace fw
