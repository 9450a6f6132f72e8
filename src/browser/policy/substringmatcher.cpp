#include "browser/policy/substringmatcher.h"
#include <deque>

SubstringMatcher::SubstringMatcher(const QStringList &patterns, Case mode) : m_fold(mode == Case::AsciiInsensitive)
{
    if (patterns.size() > kMaxPatterns)
        return;
    for (const QString &p : patterns) {
        if (!isAscii(p))
            return;
    }
    build(patterns);
    m_usable = true;
}

bool SubstringMatcher::isAscii(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 128)
            return false;
    }
    return true;
}

namespace {
char16_t folded(char16_t c, bool fold)
{
    return fold && c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}
}

void SubstringMatcher::build(const QStringList &patterns)
{
    for (const QString &p : patterns) {
        for (const QChar c : p) {
            const char16_t f = folded(c.unicode(), m_fold);
            if (!m_class[f])
                m_class[f] = std::uint8_t(m_classes++);
        }
    }
    if (m_fold) {
        for (char16_t c = u'A'; c <= u'Z'; ++c)
            m_class[c] = m_class[c + (u'a' - u'A')];
    }
    // The trie: -1 = no edge yet.
    m_next.assign(std::size_t(m_classes), -1);
    m_out.assign(1, 0);
    for (int i = 0; i < patterns.size(); ++i) {
        if (patterns[i].isEmpty())
            continue;
        int state = 0;
        for (const QChar c : patterns[i]) {
            std::int32_t &edge
                = m_next[std::size_t(state) * std::size_t(m_classes) + std::size_t(m_class[c.unicode()])];
            if (edge < 0) {
                edge = std::int32_t(m_out.size());
                m_out.push_back(0);
                m_next.resize(m_next.size() + std::size_t(m_classes), -1);
            }
            state = m_next[std::size_t(state) * std::size_t(m_classes) + std::size_t(m_class[c.unicode()])];
        }
        m_out[std::size_t(state)] |= std::uint64_t(1) << i;
    }
    // Failure links, breadth first, folded into a complete transition table.
    std::vector<std::int32_t> fail(m_out.size(), 0);
    std::deque<int> queue;
    for (int c = 0; c < m_classes; ++c) {
        std::int32_t &edge = m_next[std::size_t(c)];
        if (edge < 0) {
            edge = 0;
        } else {
            queue.push_back(edge);
        }
    }
    while (!queue.empty()) {
        const int state = queue.front();
        queue.pop_front();
        m_out[std::size_t(state)] |= m_out[std::size_t(fail[std::size_t(state)])];
        for (int c = 0; c < m_classes; ++c) {
            std::int32_t &edge = m_next[std::size_t(state) * std::size_t(m_classes) + std::size_t(c)];
            const std::int32_t viaFail
                = m_next[std::size_t(fail[std::size_t(state)]) * std::size_t(m_classes) + std::size_t(c)];
            if (edge < 0) {
                edge = viaFail;
            } else {
                fail[std::size_t(edge)] = viaFail;
                queue.push_back(edge);
            }
        }
    }
}

std::uint64_t SubstringMatcher::find(QStringView text) const
{
    if (!m_usable)
        return 0;
    std::uint64_t hits = 0;
    std::int32_t state = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const int cls = u < 128 ? m_class[u] : 0;
        state = m_next[std::size_t(state) * std::size_t(m_classes) + std::size_t(cls)];
        hits |= m_out[std::size_t(state)];
    }
    return hits;
}
