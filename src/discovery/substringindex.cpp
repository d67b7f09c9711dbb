#include "substringindex_p.h"

#include <QtGlobal>

namespace OrvoKiv {

void SubstringIndex::add(const QString &text)
{
    const int number = m_added++;
    if (text.isEmpty()) {
        if (m_firstEmpty < 0)
            m_firstEmpty = number;
        return;
    }
    if (m_first.count(QStringView(text)))
        return;
    m_texts.push_back(text); // a QString's characters stay put when the vector grows
    m_first.emplace(QStringView(m_texts.back()), number);
    ++m_lengths[text.size()];
}

int SubstringIndex::firstOccurringIn(QStringView text) const
{
    int first = m_firstEmpty;
    const auto found = [&first](int number) {
        if (first < 0 || number < first)
            first = number;
    };
    // Hashing every window costs about sum((n - l + 1) * l); past the cost of comparing with
    // each added text, do that instead (a hostile, very long name).
    const qint64 n = text.size();
    qint64 windowCost = 0;
    for (const auto &length : m_lengths) {
        if (length.first > n)
            break;
        windowCost += (n - length.first + 1) * length.first;
    }
    if (windowCost > qint64(m_texts.size()) * qMax<qint64>(n, 1)) {
        for (const QString &added : m_texts) {
            if (text.contains(added))
                found(m_first.at(QStringView(added)));
        }
        return first;
    }
    for (const auto &length : m_lengths) {
        if (length.first > n)
            break;
        for (qint64 i = 0; i + length.first <= n; ++i) {
            const auto hit = m_first.find(text.mid(i, length.first));
            if (hit != m_first.end())
                found(hit->second);
        }
    }
    return first;
}

} // namespace OrvoKiv
