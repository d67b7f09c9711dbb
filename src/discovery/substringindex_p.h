#ifndef ORVO_SUBSTRINGINDEX_P_H
#define ORVO_SUBSTRINGINDEX_P_H

#include <QHashFunctions>
#include <QString>
#include <QStringView>

#include <map>
#include <unordered_map>
#include <vector>

namespace OrvoKiv {

// Answers "which of the texts added so far is the first to occur in this one?" exactly as a loop
// of QString::contains() over them would (case-sensitive; an empty text occurs everywhere),
// without the loop: only the windows of the query whose lengths some added text has are looked
// up in a hash. The scan's duplicate test asks this for every candidate against every accepted
// program.
class SubstringIndex
{
public:
    // Adds the next text; texts are numbered from 0 in the order added.
    void add(const QString &text);
    // The smallest number of an added text that occurs in `text`, or -1.
    int firstOccurringIn(QStringView text) const;

private:
    struct Hash
    {
        size_t operator()(QStringView view) const noexcept { return ::qHash(view); }
    };

    std::vector<QString> m_texts; // the distinct non-empty texts; owns what m_first's keys view
    std::unordered_map<QStringView, int, Hash> m_first; // text -> the first number it was added as
    std::map<int, int> m_lengths; // length -> how many distinct texts have it
    int m_added = 0;
    int m_firstEmpty = -1;
};

} // namespace OrvoKiv

#endif
