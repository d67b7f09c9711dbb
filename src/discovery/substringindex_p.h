#ifndef ORVO_SUBSTRINGINDEX_P_H
#define ORVO_SUBSTRINGINDEX_P_H

#include <QString>
#include <QHashFunctions>
#include <QStringView>

#include <map>
#include <unordered_set>
#include <vector>

namespace OrvoKiv {

// Answers "does any of the texts added so far occur in this one?" exactly as a loop of
// QString::contains() would (case-sensitive; an empty text occurs everywhere), without the loop:
// only the windows of the query whose lengths some added text has are looked up in a hash set.
// The scan's duplicate test asks this for every candidate against every accepted program.
class SubstringIndex
{
public:
    void add(const QString &text);
    bool occursIn(QStringView text) const;

private:
    struct Hash
    {
        size_t operator()(QStringView view) const noexcept { return ::qHash(view); }
    };

    std::vector<QString> m_texts; // owns what the views in m_set point into
    std::unordered_set<QStringView, Hash> m_set;
    std::map<int, int> m_lengths; // length -> how many added texts have it
    bool m_hasEmpty = false;
};

} // namespace OrvoKiv

#endif
