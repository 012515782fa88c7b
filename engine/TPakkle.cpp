#include "engine/TPakkle.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstring>
#include <deque>
#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>
#include <unordered_map>

#include "fw/core/BackgroundTask.h"
#include "fw/core/CaseFold.h"
#include "fw/core/Numbers.h"
#include "fw/core/TextEncoding.h"
#include "fw/core/Utf8.h"

namespace {

using Token = TPakkle::Token;

// Printable ASCII without & ' > \, the double quote after % and "<" last.
const std::string kAlphabet =
    " !#$%\"()*+,-./0123456789:;=?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`abcdefghijklmnopqrstuvwxyz{|}~<";

const char* const kPageComment = "// Pakkle page made with Varnel - https://varnel.example.org/";
const char* const kScriptComment = "// Pakkle script made with Varnel - https://pakkle.example.org/";

// The decoder of the page. Its e() records the partial chunk after every
// call: a match copying from a chunk that the previous match had just begun
// would otherwise find a[h] unset and drop its text.
const char* const kDecoderHead =
    "var x=new Array(),a=new Array(),h=0,f=1,l=0,g=0,t='';function e(){if(t.length>99){while(t.length>99){a[h++]="
    "t.substr(0,99);t=t.substr(99,t.length-99);}}a[h]=t;}for(k=0;k<c.length;k++){x[c.charAt(k)]=k;}for(i=0;i<b."
    "length;i++,f=!f){p=x[b.substr(i,1)];while((p%91)==0){i++;p+=91+x[b.substr(i,1)];}if(f){t+=s.substr(l,p);g+=p;"
    "l+=p;e();}else{for(j=0;j<p;j++){w=s.substr(l,3);l+=3;q=x[w.substr(0,1)]*91+x[w.substr(1,1)]+1;y=x[w.substr(2,"
    "1)]+2;z=g-q;k=Math.floor(z/99);m=z%99;if(m+y>99){z=99-m;t+=a[k].substr(m,z);e();t+=a[k+1].substr(0,y-z);}"
    "else{";
const char* const kDecoderGuarded = "if(a[k]){t+=a[k].substr(m,y);}";
const char* const kDecoderUnguarded = "t+=a[k].substr(m,y);";
const char* const kDecoderTail = "}g+=y;e();}}e();}";

constexpr std::string_view kScriptNames = "sbcxahflgtekipjwqyzm";

// ---------------------------------------------------------------------------
// Units. Bytes are their own keys. Characters carry two keys: the exact one
// (same bytes) and the folded one, fw/core/CaseFold.h's key, so that the
// compressor matches text as the case-insensitive InStr does.

using fw::kInvalidBase;                     // + byte
constexpr uint32_t kSplitBase = 0x110100;   // + UTF-16 code unit
constexpr uint32_t kInternBase = 0x200000;  // + index of a multi-byte character

void AppendUtf16(std::u16string& out, uint32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
}

// Where a character unit comes from, for writing it as a literal.
struct UnitSource {
    uint32_t off;   // byte offset of its character
    uint16_t size;  // byte length of its character
    uint8_t index;  // which script character of it
    uint8_t count;  // how many script characters it makes
    char16_t code;  // that script character, when count > 1
    bool invalid;   // bytes that are no character of the encoding
};

// How one character of a non-UTF-8 encoding reads: its keys, or its script
// characters when it makes more than one (or none).
struct CharReading {
    uint32_t exact = 0;
    uint32_t fold = 0;
    bool split = false;
    bool invalid = false;
    std::u16string codes;
};

CharReading ReadChar(std::string_view bytes, const fw::TextEncoding* enc, uint32_t exactKey) {
    CharReading r;
    r.exact = exactKey;
    fw::ConversionReport rep;
    const std::string u = fw::DecodeToUTF8(bytes, enc, &rep);
    if (rep.invalidInput > 0) {
        // The browser shows one replacement character.
        r.fold = kInvalidBase + static_cast<unsigned char>(bytes[0]);
        r.invalid = true;
        return r;
    }
    r.fold = fw::CaseKeyOfUtf8(u);
    fw::Utf8Walker walk(u);
    uint32_t cp = 0;
    size_t off = 0, len = 0;
    while (walk.Next(cp, off, len)) AppendUtf16(r.codes, cp < kInvalidBase ? cp : 0xFFFD);
    r.split = r.codes.size() != 1;
    return r;
}

// Units are kept in rings: the window behind the scan, the longest match
// ahead of it and the code writer's lag behind the tokens all fit, so memory
// does not grow with the text. The first kMirror slots are repeated after the
// last, so that a match or a hashed prefix reads straight across the wrap.
constexpr size_t kRing = size_t(1) << 14;
constexpr size_t kRingMask = kRing - 1;
constexpr size_t kMirror = 128;
static_assert(kRing >= TPakkle::kWindow + 2 * TPakkle::kMaxMatch + 2 * 256 + kMirror);

// The character units of a text, made as the scan asks for them.
class CharUnits {
public:
    CharUnits(const std::string& b, const fw::TextEncoding* enc);

    // Makes units up to `upto` ready where the text reaches that far; gives
    // how many units have been made.
    size_t Fill(size_t upto) {
        while (count_ < upto && ReadNext()) {
        }
        return count_;
    }
    const uint32_t* Exact(size_t i) const { return exact_.data() + (i & kRingMask); }
    const uint32_t* Fold(size_t i) const { return fold_.data() + (i & kRingMask); }
    const UnitSource& Source(size_t i) const { return source_[i & kRingMask]; }

    // Whether any unit made so far differs from its folded key.
    bool CaseVariant() const { return caseVariant_; }

    void Add(uint32_t ex, uint32_t fo, UnitSource src) {
        caseVariant_ = caseVariant_ || ex != fo;
        const size_t slot = count_ & kRingMask;
        exact_[slot] = ex;
        fold_[slot] = fo;
        source_[slot] = src;
        if (slot < kMirror) {
            exact_[kRing + slot] = ex;
            fold_[kRing + slot] = fo;
        }
        ++count_;
    }

private:
    bool ReadNext();

    const std::string& b_;
    const fw::TextEncoding* enc_;
    size_t off_ = 0;
    size_t count_ = 0;
    bool caseVariant_ = false;
    std::vector<uint32_t> exact_ = std::vector<uint32_t>(kRing + kMirror);
    std::vector<uint32_t> fold_ = std::vector<uint32_t>(kRing + kMirror);
    std::vector<UnitSource> source_ = std::vector<UnitSource>(kRing);
    // Single-byte encodings: each byte value read once.
    std::vector<CharReading> table_;
    std::vector<bool> known_;
    // Other encodings: where the characters start, and each one read once.
    std::vector<uint32_t> starts_;
    size_t next_ = 0;
    std::unordered_map<std::string_view, CharReading> seen_;
};

void AddReading(CharUnits& out, const CharReading& r, uint32_t off, size_t size) {
    if (!r.split) {
        out.Add(r.exact, r.fold, {off, static_cast<uint16_t>(size), 0, 1, 0, r.invalid});
        return;
    }
    const auto count = static_cast<uint8_t>(std::min<size_t>(r.codes.size(), 255));
    for (uint8_t k = 0; k < count; ++k) {
        const uint32_t key = kSplitBase + r.codes[k];
        out.Add(key, key, {off, static_cast<uint16_t>(size), k, count, r.codes[k], false});
    }
}

// Character units of `b` in `enc` (UTF-8 when null). A character that the
// browser holds as several script characters (outside the BMP, or mapped to
// several code points) becomes that many units, so that every count the
// decoder reads is a count of script characters.
CharUnits::CharUnits(const std::string& b, const fw::TextEncoding* enc) : b_(b), enc_(enc) {
    if (enc_ != nullptr && enc_->IsUTF8()) enc_ = nullptr;
    if (enc_ == nullptr) return;
    if (enc_->IsSingleByte()) {
        table_.resize(256);
        known_.resize(256);
        return;
    }
    starts_ = enc_->CharStarts(b_);
    if (starts_.empty() || starts_.back() != b_.size()) starts_.push_back(static_cast<uint32_t>(b_.size()));
}

bool CharUnits::ReadNext() {
    const auto* p = reinterpret_cast<const unsigned char*>(b_.data());
    const size_t n = b_.size();
    if (enc_ == nullptr) {
        if (off_ >= n) return false;
        size_t len = 1;
        const uint32_t cp = fw::Utf8Char(p + off_, n - off_, len);
        const auto o = static_cast<uint32_t>(off_);
        if (cp >= 0x10000 && cp < kInvalidBase) {
            std::u16string codes;
            AppendUtf16(codes, cp);
            for (uint8_t k = 0; k < 2; ++k)
                Add(kSplitBase + codes[k], kSplitBase + codes[k],
                    {o, static_cast<uint16_t>(len), k, 2, codes[k], false});
        } else {
            Add(cp, fw::FoldCase(cp), {o, static_cast<uint16_t>(len), 0, 1, 0, cp >= kInvalidBase});
        }
        off_ += len;
        return true;
    }
    if (!table_.empty()) {
        if (off_ >= n) return false;
        const unsigned char c = p[off_];
        if (!known_[c]) {
            table_[c] = ReadChar(std::string_view(b_).substr(off_, 1), enc_, c);
            known_[c] = true;
        }
        AddReading(*this, table_[c], static_cast<uint32_t>(off_), 1);
        ++off_;
        return true;
    }
    if (next_ + 1 >= starts_.size()) return false;
    const std::string_view ch = std::string_view(b_).substr(starts_[next_], starts_[next_ + 1] - starts_[next_]);
    auto it = seen_.find(ch);
    if (it == seen_.end())
        it = seen_.emplace(ch, ReadChar(ch, enc_, kInternBase + static_cast<uint32_t>(seen_.size()))).first;
    AddReading(*this, it->second, starts_[next_], ch.size());
    ++next_;
    return true;
}

// Byte units are the text itself.
struct ByteUnits {
    const unsigned char* p;
    size_t n;
    size_t Fill(size_t) const { return n; }
    static bool CaseVariant() { return false; }
    const unsigned char* Exact(size_t i) const { return p + i; }
    const unsigned char* Fold(size_t i) const { return p + i; }
};

// ---------------------------------------------------------------------------
// The main pass. For each position it finds what the plain search would:
// the longest length whose pattern has its first (case-insensitive)
// occurrence wholly inside the window, stopping at the first length that is
// absent or, for characters, whose first occurrence differs in letter case.
// Candidates come from hash chains, oldest first, so the first candidate
// that reaches a length is that length's first occurrence. There is a chain
// per prefix length, 4 and 10 units: once the best length reaches 10, only
// starts that share that longer prefix can do better. On texts of few
// letters the chains of 4-unit prefixes hold hundreds of starts, and those
// of 10 units a few (on two letters, a window holds each 10-unit prefix
// about eight times). On most texts the short chains hold a few starts and
// keeping the long ones would cost more than it saves, so those are kept
// only while the short ones run long.

constexpr size_t kLevels = 2;
constexpr size_t kPrefix[kLevels] = {4, 10};
constexpr int kHashBits = 16;
constexpr uint32_t kNil = UINT32_MAX;
// A start of level L goes in once the scan is kPrefix[L] past it; by then
// the start kLag[L] before it has left every window still to come.
constexpr uint32_t kLag[kLevels] = {TPakkle::kWindow + 1 - kPrefix[0], TPakkle::kWindow + 1 - kPrefix[1]};

template <size_t L, class K>
uint32_t HashPrefix(const K* u) {
    uint64_t h = 0;
    if constexpr (sizeof(K) == 1) {
        for (size_t i = 0; i < L; i += 8) {
            uint64_t v = 0;
            std::memcpy(&v, u + i, std::min<size_t>(8, L - i));
            h = (h ^ v) * 0x9E3779B97F4A7C15ull;
        }
    } else {
        // Independent products: the sum does not wait on a chain of multiplies.
        static constexpr uint64_t kOdd[4] = {0x9E3779B97F4A7C15ull, 0xC2B2AE3D27D4EB4Full, 0x165667B19E3779F9ull,
                                             0xD6E8FEB86659FD93ull};
        for (size_t i = 0; i < L; i += 4) {
            uint64_t v = 0;
            for (size_t k = 0; k < 4 && i + k < L; ++k) v += u[i + k] * kOdd[k];
            h = (h ^ (h >> 29)) * 0xBF58476D1CE4E5B9ull + v;
        }
    }
    return static_cast<uint32_t>(h >> (64 - kHashBits));
}

// Starts with equal hashed prefixes, oldest first: inserting a start drops
// the one kLag before it, so a list holds little more than a window and
// its slots in the ring are never reused while listed. A counted list
// knows its length.
template <bool kCounted, uint32_t kLag>
class Chain {
public:
    void Insert(uint32_t q, uint32_t h) {
        const size_t slot = q & kRingMask;
        if (q >= kLag) {
            const size_t oldSlot = (q - kLag) & kRingMask;
            Ends& o = ends_[hashOf_[oldSlot]];
            // Every older start is gone, so if still listed, it leads.
            if (o.head == q - kLag) {
                o.head = next_[oldSlot];
                if constexpr (kCounted) --o.count;
            }
        }
        next_[slot] = kNil;
        hashOf_[slot] = static_cast<uint16_t>(h);
        Ends& e = ends_[h];
        if (e.head == kNil) {
            e.head = q;
            if constexpr (kCounted) e.count = 0;
        } else {
            next_[e.tail & kRingMask] = q;
        }
        e.tail = q;
        if constexpr (kCounted) ++e.count;
    }
    uint32_t Next(uint32_t q) const { return next_[q & kRingMask]; }
    // The oldest start of `h` from `ws` on; older ones are dropped.
    uint32_t First(uint32_t h, size_t ws) {
        Ends& e = ends_[h];
        uint32_t q = e.head;
        while (q != kNil && q < ws) {
            q = Next(q);
            if constexpr (kCounted) --e.count;
        }
        e.head = q;
        return q;
    }
    // How many starts First(h, ws) leads.
    uint32_t Count(uint32_t h, size_t ws) {
        static_assert(kCounted);
        return First(h, ws) == kNil ? 0 : ends_[h].count;
    }
    void Clear() { std::fill(ends_.begin(), ends_.end(), Ends{}); }

private:
    struct Uncounted {
        uint32_t head = kNil;
        uint32_t tail = kNil;
    };
    struct Counted : Uncounted {
        uint32_t count = 0;
    };
    using Ends = std::conditional_t<kCounted, Counted, Uncounted>;
    std::vector<Ends> ends_ = std::vector<Ends>(size_t(1) << kHashBits);
    std::vector<uint32_t> next_ = std::vector<uint32_t>(kRing, kNil);
    std::vector<uint16_t> hashOf_ = std::vector<uint16_t>(kRing);
};

// Level 0 is always kept; level 1 only while `deep`.
struct Chains {
    Chain<true, kLag[0]> shortest;
    Chain<false, kLag[1]> longest;
    size_t inserted[kLevels] = {};
    bool deep = false;

    template <class Units>
    void InsertUpTo(const Units& units, size_t pos) {
        Insert<0>(shortest, units, pos);
        if (deep) Insert<1>(longest, units, pos);
    }
    // Starts keeping the long chain again, window start ws. Left for a
    // window or more, it starts afresh from the window.
    void Deepen(size_t ws) {
        deep = true;
        if (inserted[1] >= ws) return;
        longest.Clear();
        inserted[1] = ws;
    }
    // The oldest start in the window that shares the prefix of `level` at p.
    template <class K>
    uint32_t First(size_t level, const K* p, size_t ws) {
        return level == 0 ? shortest.First(HashPrefix<kPrefix[0]>(p), ws)
                          : longest.First(HashPrefix<kPrefix[1]>(p), ws);
    }
    uint32_t Next(size_t level, uint32_t q) const { return level == 0 ? shortest.Next(q) : longest.Next(q); }

private:
    template <size_t Level, class Chain, class Units>
    void Insert(Chain& chain, const Units& units, size_t pos) {
        size_t q = inserted[Level];
        for (; q + kPrefix[Level] <= pos; ++q)
            chain.Insert(static_cast<uint32_t>(q), HashPrefix<kPrefix[Level]>(units.Fold(q)));
        inserted[Level] = q;
    }
};

// How many units a and b have in common from the start, at most cap; a
// word at a time, as the first difference comes at an unforeseeable place.
template <class K>
size_t CommonPrefix(const K* a, const K* b, size_t cap) {
    constexpr size_t kPerWord = sizeof(uint64_t) / sizeof(K);
    size_t f = 0;
    for (; f + kPerWord <= cap; f += kPerWord) {
        uint64_t x, y;
        std::memcpy(&x, a + f, sizeof x);
        std::memcpy(&y, b + f, sizeof y);
        if (x == y) continue;
        const int bit = std::endian::native == std::endian::little ? std::countr_zero(x ^ y)
                                                                   : std::countl_zero(x ^ y);
        return f + static_cast<size_t>(bit) / (8 * sizeof(K));
    }
    while (f < cap && a[f] == b[f]) ++f;
    return f;
}

// The best match at pos among the starts that share the prefix of level
// `start`, searched oldest first; 0 when none reaches that prefix. Levels
// above `top` are not kept.
template <bool kCaseRule, class Units>
size_t Longest(Chains& chains, const Units& units, size_t start, size_t top, size_t pos, size_t ws, size_t maxLen,
               size_t& bestQ) {
    const auto* const fp = units.Fold(pos);
    size_t bestLen = 0;
    size_t level = start;
    size_t need = kPrefix[start];
    for (uint32_t q = chains.First(start, fp, ws); q != kNil; q = chains.Next(level, q)) {
        if (pos - q < need) break;  // later starts lie closer still
        const auto* const fq = units.Fold(q);
        // A glance at the last unit needed spares most comparisons in the
        // short chain; in the long one, on few letters, it would guess wrong
        // half the time.
        if (level == 0 && fq[need - 1] != fp[need - 1]) continue;
        const size_t cap = std::min(maxLen, pos - q);
        const size_t f = CommonPrefix(fq, fp, cap);
        if (f < need) continue;
        size_t e = f;
        if constexpr (kCaseRule) {
            const auto* const eq = units.Exact(q);
            const auto* const ep = units.Exact(pos);
            e = CommonPrefix(eq, ep, f);
        }
        if (e >= f) {
            bestLen = f;
            bestQ = q;
            need = f + 1;
            if (need > maxLen) break;
            // q shares the longer prefix, so it is in that chain too.
            while (level < top && f >= kPrefix[level + 1]) ++level;
            continue;
        }
        // The first occurrence of length e + 1 differs in case.
        if (e >= need) {
            bestLen = e;
            bestQ = q;
        }
        break;
    }
    return bestLen;
}

// Hands each token to `emit` as soon as it is found. The yield here, once
// per token, serves everything that `emit` does with the token as well.
template <bool kCaseRule, class Units, class Emit>
void Scan(Units& units, Emit&& emit) {
    const size_t window = TPakkle::kWindow;
    // Over each block the starts that the short chains hold at each lookup
    // are summed: many per unit, and the long chain is kept; few, and it is
    // left. The two bounds keep the choice from flapping.
    constexpr size_t kBlock = 4096;
    constexpr size_t kDeepen = 8 * kBlock;
    constexpr size_t kShallow = 4 * kBlock;
    size_t blockEnd = kBlock;
    size_t held = 0;
    constexpr size_t kSample = 16;
    size_t lookups = 0;
    auto chains = std::make_unique<Chains>();
    for (size_t pos = 0;;) {
        // Fewer units than asked for: the text ends there.
        const size_t n = units.Fill(pos + TPakkle::kMaxMatch + 1);
        if (pos >= n) break;
        fw::RuntimeBackgroundTask();
        const size_t ws = pos > window ? pos - window : 0;
        if (pos >= blockEnd) {
            if (held > kDeepen && !chains->deep) chains->Deepen(ws);
            else if (held < kShallow) chains->deep = false;
            held = 0;
            blockEnd = pos + kBlock;
        }
        // A start q can serve once a pattern of its prefix length ends before pos.
        chains->InsertUpTo(units, pos);
        // The last unit is always a literal: pos + len stays below n.
        const size_t maxLen = std::min<size_t>(TPakkle::kMaxMatch, n - 1 - pos);
        size_t bestLen = 0, bestQ = 0;
        if (maxLen >= TPakkle::kMinMatch && pos >= TPakkle::kMinMatch) {
            // The long chain spares the walk of the short ones, so while it
            // is kept, one lookup in kSample is counted for all.
            if (!chains->deep || ++lookups % kSample == 0)
                held += (chains->deep ? kSample : 1) *
                        chains->shortest.Count(HashPrefix<kPrefix[0]>(units.Fold(pos)), ws);
            const size_t top = chains->deep ? kLevels - 1 : 0;
            // Without letter case to tell apart, only the longest length and
            // its first occurrence matter, so the search starts with the
            // longest prefix and goes shorter only when that one finds none.
            // With case, every shorter length's first occurrence is checked.
            const bool caseRule = kCaseRule && units.CaseVariant();
            for (size_t start = caseRule ? 0 : top;; --start) {
                if (kPrefix[start] <= maxLen)
                    bestLen = caseRule ? Longest<kCaseRule>(*chains, units, start, top, pos, ws, maxLen, bestQ)
                                       : Longest<false>(*chains, units, start, top, pos, ws, maxLen, bestQ);
                if (bestLen > 0 || start == 0) break;
            }
        }
        if (bestLen > 0) {
            emit(Token{static_cast<uint32_t>(pos + 1), static_cast<uint32_t>(pos - bestQ),
                       static_cast<uint32_t>(bestLen)});
            pos += bestLen;
        } else {
            emit(Token{static_cast<uint32_t>(pos + 1), 0, 1});
            pos += 1;
        }
    }
}

// ---------------------------------------------------------------------------
// Runs. The decoder reads every run total that is a multiple of 91 as "read
// on", so a run of 91·m flags has no form it can read. Before such a run
// closes, the token that closes it is changed: a literal run takes the first
// unit of the next match (or all four of a shortest match), a match run gives
// back its last match as literals. A final run of literals is written one
// longer instead: the decoder's substr stops at the end of the stream.
// The last token is held back, as a match run may still give it back.
template <class Sink>
class RunsReadable {
public:
    explicit RunsReadable(Sink& sink) : sink_(sink) {}

    void operator()(Token t) {
        for (;;) {
            const bool isMatch = t.dist != 0;
            if (isMatch == runIsMatch_) {
                Push(t);
                return;
            }
            if (count_ == 0 || count_ % 91 != 0) {
                runIsMatch_ = isMatch;
                count_ = 0;
                Push(t);
                return;
            }
            if (!runIsMatch_) {
                Push(Literal(t.pos));
                if (t.len > TPakkle::kMinMatch) {
                    t = Token{t.pos + 1, t.dist, t.len - 1};
                    continue;
                }
                for (uint32_t k = 1; k < t.len; ++k) Push(Literal(t.pos + k));
                return;
            }
            const Token last = *held_;
            held_.reset();
            runIsMatch_ = false;
            count_ = 0;
            for (uint32_t k = 0; k < last.len; ++k) Push(Literal(last.pos + k));
            Push(t);
            return;
        }
    }
    void Finish() {
        if (held_) sink_(*held_);
        held_.reset();
    }

private:
    static Token Literal(uint32_t pos) { return Token{pos, 0, 1}; }
    void Push(Token t) {
        if (held_) sink_(*held_);
        held_ = t;
        ++count_;
    }

    Sink& sink_;
    std::optional<Token> held_;
    bool runIsMatch_ = false;
    size_t count_ = 0;
};

// The run string, flag by flag.
class RunWriter {
public:
    void Put(const Token& t) {
        any_ = true;
        const bool flag = t.dist != 0;
        if (flag == current_) {
            if (++count_ > TPakkle::kRunLimit) {
                runs_ += kAlphabet[0];
                count_ = 0;
            }
        } else {
            runs_ += kAlphabet[count_];
            current_ = flag;
            count_ = 1;
        }
    }
    std::string Finish() {
        // Only a final run of literals can end on a multiple of 91 here.
        runs_ += kAlphabet[(count_ == 0 && any_) ? 1 : count_];
        return std::move(runs_);
    }

private:
    std::string runs_;
    bool current_ = false;
    bool any_ = false;
    int count_ = 0;
};

// ---------------------------------------------------------------------------
// Code stream.

void AppendLiteralByte(std::string& out, char c) {
    switch (c) {
    case '\'': out += "\\'"; break;
    case '\n': out += "\\n"; break;
    case '\r': out += "\\r"; break;
    case '\\': out += "\\\\"; break;
    case '\t': out += "\\t"; break;
    default: out += c;
    }
}

void AppendMatch(std::string& out, const Token& t) {
    out += kAlphabet[(t.dist - 1) / 91];
    out += kAlphabet[(t.dist - 1) % 91];
    out += kAlphabet[t.len - 2];
}

// Keeps "</script" and "<!" out of the script text without changing the
// string's value: "<" '+' "/script", and "<\!". The code stream comes in
// pieces; a byte is decided once the seven after it are known.
class Escaper {
public:
    Escaper(std::string& out, const fw::TextEncoding* enc) : out_(out), enc_(enc) {}

    // Where the code stream is written.
    std::string& raw() { return raw_; }
    void Flush(bool final) {
        const size_t n = raw_.size();
        if (!final && n < kPiece) return;
        const size_t limit = final ? n : n - 7;
        for (size_t i = 0; i < limit; ++i) {
            const char c = raw_[i];
            if (c == '<' && i + 8 <= n && raw_[i + 1] == '/' &&
                fw::Uppercase(fw::String::FromBytes(raw_.substr(i, 8), enc_)) == fw::String("</SCRIPT")) {
                out_ += "<'+'";
            } else if (c == '!' && prev_ == '<') {
                out_ += "\\!";
            } else {
                out_ += c;
            }
            prev_ = c;
        }
        raw_.erase(0, limit);
    }

private:
    static constexpr size_t kPiece = size_t(1) << 16;
    std::string& out_;
    const fw::TextEncoding* enc_;
    std::string raw_;
    char prev_ = '\0';
};

class ByteCodeWriter {
public:
    ByteCodeWriter(const std::string& b, const fw::TextEncoding* enc, Escaper& out) : b_(b), out_(out) {
        // What each byte reads as in a single-byte page: a few tables have a
        // quote or backslash above 0x7F, which must not stand raw in the literal.
        for (int i = 0; i < 256; ++i) {
            reads_[i] = static_cast<char>(i);
            if (i < 0x80 || enc == nullptr || !enc->IsSingleByte()) continue;
            const std::string u = fw::DecodeToUTF8(std::string(1, static_cast<char>(i)), enc);
            if (u == "'" || u == "\\" || u == "\n" || u == "\r") reads_[i] = u[0];
        }
    }
    void Put(const Token& t) {
        if (t.dist == 0) {
            AppendLiteralByte(out_.raw(), reads_[static_cast<unsigned char>(b_[t.pos - 1])]);
        } else {
            AppendMatch(out_.raw(), t);
        }
        out_.Flush(false);
    }
    void Finish() {}

private:
    const std::string& b_;
    Escaper& out_;
    char reads_[256];
};

// Literals of character units. A character of several units looks ahead at
// the tokens of its other units, so tokens wait until the ones covering
// the next 255 units have come.
class CharCodeWriter {
public:
    CharCodeWriter(const std::string& b, const CharUnits& units, Escaper& out) : b_(b), units_(units), out_(out) {}

    void Put(const Token& t) {
        waiting_.push_back(t);
        const size_t end = t.pos - 1 + t.len;
        while (!waiting_.empty() && end >= waiting_.front().pos - 1 + 255) WriteFront();
        out_.Flush(false);
    }
    void Finish() {
        while (!waiting_.empty()) WriteFront();
    }

private:
    void WriteFront() {
        std::string& out = out_.raw();
        const Token t = waiting_.front();
        waiting_.pop_front();
        if (t.dist != 0) {
            AppendMatch(out, t);
            return;
        }
        const UnitSource& src = units_.Source(t.pos - 1);
        if (src.invalid) {
            // A browser would read a stray byte together with its
            // neighbours (a lead byte takes the "\\" of an escape), so the
            // page carries what it shows for it: one replacement character.
            out += "\\uFFFD";
            return;
        }
        if (src.count == 1) {
            // Some encodings read a byte above 0x7F as a quote or backslash
            // (MacArabic, MacHebrew, MacJapanese); written as it stands, it
            // would end the literal or start an escape.
            const uint32_t cp = *units_.Fold(t.pos - 1);
            if (cp == '\'' || cp == '\\' || cp == '\n' || cp == '\r') {
                AppendLiteralByte(out, static_cast<char>(cp));
            } else if (src.size == 1) {
                AppendLiteralByte(out, b_[src.off]);
            } else {
                out.append(b_, src.off, src.size);
            }
            return;
        }
        // A character of several script characters is written whole when
        // all of them are literals; otherwise each one as a \u escape.
        bool whole = src.index == 0 && src.count - 1u <= waiting_.size();
        for (size_t k = 1; whole && k < src.count; ++k) whole = waiting_[k - 1].dist == 0;
        // ... and none of them is ASCII, which its bytes could hide (MacChineseTrad
        // reads 0x80 as a backslash and a variant tag).
        for (size_t k = 0; whole && k < src.count; ++k) whole = units_.Source(t.pos - 1 + k).code >= 0x80;
        if (whole) {
            out.append(b_, src.off, src.size);
            waiting_.erase(waiting_.begin(), waiting_.begin() + (src.count - 1));
            return;
        }
        out += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4) out += fw::HexDigit(src.code >> shift);
    }

    const std::string& b_;
    const CharUnits& units_;
    Escaper& out_;
    std::deque<Token> waiting_;
};

// Where the tokens go once runs are readable: the code stream and the run
// string.
template <class CodeWriter>
struct StreamSink {
    CodeWriter& code;
    RunWriter& runs;
    void operator()(const Token& t) {
        code.Put(t);
        runs.Put(t);
    }
};

bool IsAsciiCompatible(const fw::TextEncoding* enc) {
    return enc == nullptr || !(enc->Equals(fw::Encodings::UTF16) || enc->Equals(fw::Encodings::UCS4));
}

// Calls `use` with the prepared text.
template <class Use>
auto WithPrepared(const fw::String& source, bool unicode, Use&& use) {
    const fw::TextEncoding* enc = source.encoding();
    if (IsAsciiCompatible(enc)) return use(source, enc);
    // The page's own text is ASCII; in character units the text is carried
    // as UTF-8 so that the page stays one text.
    if (unicode) return use(fw::ConvertEncoding(source, fw::Encodings::UTF8), fw::Encodings::UTF8);
    return use(source, static_cast<const fw::TextEncoding*>(nullptr));
}

// Scans `text` and hands every token of the main pass to `emit`; with
// `units` set, in character units.
template <class Emit>
void ScanText(const fw::String& text, CharUnits* units, Emit&& emit) {
    if (units != nullptr) {
        Scan<true>(*units, emit);
        return;
    }
    const std::string& b = text.bytes();
    ByteUnits bytes{reinterpret_cast<const unsigned char*>(b.data()), b.size()};
    Scan<false>(bytes, emit);
}

template <class CodeWriter>
std::string WriteStreams(const fw::String& text, CharUnits* units, CodeWriter& code, Escaper& escaper) {
    RunWriter runs;
    StreamSink<CodeWriter> sink{code, runs};
    RunsReadable<StreamSink<CodeWriter>> readable(sink);
    ScanText(text, units, readable);
    readable.Finish();
    code.Finish();
    escaper.Flush(true);
    return runs.Finish();
}

// Appends the escaped code stream of `text` to `code` and gives the run string.
std::string EncodeText(const fw::String& text, const fw::TextEncoding* pageEncoding, bool unicode,
                       std::string& code) {
    const std::string& b = text.bytes();
    Escaper escaper(code, pageEncoding);
    if (unicode) {
        CharUnits units(b, text.encoding());
        CharCodeWriter writer(b, units, escaper);
        return WriteStreams(text, &units, writer, escaper);
    }
    ByteCodeWriter writer(b, text.encoding(), escaper);
    return WriteStreams(text, nullptr, writer, escaper);
}

// The page around the streams: `before`, then the data line with the
// decoder, then `after`.
std::string Page(std::string page, const fw::String& text, const fw::TextEncoding* pageEncoding, bool unicode,
                 const std::string& prefix, bool guarded, const std::string& after) {
    // Untouched capacity costs no memory; growing would copy.
    page.reserve(page.size() + text.bytes().size() + text.bytes().size() / 8 + 4096);
    page += prefix + "s='";
    const std::string runs = EncodeText(text, pageEncoding, unicode, page);
    page += "';" + prefix + "b='" + runs + "';";
    page += prefix + "c='" + kAlphabet + "';";
    page += TPakkle::Decoder(prefix, guarded);
    page += after;
    return page;
}

}  // namespace

const std::string& TPakkle::Alphabet() { return kAlphabet; }

std::string TPakkle::Decoder(const std::string& prefix, bool guarded) {
    const std::string text = std::string(kDecoderHead) + (guarded ? kDecoderGuarded : kDecoderUnguarded) +
                             kDecoderTail;
    if (prefix.empty()) return text;
    // Every one-letter identifier is one of the script's names; names after
    // a dot are properties and the only string literal is ''.
    std::string out;
    out.reserve(text.size() + 200 * prefix.size());
    auto isWord = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; };
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '\'') {
            const size_t end = text.find('\'', i + 1);
            out.append(text, i, end + 1 - i);
            i = end + 1;
            continue;
        }
        if (!isWord(c)) {
            out += c;
            ++i;
            continue;
        }
        size_t j = i;
        while (j < text.size() && isWord(text[j])) ++j;
        const bool property = i > 0 && text[i - 1] == '.';
        if (j - i == 1 && !property && kScriptNames.find(c) != std::string_view::npos) out += prefix;
        out.append(text, i, j - i);
        i = j;
    }
    return out;
}

std::vector<TPakkle::Token> TPakkle::Tokenize(const fw::String& source, bool unicode) {
    return WithPrepared(source, unicode, [unicode](const fw::String& text, const fw::TextEncoding*) {
        std::vector<Token> tokens;
        auto keep = [&tokens](const Token& t) { tokens.push_back(t); };
        if (!unicode) {
            ScanText(text, nullptr, keep);
            return tokens;
        }
        CharUnits units(text.bytes(), text.encoding());
        ScanText(text, &units, keep);
        return tokens;
    });
}

TPakkle::Streams TPakkle::Encode(const fw::String& source, bool unicode) {
    return WithPrepared(source, unicode, [unicode](const fw::String& text, const fw::TextEncoding* pageEncoding) {
        Streams s;
        s.runs = EncodeText(text, pageEncoding, unicode, s.code);
        return s;
    });
}

fw::String TPakkle::Compress(const fw::String& source, const fw::String& prefix, bool isScript, bool unicode) {
    return Compress(source, prefix, isScript, unicode, std::string());
}

fw::String TPakkle::Compress(const fw::String& source, const fw::String& prefix, bool isScript, bool unicode,
                             std::string head) {
    return WithPrepared(source, unicode, [&](const fw::String& text, const fw::TextEncoding* pageEncoding) {
        const std::string& p = prefix.bytes();
        const std::string eol = fw::String(fw::EndOfLine).bytes();
        std::string page = std::move(head);
        if (isScript) {
            page += kScriptComment + eol;
            page = Page(std::move(page), text, pageEncoding, unicode, p, true,
                        "eval(" + p + "a.join(''));" + eol + kScriptComment);
        } else {
            page += "<html><head><script>" + eol + kPageComment + eol;
            page = Page(std::move(page), text, pageEncoding, unicode, p, true,
                        "document.write(" + p + "a.join(''));" + eol + kPageComment + eol +
                            "</script></head><body></body></html>");
        }
        return fw::String::FromBytes(std::move(page), pageEncoding);
    });
}

fw::String TPakkle::CompressJS(const fw::String& source, const fw::String& prefix, bool unicode) {
    return Compress(source, prefix, true, unicode);
}

fw::String TPakkle::CompressHtml(const fw::String& source, const fw::String& prefix, bool unicode) {
    return Compress(source, prefix, false, unicode);
}

fw::String TPakkle::CompressAnsi(const fw::String& source, const fw::String& prefix, bool isScript) {
    return Compress(source, prefix, isScript, false);
}

fw::String TPakkle::CompressUni(const fw::String& source, const fw::String& prefix, bool isScript) {
    return Compress(source, prefix, isScript, true);
}

fw::String TPakkle::OldCompress(const fw::String& source, const fw::String& prefix, bool isScript) {
    return WithPrepared(source, false, [&](const fw::String& text, const fw::TextEncoding* pageEncoding) {
        const std::string& p = prefix.bytes();
        const std::string crlf = "\r\n";
        std::string page;
        if (isScript) {
            page = Page(std::string(kScriptComment) + crlf, text, pageEncoding, false, p, false,
                        "eval(" + p + "a.join(''));" + crlf + kScriptComment);
        } else {
            page = Page("<html><body><script>" + crlf + kPageComment + crlf, text, pageEncoding, false, p, false,
                        "document.write(" + p + "a.join(''));" + crlf + kPageComment + crlf +
                            "</script></body></html>");
        }
        return fw::String::FromBytes(std::move(page), pageEncoding);
    });
}

int32_t TPakkle::MyInStr(const fw::String& source, const fw::String& pattern) {
    const int64_t p = fw::InStr(source, pattern);
    if (p > 0 && fw::StrComp(fw::Mid(source, p, fw::Len(pattern)), pattern, 0) == 0) return static_cast<int32_t>(p);
    return 0;
}

fw::String TPakkle::ExtraChar(const fw::String& unit) {
    if (unit == fw::String("'")) return fw::String("\\'");
    if (unit == fw::String("\n")) return fw::String("\\n");
    if (unit == fw::String("\r")) return fw::String("\\r");
    if (unit == fw::String("\\")) return fw::String("\\\\");
    if (unit == fw::String("\t")) return fw::String("\\t");
    return unit;
}

fw::String TPakkle::proc1c(int32_t n) {
    if (n < 0 || n > 90) return fw::String();
    return fw::String(kAlphabet.substr(static_cast<size_t>(n), 1));
}

fw::String TPakkle::proc2c(int32_t n) { return proc1c(n / 91) + proc1c(n % 91); }
