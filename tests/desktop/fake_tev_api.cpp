// Stands in for the board-control library. Its answers come from the environment at each call:
// FAKE_TEV_RESULT (the return code) and FAKE_TEV_SECOND (the second value).
#include <cstdlib>

namespace {
int answer(const char *name)
{
    const char *value = std::getenv(name);
    return value ? std::atoi(value) : 0;
}
} // namespace

#ifndef FAKE_TEV_WITHOUT_BOARD_INFO
extern "C" __attribute__((visibility("default"))) int TEVAPI_GetBoardInfo(int *first, int *second, int)
{
    *first = 1;
    *second = answer("FAKE_TEV_SECOND");
    return answer("FAKE_TEV_RESULT");
}
#else
extern "C" __attribute__((visibility("default"))) int TEVAPI_GetVersion()
{
    return answer("FAKE_TEV_RESULT");
}
#endif
