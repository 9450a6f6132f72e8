#pragma once
// Finds which of a fixed set of ASCII substrings occur in a text, in one pass
// over the text whatever the number of substrings (an Aho-Corasick automaton
// built once). Used for the per-request address lists, so a request costs the
// same with thirty entries as with one and allocates nothing.
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <vector>

class SubstringMatcher final {
public:
    enum class Case { Sensitive, AsciiInsensitive };
    static constexpr int kMaxPatterns = 64;

    // Empty entries are ignored (they would match everything). More than
    // kMaxPatterns entries, or an entry with a character beyond ASCII, leave
    // the matcher unusable.
    SubstringMatcher(const QStringList &patterns, Case mode);

    bool usable() const { return m_usable; }
    // Bit i is set when patterns[i] occurs in `text`. A character beyond
    // ASCII never matches (AsciiInsensitive folds only A-Z).
    std::uint64_t find(QStringView text) const;

    // True when `text` holds only ASCII characters.
    static bool isAscii(QStringView text);

private:
    void build(const QStringList &patterns);

    bool m_usable = false;
    bool m_fold = false;
    int m_classes = 1;                     // class 0: a character in no pattern
    std::uint8_t m_class[128] = {};        // ASCII character -> class
    std::vector<std::int32_t> m_next;      // state * m_classes + class -> state
    std::vector<std::uint64_t> m_out;      // state -> patterns ending there
};
