#include "substringindex_p.h"

namespace OrvoKiv {

void SubstringIndex::add(const QString &text)
{
    if (text.isEmpty()) {
        m_hasEmpty = true;
        return;
    }
    m_texts.push_back(text); // QString's data does not move when the vector grows
    if (m_set.insert(QStringView(m_texts.back())).second)
        ++m_lengths[text.size()];
    else
        m_texts.pop_back();
}

bool SubstringIndex::occursIn(QStringView text) const
{
    if (m_hasEmpty)
        return true;
    // Hashing every window costs about sum((n - l + 1) * l); past the cost of comparing with
    // each added text, do that instead (a hostile, very long name).
    const qint64 n = text.size();
    qint64 windowCost = 0;
    for (const auto &length : m_lengths) {
        if (length.first > n)
            break;
        windowCost += (n - length.first + 1) * length.first;
    }
    if (windowCost > qint64(m_set.size()) * qMax<qint64>(n, 1)) {
        for (const QString &added : m_texts) {
            if (text.contains(added))
                return true;
        }
        return false;
    }
    for (const auto &length : m_lengths) {
        if (length.first > n)
            break;
        for (qint64 i = 0; i + length.first <= n; ++i) {
            if (m_set.count(text.mid(i, length.first)))
                return true;
        }
    }
    return false;
}

} // namespace OrvoKiv
