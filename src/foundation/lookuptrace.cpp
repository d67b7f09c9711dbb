#include "lookuptrace_p.h"

namespace OrvoKiv {

namespace {
thread_local LookupTrace *t_current = nullptr;
}

LookupTrace::LookupTrace()
    : m_outer(t_current)
{
    t_current = this;
}

LookupTrace::~LookupTrace()
{
    t_current = m_outer;
}

QStringList LookupTrace::takeLines()
{
    return std::exchange(m_lines, QStringList());
}

bool LookupTrace::isActive()
{
    return t_current != nullptr;
}

void LookupTrace::record(const QString &line)
{
    if (t_current)
        t_current->m_lines.append(line);
}

} // namespace OrvoKiv
